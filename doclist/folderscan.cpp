#include "doclist/folderscan.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include <QCollator>
#include <QFile>
#include <QLocale>

#include "doclist/documenttypes.h"
#include "shell/filenames.h"
#include "shell/platform.h"

namespace pw {

namespace {

using Kind = platform::FolderReader::Kind;
using FolderId = platform::FileId;

QString withSeparator(const QString& folder) {
    return folder.endsWith(PathSeparator) ? folder : folder + PathSeparator;
}

// The order a person reads names in: letter case aside, numbers by their value, so that
// 第2章 comes before 第10章. Names that still tie keep a fixed order.
void sortForReading(QStringList& names) {
    QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

// One folder, read to its end before anything else is opened. Subfolders go to subfolders
// when it is not null.
void scanFolder(const QString& folder, QStringList& list, QStringList* subfolders,
                std::set<FolderId>& seen) {
    platform::FolderReader dir(folder);
    const auto id = dir.id();
    if (!id || !seen.insert(*id).second) return;

    QStringList documents, folders;
    QString name;
    Kind kind = Kind::Other;
    while (dir.next(name, kind)) {
        if (kind == Kind::Other) continue;
        if (kind == Kind::Folder) {
            if (subfolders) folders.append(name);
        } else if (IsFolderDocument(name)) {
            documents.append(name);
        }
    }
    sortForReading(documents);
    for (const QString& document : documents) list.append(folder + document);
    if (!subfolders) return;
    sortForReading(folders);
    for (const QString& sub : folders) subfolders->append(folder + sub);
}

}  // namespace

void AddFolderDocs(QStringList& list, const QString& folder) {
    std::set<FolderId> seen;
    std::vector<QString> pending{withSeparator(folder)};
    QStringList subfolders;
    while (!pending.empty()) {
        const QString current = std::move(pending.back());
        pending.pop_back();
        subfolders.clear();
        scanFolder(current, list, &subfolders, seen);
        // Last pushed is scanned first: the first-found subfolder's tree comes next.
        std::for_each(subfolders.crbegin(), subfolders.crend(),
                      [&](const QString& sub) { pending.push_back(withSeparator(sub)); });
    }
}

void AddFolderOwnDocs(QStringList& list, const QString& folder) {
    std::set<FolderId> seen;
    scanFolder(withSeparator(folder), list, nullptr, seen);
}

}  // namespace pw
