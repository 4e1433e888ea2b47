#include "merge/completionreport.h"

#include "merge/mergemessages.h"
#include "shell/failurereport.h"

namespace pw::merge {

namespace {

QString report(const QString& first, const QList<MergeFailure>& failures) {
    const QStringList lines = failureLines(failures);
    return failureReport(first, msg::NotMergedHeading(failures.size()), lines, msg::MoreNotMerged);
}

}  // namespace

QStringList failureLines(const QList<MergeFailure>& failures) {
    QStringList lines;
    for (const MergeFailure& f : failures)
        lines.append(f.source.isEmpty() ? f.reason
                                        : QStringLiteral("%1：%2").arg(f.source, f.reason));
    return lines;
}

QString completionMessage(const QList<MergeFailure>& failures) {
    return report(msg::Finished, failures);
}

QString cancellationMessage(int mergedCount, const QList<MergeFailure>& failures) {
    return report(msg::Cancelled(mergedCount), failures);
}

}  // namespace pw::merge
