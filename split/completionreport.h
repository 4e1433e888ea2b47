#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "split/splitrequest.h"

namespace pw::split {

// "文档分拆完成！" alone when nothing failed; otherwise followed by a short list of what was not
// made and why. A cancelled run says so instead of the first line.
QString completionMessage(const QList<SplitFailure>& failures, bool cancelled);
// One line per failure: what was not made and why, every one of them.
QStringList failureLines(const QList<SplitFailure>& failures);

}  // namespace pw::split
