#pragma once

// What the split window says during and after a run.

#include "shell/dialogs.h"
#include "split/splitrequest.h"

namespace pw::split {

// The document and part in hand.
QString progressLine(const Progress& progress);
inline const QString StoppingLine = QStringLiteral("正在停止，当前部分完成后结束……");

// The first line as always, then how many new documents were made and where; what was not made
// goes into the details, all of it.
Completion completion(const SplitResult& result);

}  // namespace pw::split
