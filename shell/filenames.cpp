#include "shell/filenames.h"

namespace pw {

QString GetFileExt(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot < 0 ? path : path.mid(dot);
}

QString GetFileFolder(const QString& path) {
    return path.left(path.lastIndexOf(PathSeparator) + 1);
}

QString GetFileBaseName(const QString& path) {
    const qsizetype slash = path.lastIndexOf(PathSeparator);
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot <= slash) return path.mid(slash + 1);  // no extension of its own
    return path.mid(slash + 1, dot - slash - 1);
}

bool IsFileNameText(const QString& text) {
    // The thirteen characters, and the full-width forms of the printable ones: the locale's
    // comparison counts those as the same character.
    static const QString refused = QStringLiteral(
        "\\/;*?\"<>|\r\n\t "
        "\uFF3C\uFF0F\uFF1B\uFF0A\uFF1F\uFF02\uFF1C\uFF1E\uFF5C\u3000");
    for (const QChar c : text) {
        if (refused.contains(c)) return false;
    }
    return true;
}

}  // namespace pw
