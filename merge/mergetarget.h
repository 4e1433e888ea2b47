#pragma once

// The target name as the user typed it, and the file it stands for.

#include <QString>
#include <QStringList>

namespace pw::merge {

// Blank, or ending in the separator: no file name was given.
bool isMissingTargetName(const QString& text);

struct TargetPath {
    QString path;           // absolute and clean
    bool bareName = false;  // typed without a folder: placed in the user's documents folder
};
TargetPath resolveTarget(const QString& text);

// True when both names lead to the same file (links and spellings of the path included).
bool isSameFile(const QString& a, const QString& b);
// The first of documents that is the file at target, or empty.
QString sourceAt(const QString& target, const QStringList& documents);

// Formats the office can write but not load again, so a target cannot be extended in them.
bool isExportOnlyFormat(const QString& path);

}  // namespace pw::merge
