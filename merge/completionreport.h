#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "merge/mergerequest.h"

namespace pw::merge {

// "文档合并完成！" alone, or followed by the list of what was left out.
QString completionMessage(const QList<MergeFailure>& failures);
// A cancelled merge: what went in and what did not.
QString cancellationMessage(int mergedCount, const QList<MergeFailure>& failures);
// One line per entry left out, every one of them.
QStringList failureLines(const QList<MergeFailure>& failures);

}  // namespace pw::merge
