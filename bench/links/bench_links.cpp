// Times a split and a merge of a document whose pictures are linked to web addresses that never
// answer, and to one that answers, side by side with the same document without pictures and with
// pictures linked to missing local files: web links must cost no more than those, and no address
// may be asked for anything.
//
// usage: bench_links [rounds]

#include <algorithm>
#include <cstdio>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include "tests/support/linktargets.h"
#include "tests/support/testdocs.h"
#include "word/libreoffice/libreofficefactory.h"

using namespace pw;

namespace {

// Seconds the program took, or -1 when it failed.
double timed(const QStringList& arguments) {
    QProcess p;
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral(PW_CLI_PATH), arguments);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return -1;
    return double(t.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bool ok = argc == 1;
    const int rounds = argc == 2 ? QString(argv[1]).toInt(&ok) : 3;
    if (argc > 2 || !ok || rounds < 1) {
        fprintf(stderr, "usage: bench_links [rounds]\n");
        return 2;
    }
    test::LinkTargets web;
    QTemporaryDir dir;
    auto office = word::LibreOfficeFactory().create();
    if (!web.isValid() || !dir.isValid() || !office) {
        fprintf(stderr, "no servers, folder or office\n");
        return 1;
    }
    struct Case {
        const char* name;
        quint16 port;  // 0: no pictures; 1: pictures linked to local files that are missing
        QString path;
        std::vector<double> split, merge;
    } cases[] = {{"no pictures", 0, {}, {}, {}},
                 {"6 missing files", 1, {}, {}, {}},
                 {"6 silent links", web.silentPort(), {}, {}, {}},
                 {"6 answered links", web.answeringPort(), {}, {}, {}}};
    for (Case& c : cases) {
        test::DocBuilder b;
        for (int page = 1; page <= 3; ++page) {
            if (page > 1) b.pageBreak();
            b.paragraph(test::sampleParagraph(page, 100));
        }
        for (int i = 0; c.port && i < 6; ++i)
            b.linkedPicture(c.port == 1
                                ? QUrl::fromLocalFile(dir.filePath(QString::number(i))).toString()
                                : QStringLiteral("http://127.0.0.1:%1/%2.png").arg(c.port).arg(i));
        c.path = dir.filePath(QStringLiteral("case%1.docx").arg(&c - cases));
        if (!test::makeDocument(**office, b, c.path)) return 1;
    }
    office->reset();

    for (int round = 0; round < rounds; ++round) {
        for (Case& c : cases) {
            const QString out = dir.filePath(QStringLiteral("out%1").arg(round));
            c.split.push_back(
                timed({"split", "--every", "1", "--out", out, "--create-folder", c.path}));
            c.merge.push_back(
                timed({"merge", "--overwrite", "--target", out + "/merged.docx", c.path, c.path}));
        }
    }
    const double splitBase = median(cases[0].split), mergeBase = median(cases[0].merge);
    printf("%-20s %10s %8s %10s %8s   (median of %d)\n", "document", "split s", "ratio", "merge s",
           "ratio", rounds);
    for (const Case& c : cases)
        printf("%-20s %10.2f %8.2f %10.2f %8.2f\n", c.name, median(c.split),
               median(c.split) / splitBase, median(c.merge), median(c.merge) / mergeBase);
    printf("connections to the linked addresses: %d\n", web.connections());
    return 0;
}
