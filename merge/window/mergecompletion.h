#pragma once

// What the merge window says during and after a merge.

#include "merge/mergerequest.h"
#include "shell/dialogs.h"

namespace pw::merge {

// The document in hand.
QString progressLine(const Progress& progress);
inline const QString StoppingLine = QStringLiteral("正在停止，当前文档合并后结束……");

// The first line as the merge gives it, then how many documents went into which file; what was
// left out goes into the details, all of it.
Completion completion(const MergeResult& result);

}  // namespace pw::merge
