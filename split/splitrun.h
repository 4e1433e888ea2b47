#pragma once

#include "split/splitrequest.h"
#include "word/documentengine.h"

namespace pw::split {

// The whole split run: checks, office start, every document cut, named and saved, completion.
SplitResult runSplit(const SplitRequest& request, SplitPrompts& prompts,
                     word::ApplicationFactory& office);

}  // namespace pw::split
