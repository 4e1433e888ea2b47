#include "doclist/folderscan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include <QFile>

#include "doclist/documenttypes.h"
#include "shell/filenames.h"

namespace pw {

namespace {

enum class EntryKind { Folder, File, Other };

using FolderId = std::pair<dev_t, ino_t>;

QString withSeparator(const QString& folder) {
    return folder.endsWith(PathSeparator) ? folder : folder + PathSeparator;
}

bool isDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Links are followed; an entry that cannot be queried (a dangling link) is neither.
EntryKind kindOf(int folderFd, const dirent& entry) {
    if (entry.d_type == DT_DIR) return EntryKind::Folder;
    if (entry.d_type == DT_REG) return EntryKind::File;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return EntryKind::Other;
    struct stat info {};
    if (fstatat(folderFd, entry.d_name, &info, 0) != 0) return EntryKind::Other;
    if (S_ISDIR(info.st_mode)) return EntryKind::Folder;
    return S_ISREG(info.st_mode) ? EntryKind::File : EntryKind::Other;
}

class Directory {
public:
    explicit Directory(const QString& path) : dir_(opendir(QFile::encodeName(path).constData())) {}
    ~Directory() {
        if (dir_) closedir(dir_);
    }
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;

    bool isOpen() const { return dir_ != nullptr; }
    int fd() const { return dirfd(dir_); }
    const dirent* next() { return readdir(dir_); }

private:
    DIR* dir_;
};

// One folder, read to its end before anything else is opened. Subfolders go to subfolders
// when it is not null.
void scanFolder(const QString& folder, QStringList& list, QStringList* subfolders,
                std::set<FolderId>& seen) {
    Directory dir(folder);
    if (!dir.isOpen()) return;
    struct stat info {};
    if (fstat(dir.fd(), &info) != 0 || !seen.emplace(info.st_dev, info.st_ino).second) return;

    while (const dirent* entry = dir.next()) {
        if (isDotEntry(entry->d_name)) continue;
        const EntryKind kind = kindOf(dir.fd(), *entry);
        if (kind == EntryKind::Other) continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (kind == EntryKind::Folder) {
            if (subfolders) subfolders->append(folder + name);
        } else if (IsFolderDocument(name)) {
            list.append(folder + name);
        }
    }
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
