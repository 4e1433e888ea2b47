#pragma once

#include "split/splitobserver.h"
#include "split/splitrequest.h"
#include "word/documentengine.h"

namespace pw::split {

// The whole split run: checks, office start, every document cut, named and saved, completion.
// A refused run has shown the refusal's message and returns the refusal.
SplitResult runSplit(const SplitRequest& request, UserPrompts& prompts,
                     word::ApplicationFactory& office, SplitObserver* observer = nullptr);

}  // namespace pw::split
