#include "split/completionreport.h"

#include <algorithm>

#include <QFileInfo>

#include "split/splitmessages.h"

namespace pw::split {

namespace {

constexpr int ListedFailures = 10;

QString describe(const SplitFailure& f) {
    const QString what =
        f.target.isEmpty() ? QFileInfo(f.source).fileName() : QFileInfo(f.target).fileName();
    QString line = what;
    if (f.target.isEmpty() && f.part > 0) line += QStringLiteral("（第 %1 部分起）").arg(f.part);
    return line + QStringLiteral("：") + f.reason;
}

}  // namespace

QString completionMessage(const QList<SplitFailure>& failures, bool cancelled) {
    QString text = cancelled ? msg::Cancelled : msg::Finished;
    if (failures.isEmpty()) return text;
    text += QStringLiteral("\n\n") + msg::NotMadeHeading;
    const int listed = std::min<int>(int(failures.size()), ListedFailures);
    for (int i = 0; i < listed; ++i) text += u'\n' + describe(failures[i]);
    if (failures.size() > listed) text += u'\n' + msg::MoreNotMade(int(failures.size()) - listed);
    return text;
}

}  // namespace pw::split
