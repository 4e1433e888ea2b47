#include "merge/mergetarget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "shell/filenames.h"
#include "shell/platform.h"

namespace pw::merge {

bool isMissingTargetName(const QString& text) {
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() || trimmed.endsWith(PathSeparator);
}

TargetPath resolveTarget(const QString& text) {
    // One name for every step: the overwrite question, the write and the passes all use it.
    QString name = text.trimmed();
    // A name without an extension is a Word document, as the save dialog makes it.
    if (!QFileInfo(name).fileName().contains(u'.')) name += QStringLiteral(".docx");
    TargetPath target;
    if (!name.contains(PathSeparator)) {
        target.bareName = true;
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        target.path = QDir::cleanPath(QDir(documents).absoluteFilePath(name));
    } else {
        target.path = QDir::cleanPath(QFileInfo(name).absoluteFilePath());
    }
    return target;
}

bool isSameFile(const QString& a, const QString& b) {
    const auto ia = platform::fileId(a), ib = platform::fileId(b);
    if (ia && ib) return *ia == *ib;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

QString sourceAt(const QString& target, const QStringList& documents) {
    for (const QString& document : documents) {
        if (isSameFile(target, document)) return document;
    }
    return {};
}

bool isExportOnlyFormat(const QString& path) {
    return QFileInfo(path).suffix().compare(u"pdf", Qt::CaseInsensitive) == 0;
}

}  // namespace pw::merge
