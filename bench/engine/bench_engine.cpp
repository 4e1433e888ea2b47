// Times what every operation pays before its real work: starting the office, and opening and
// paging a long document.
//
// usage: bench_engine [starts] [paragraphs]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "split/pagemap.h"
#include "tests/support/testdocs.h"
#include "tests/support/testenv.h"
#include "word/libreoffice/libreofficefactory.h"

using namespace pw;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int starts = argc > 1 ? atoi(argv[1]) : 5;
    const int paragraphs = argc > 2 ? atoi(argv[2]) : 1430;
    word::LibreOfficeFactory factory;

    double total = 0, best = 1e9;
    for (int i = 0; i < starts; ++i) {
        QElapsedTimer t;
        t.start();
        auto office = factory.create();
        const double startMs = double(t.nsecsElapsed()) / 1e6;
        if (!office) {
            fprintf(stderr, "office did not start: %s\n", qPrintable(office.error().message));
            return 1;
        }
        office->reset();
        total += startMs;
        best = std::min(best, startMs);
        printf("start %d: %.0f ms (quit %.0f ms)\n", i + 1, startMs,
               double(t.nsecsElapsed()) / 1e6 - startMs);
    }
    printf("office start: mean %.0f ms, best %.0f ms over %d starts\n", total / starts, best,
           starts);

    QTemporaryDir dir;
    auto office = factory.create();
    if (!office) return 1;
    test::DocBuilder builder;
    for (int i = 0; i < paragraphs; ++i) builder.paragraph(test::sampleParagraph(i, 110));
    const QString path = dir.filePath("long.docx");
    if (!test::makeDocument(**office, builder, path)) return 1;

    for (int round = 0; round < 3; ++round) {
        QElapsedTimer t;
        t.start();
        auto doc = (*office)->open(path);
        if (!doc) return 1;
        const double openMs = double(t.nsecsElapsed()) / 1e6;
        auto map = split::buildPageMap(**doc);
        const double mapMs = double(t.nsecsElapsed()) / 1e6 - openMs;
        if (!map) return 1;
        printf("open %.0f ms, page map %.0f ms for %d pages (%.0f pages/s, %.2f ms/page)\n", openMs,
               mapMs, map->pageCount(), map->pageCount() / (mapMs / 1000),
               mapMs / map->pageCount());
    }
    return 0;
}
