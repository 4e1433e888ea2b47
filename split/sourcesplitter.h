#pragma once

#include "split/runstate.h"

namespace pw::split {

// Cuts the listed document at index into parts and saves them; every failure is recorded in
// run.result and the run goes on. The source file is never written. An office that goes away
// before any part is stored is started afresh and the document is tried once more: the office
// may have been worn out by the documents before it.
void splitSource(RunState& run, int index, word::ApplicationFactory& factory);

}  // namespace pw::split
