#pragma once

#include "merge/mergerequest.h"
#include "word/documentengine.h"

namespace pw::merge {

// The whole merge: checks, office start, target written and extended entry by entry, completion.
// A target name without a folder goes to the user's documents folder (result.placedTarget).
// Outcomes:
//   Refused       a check failed or the overwrite question was answered No; nothing written;
//   OfficeFailed  the office did not start, or the first entry or its orientation could not be
//                 read; nothing written;
//   TargetFailed  the empty target could not be made or written; no target is left behind;
//   Completed     every pass ran; failures lists the entries left out and why;
//   Cancelled     prompts.cancelRequested() stopped it between passes.
// Whatever the outcome, the office is gone when it returns; completionMessage is the last message
// shown. The work is reported begun once the empty target exists, and ended before that message.
MergeResult runMerge(const MergeRequest& request, UserPrompts& prompts,
                     word::ApplicationFactory& office);

}  // namespace pw::merge
