// Generates a tree of 100,000 files in 5,000 folders (30,000 of them Word documents), then
// times the folder scan into a document list against find(1) over the same tree and reports
// the peak memory. Usage: bench_folderscan [rounds]

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>

#include "doclist/documentlist.h"
#include "doclist/folderscan.h"

namespace {

constexpr int TopFolders = 50;
constexpr int SubFoldersEach = 99;     // 50 + 50 * 99 = 5,000 folders below the root
constexpr int FilesPerFolder = 20;     // 100,000 files
constexpr int DocumentsPerFolder = 6;  // 30,000 documents

const char* const Documents[] = {"a.doc", "b.docx", "C.DOC", "d.Docx", "~$e.docx", "f.doc"};
const char* const Others[] = {"g.txt", "h.pdf",  "i.rtf", "j.doc.bak", "k.docm",
                              "l",     "m.xlsx", "n.htm", "o.png",     ".p",
                              "q.odt", "r.doc~", "s.dot", "t.docx.tmp"};
static_assert(std::size(Documents) == DocumentsPerFolder);
static_assert(std::size(Documents) + std::size(Others) == FilesPerFolder);

long peakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void fillFolder(const QString& folder, int index) {
    QDir().mkpath(folder);
    for (const char* name : Documents)
        QFile(folder + QString("/%1_%2").arg(index).arg(name)).open(QIODevice::WriteOnly);
    for (const char* name : Others)
        QFile(folder + QString("/%1_%2").arg(index).arg(name)).open(QIODevice::WriteOnly);
}

int generate(const QString& root) {
    int folders = 0;
    for (int top = 0; top < TopFolders; ++top) {
        const QString topFolder = root + QString("/top%1").arg(top);
        fillFolder(topFolder, folders++);
        for (int sub = 0; sub < SubFoldersEach; ++sub) {
            fillFolder(topFolder + QString("/sub%1").arg(sub), folders++);
        }
    }
    return folders;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct FindResult {
    double ms;
    int lines;
};

FindResult runFind(const QString& root) {
    QElapsedTimer timer;
    timer.start();
    QProcess find;
    find.start("find", {root, "-type", "f", "(", "-iname", "*.doc", "-o", "-iname", "*.docx", ")"});
    find.waitForFinished(-1);
    const QByteArray out = find.readAllStandardOutput();
    return {static_cast<double>(timer.nsecsElapsed()) / 1e6, static_cast<int>(out.count('\n'))};
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    const QString root = dir.path() + "/tree";
    QElapsedTimer timer;
    timer.start();
    const int folders = generate(root);
    std::printf("tree: %d folders, %d files, %d documents in %s (made in %.0f ms)\n", folders,
                folders * FilesPerFolder, folders * DocumentsPerFolder, qPrintable(root),
                static_cast<double>(timer.elapsed()));

    QWidget window;
    auto* list = new QListWidget(&window);
    auto* group = new QButtonGroup(&window);
    pw::DocumentList files(list, group, pw::DocumentListKind::Merge);
    const long rssBefore = peakRssKb();

    std::vector<double> scanMs, listMs, findMs;
    int found = 0;
    int findLines = 0;
    for (int round = 0; round < rounds; ++round) {
        list->clear();
        timer.restart();
        QStringList docs;
        pw::AddFolderDocs(docs, root);
        const qint64 scanned = timer.nsecsElapsed();
        files.append(docs);
        const qint64 listed = timer.nsecsElapsed();
        scanMs.push_back(static_cast<double>(scanned) / 1e6);
        listMs.push_back(static_cast<double>(listed) / 1e6);
        found = files.count();

        const FindResult f = runFind(root);
        findMs.push_back(f.ms);
        findLines = f.lines;
    }
    const long rssAfter = peakRssKb();

    std::printf("rounds: %d (median times, warm cache)\n", rounds);
    std::printf("AddFolderDocs scan:          %8.1f ms  (%d documents)\n", median(scanMs), found);
    std::printf("scan + append into the list: %8.1f ms\n", median(listMs));
    std::printf("find -type f -iname doc/docx:%8.1f ms  (%d documents)\n", median(findMs),
                findLines);
    std::printf("peak RSS: %ld KiB before the scans, %ld KiB after (+%ld KiB)\n", rssBefore,
                rssAfter, rssAfter - rssBefore);
    return found == findLines ? 0 : 2;
}
