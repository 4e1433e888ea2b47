#pragma once

#include "split/runstate.h"

namespace pw::split {

// Splits the run's documents with up to jobs offices at once, run.app being the first. What
// each document did is taken over in document order (names, the run-wide sequence, failures,
// messages and progress), so the run ends exactly as if one office had done them in turn.
void splitInParallel(RunState& run, word::ApplicationFactory& factory, int jobs);

}  // namespace pw::split
