#pragma once

#include "merge/mergerequest.h"
#include "word/documentengine.h"

namespace pw::merge {

// The whole merge: checks, office start, target written and extended entry by entry, completion.
// The target name is read through prompts.targetText(); a name without a folder goes to the
// user's documents folder and the box is then given the full path. Outcomes:
//   Refused       a check failed or the overwrite question was answered No; nothing written;
//   OfficeFailed  the office did not start, or the first entry or its orientation could not be
//                 read; nothing written;
//   TargetFailed  the empty target could not be made or written; no target is left behind;
//   Completed     every pass ran; failures lists the entries left out and why;
//   Cancelled     prompts.cancelRequested() stopped it between passes.
// Whatever the outcome, the office is gone and the window's controls are usable again when it
// returns; completionMessage is the last message shown.
MergeResult runMerge(const MergeRequest& request, MergePrompts& prompts,
                     word::ApplicationFactory& office);

}  // namespace pw::merge
