#pragma once

#include "merge/mergerequest.h"
#include "word/documentengine.h"

namespace pw::merge {

// The whole merge: checks, office start, target written and extended entry by entry, completion.
MergeResult runMerge(const MergeRequest& request, MergePrompts& prompts,
                     word::ApplicationFactory& office);

}  // namespace pw::merge
