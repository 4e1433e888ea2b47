#pragma once

#include <QString>
#include <QStringList>

namespace pw {

// A completion message followed by what failed: the heading and one line per failure, cut short
// after ten so that the message box fits on the screen, with a last line from more(n) for the n
// left out. The first line alone when nothing failed.
QString failureReport(const QString& first, const QString& heading, const QStringList& lines,
                      QString (*more)(qsizetype));

}  // namespace pw
