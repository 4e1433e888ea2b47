#include "shell/failurereport.h"

namespace pw {

namespace {

constexpr qsizetype ListedFailures = 10;

}  // namespace

QString failureReport(const QString& first, const QString& heading, const QStringList& lines,
                      QString (*more)(qsizetype)) {
    if (lines.isEmpty()) return first;
    QString text = first + QStringLiteral("\n\n") + heading;
    for (qsizetype i = 0; i < lines.size() && i < ListedFailures; ++i) text += u'\n' + lines[i];
    if (lines.size() > ListedFailures) text += u'\n' + more(lines.size() - ListedFailures);
    return text;
}

}  // namespace pw
