#include "shell/filefilter.h"

#include <QStringList>

namespace pw {

QString toQtFileFilter(const QString& pairedFilter) {
    const QStringList parts = pairedFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        if (i + 1 >= parts.size()) {
            filters << parts[i];
            break;
        }
        const QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        // Qt reads the patterns from the last parentheses, separated by blanks.
        filters << parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace pw
