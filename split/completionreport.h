#pragma once

#include <QList>
#include <QString>

#include "split/splitrequest.h"

namespace pw::split {

// "文档分拆完成！" alone when nothing failed; otherwise followed by a short list of what was not
// made and why. A cancelled run says so instead of the first line.
QString completionMessage(const QList<SplitFailure>& failures, bool cancelled);

}  // namespace pw::split
