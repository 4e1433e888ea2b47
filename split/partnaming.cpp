#include "split/partnaming.h"

#include <QFileInfo>

#include "shell/filenames.h"

namespace pw::split {

QString collectedCharacters(const QString& characters, int count) {
    QString name;
    int taken = 0;
    // The final character is the document's closing paragraph mark and is never part of a name.
    const qsizetype end = characters.size() - 1;
    for (qsizetype w = 0; w < end && taken < count;) {
        // A character outside the basic plane is one character, never half a name.
        const qsizetype width = (characters.at(w).isHighSurrogate() && w + 1 < end &&
                                 characters.at(w + 1).isLowSurrogate())
                                    ? 2
                                    : 1;
        const QString c = characters.mid(w, width);
        if (IsFileNameText(c)) {
            name += c;
            ++taken;
        }
        w += width;
    }
    return name;
}

QString partName(const NamingRule& rule, const PartNameInput& in, qint64& sequence) {
    switch (rule.mode) {
        case NamingMode::PageRange:
            return in.folder + in.baseName + QString::number(in.firstPage) + QStringLiteral("页-") +
                   QString::number(in.lastPage) + QStringLiteral("页") + in.extension;
        case NamingMode::PartNumber:
            return in.folder + in.baseName + QString::number(in.partIndex) + in.extension;
        case NamingMode::FirstCharacters:
            return in.folder + collectedCharacters(in.characters, rule.firstCharacters) +
                   in.extension;
        case NamingMode::Sequence:
            return in.folder + QString::number(sequence++) + in.extension;
        case NamingMode::PaddedSequence:
            return in.folder + QStringLiteral("%1").arg(sequence++, rule.digits, 10, QChar(u'0')) +
                   in.extension;
    }
    return {};
}

QString withCounter(const QString& path, int n) {
    // Only the file name takes the counter: a folder such as "my.docs" is left alone.
    const qsizetype fileStart = path.lastIndexOf(PathSeparator) + 1;
    const QString counter = u'(' + QString::number(n) + u')';
    const qsizetype doc = path.indexOf(QLatin1String(".doc"), fileStart, Qt::CaseInsensitive);
    if (doc >= 0) return path.left(doc) + counter + QStringLiteral(".doc") + path.mid(doc + 4);
    qsizetype dot = path.lastIndexOf(u'.');
    if (dot < fileStart) dot = path.size();
    return path.left(dot) + counter + path.mid(dot);
}

bool nameTakenOnDisk(const QString& path) {
    // A folder or a link of that name blocks the save as surely as a file does.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString freeName(const QString& path, const NameTaken& taken) {
    QString name = path;
    // Names only grow, so the file system stops knowing them long before the counter wraps.
    for (int n = 2; taken(name) && n < 1000000; ++n) name = withCounter(name, n);
    return name;
}

}  // namespace pw::split
