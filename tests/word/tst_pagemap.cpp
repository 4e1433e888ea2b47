// The page map follows the office's own layout: as many pages as its PDF export, and each page
// span holds the text of that page.

#include <QTemporaryDir>
#include <QTest>

#include "split/pagemap.h"
#include "split/partplan.h"
#include "tests/support/testdocs.h"
#include "tests/support/testenv.h"
#include "tests/word/officetest.h"

using namespace pw;

class PageMapTest : public QObject {
    Q_OBJECT

    std::unique_ptr<word::Application> m_app;
    QTemporaryDir m_dir;

    // Builds the map of the document and checks it page by page against the PDF export.
    void checkAgainstPdf(const test::DocBuilder& builder, const QString& name, int expectedPages) {
        const QString path = m_dir.filePath(name);
        QVERIFY(test::makeDocument(*m_app, builder, path));
        auto opened = m_app->open(path);
        PW_REQUIRE(opened);
        auto& doc = **opened;
        const QString pdf = path + QStringLiteral(".pdf");
        PW_REQUIRE(doc.saveAs(pdf));
        const int pdfPages = test::pdfPageCount(pdf);
        if (expectedPages > 0) QCOMPARE(pdfPages, expectedPages);

        auto map = split::buildPageMap(doc);
        PW_REQUIRE(map);
        QCOMPARE(map->pageCount(), pdfPages);
        for (int k = 0; k < map->pageCount(); ++k) {
            auto range = doc.range(map->starts[size_t(k)], map->ends[size_t(k)]);
            PW_REQUIRE(range);
            auto text = (*range)->text();
            PW_REQUIRE(text);
            QCOMPARE(test::foldSpace(*text), test::pdfPageText(pdf, k + 1));
            if (k + 1 < map->pageCount())
                QCOMPARE(*doc.compare(map->ends[size_t(k)], map->starts[size_t(k + 1)]), 0);
        }
    }

private slots:
    void initTestCase() {
        m_app = test::startOffice();
        QVERIFY(m_app);
    }
    void cleanupTestCase() {
        if (m_app) PW_REQUIRE(m_app->quit());
        QVERIFY(test::waitNoOfficeProcesses());
    }

    void hardPageBreaks() {
        test::DocBuilder b;
        for (int page = 1; page <= 7; ++page) {
            if (page > 1) b.pageBreak();
            b.paragraph(QStringLiteral("page %1 heading").arg(page));
            b.paragraph(test::sampleParagraph(page, 30));
        }
        checkAgainstPdf(b, "breaks.docx", 7);
    }

    void onePageDocument() {
        test::DocBuilder b;
        b.paragraph(QStringLiteral("just one line"));
        checkAgainstPdf(b, "one.docx", 1);
    }

    void longFlowingText() {
        // Paragraphs cross page ends; no break is written anywhere.
        test::DocBuilder b;
        for (int i = 0; i < 2000; ++i) b.paragraph(test::sampleParagraph(i, 110));
        checkAgainstPdf(b, "long.docx", 0);
        QVERIFY(test::pdfPageCount(m_dir.filePath("long.docx.pdf")) > 300);
    }

    void tableAcrossPages() {
        test::DocBuilder b;
        for (int i = 0; i < 12; ++i) b.paragraph(test::sampleParagraph(i, 80));
        b.table(120, 3, [](int r, int c) { return QStringLiteral("row %1 col %2").arg(r).arg(c); });
        for (int i = 12; i < 20; ++i) b.paragraph(test::sampleParagraph(i, 80));
        checkAgainstPdf(b, "table.docx", 0);
        QVERIFY(test::pdfPageCount(m_dir.filePath("table.docx.pdf")) >= 4);
    }
};

QTEST_GUILESS_MAIN(PageMapTest)
#include "tst_pagemap.moc"
