#pragma once

// A document with tracked changes is split by cutting each part out of it: the office's copy
// leaves tracked deletions out, while the text cut away around a part, stored, and put back by
// undo keeps every change as it stands.

#include "word/libreoffice/docstate.h"

namespace pw::word::lo {

bool holdsTrackedChanges(DocState& doc);
// Sets bookmarks at the ends of the spans chosen so far, which stay where they are through a
// cut and its undo. Set at the first cut, once every span is chosen: where the spans' ends
// stand in the layout is read without them, and a document that is copied never has them.
void markPendingEnds(DocState& doc);
// Removes the main text outside the span as one undo step, the bookmarks set for cutting
// included; the span's first page keeps its style and number. What was done is taken back
// when it fails.
void keepOnlySpan(DocState& doc, const SpanPlan& plan);

}  // namespace pw::word::lo
