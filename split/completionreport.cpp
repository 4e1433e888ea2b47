#include "split/completionreport.h"

#include <QFileInfo>

#include "shell/failurereport.h"
#include "split/splitmessages.h"

namespace pw::split {

namespace {

QString describe(const SplitFailure& f) {
    const QString what =
        f.target.isEmpty() ? QFileInfo(f.source).fileName() : QFileInfo(f.target).fileName();
    QString line = what;
    if (f.target.isEmpty() && f.part > 0) line += QStringLiteral("（第 %1 部分起）").arg(f.part);
    return line + QStringLiteral("：") + f.reason;
}

}  // namespace

QStringList failureLines(const QList<SplitFailure>& failures) {
    QStringList lines;
    for (const SplitFailure& f : failures) lines.append(describe(f));
    return lines;
}

QString completionMessage(const QList<SplitFailure>& failures, bool cancelled) {
    const QStringList lines = failureLines(failures);
    return failureReport(cancelled ? msg::Cancelled : msg::Finished, msg::NotMadeHeading, lines,
                         msg::MoreNotMade);
}

}  // namespace pw::split
