#pragma once

#include "split/runstate.h"

namespace pw::split {

// Cuts the listed document at index into parts and saves them; every failure is recorded in
// run.result and the run goes on. The source file is never written.
void splitSource(RunState& run, int index);

}  // namespace pw::split
