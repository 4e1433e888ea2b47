#pragma once

// Collecting the Word documents (.doc, .docx) of a folder for a document list. Entries are the
// folder text (with a "/" appended when it has none) followed by the path below it, in the
// order the file system lists the names; nothing is sorted and no name is left out for being
// hidden. A folder that cannot be read adds nothing; nothing is ever reported.

#include <QString>
#include <QStringList>

namespace pw {

// The folder's documents and, at any depth, those of its subfolders: each folder's own
// documents first, then the tree of its first subfolder, then the next one. Links to folders
// are followed, but no folder (by device and inode) is scanned twice in one call, so a loop of
// links ends.
void AddFolderDocs(QStringList& list, const QString& folder);

// The documents directly in the folder; subfolders are not entered.
void AddFolderOwnDocs(QStringList& list, const QString& folder);

}  // namespace pw
