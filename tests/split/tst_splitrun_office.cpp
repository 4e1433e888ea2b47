// The split run end to end against the real LibreOffice, on documents the tests make and on a
// real one. Every run is checked for unchanged sources, nothing left beside them and no office
// process left running.

#include <QFile>
#include <QTemporaryDir>

#include "split/splitmessages.h"
#include "tests/split/splitoffice.h"
#include "tests/support/testdocs.h"
#include "word/docxpackage.h"

using namespace pw;
using namespace pw::split;
using pw::test::DocBuilder;
Q_DECLARE_METATYPE(pw::test::DocBuilder)
using pw::test::ScriptedPrompts;

class TestSplitRunOffice : public test::SplitOfficeCase {
    Q_OBJECT

    QTemporaryDir m_tmp;
    int m_case = 0;
    QString m_dir;

    QString make(const DocBuilder& b, const QString& name) {
        const QString path = m_dir + "/" + name;
        [&] { QVERIFY2(test::makeDocument(*m_app, b, path), qPrintable(path)); }();
        return path;
    }

private slots:
    void init() {
        m_dir = m_tmp.filePath(QString::number(++m_case));
        QVERIFY(QDir().mkpath(m_dir));
    }

    // Part k must hold exactly page k of the office's own export of the source, on one page of
    // the same size. A part that ends with a table needs the paragraph every document has after
    // its last table; where the table fills the page to its foot, that empty paragraph alone
    // takes a second page, which is allowed where tableEnds says so.
    void onePagePerPart_data() {
        QTest::addColumn<DocBuilder>("doc");
        QTest::addColumn<QString>("fixture");  // a real document instead
        QTest::addColumn<int>("minPages");
        QTest::addColumn<bool>("tableEnds");
        QTest::addColumn<QString>("format");
        auto row = [](const char* name, const DocBuilder& b, int minPages, bool tableEnds = false,
                      const char* format = "docx") {
            QTest::newRow(name) << b << QString() << minPages << tableEnds << QString(format);
        };
        auto real = [](const char* name, const char* fixture, int minPages) {
            QTest::newRow(name) << DocBuilder() << fixture << minPages << false
                                << QFileInfo(fixture).suffix();
        };
        DocBuilder table;
        for (int i = 0; i < 22; ++i) table.paragraph(test::sampleParagraph(i, 120));
        table.table(70, 3);
        for (int i = 22; i < 30; ++i) table.paragraph(test::sampleParagraph(i, 120));
        row("table across pages", table, 6, true);
        // Tracked changes on pages after the first come into their parts as they stand.
        row("tracked change, table across pages", DocBuilder(table).deletedText("gone at the end"),
            6, true);
        DocBuilder changes;
        changes.paragraph("first page").deletedText("gone from one").pageBreak().table(2, 2);
        changes.paragraph("after the table").deletedText("gone from two").pageBreak();
        changes.table(1, 1).paragraph("last page");
        row("tracked changes, tables open pages", changes, 3);
        // Emptying the opening that parts are pasted into must not be recorded as a deletion.
        row("change recording on",
            DocBuilder().recordChanges().paragraph("alpha page").pageBreak().paragraph("beta page"),
            2);
        DocBuilder opens;
        opens.paragraph("before the table").pageBreak().table(1, 1);
        opens.paragraph("after").pageBreak().table(3, 2);
        row("tables open pages", opens, 3);
        // Nothing comes before it to copy from, and a table of one cell copies as nothing.
        row("a table of one cell opens the document",
            DocBuilder().table(1, 1).paragraph("after the cell").pageBreak().paragraph("end"), 2);
        DocBuilder first;
        first.firstPageHeader("FIRST PAGE HEADER").header("OTHER PAGES HEADER");
        for (int i = 0; i < 12; ++i) first.paragraph(test::sampleParagraph(i, 120));
        row("first-page header", first, 3);
        // Word 97 files give the style a first page of its own instead of a style of its own.
        row("first-page header, Word 97", first, 3, false, "doc");
        DocBuilder notes;
        for (int i = 0; i < 4; ++i)
            notes.paragraph(test::sampleParagraph(i, 20)).footnote(QString::number(i)).pageBreak();
        row("footnotes numbered on", notes.paragraph("end"), 4);
        DocBuilder lists;
        for (int i = 1; i <= 9; ++i) {
            if (i == 4 || i == 7) lists.pageBreak();
            lists.numberedItem(QStringLiteral("item %1").arg(i));
        }
        row("numbered lists", lists, 3);
        row("landscape, header and footer",
            test::pagedDocument(3, "wide").landscape().header("the header").footer("the footer"),
            3);
        // A bulleted paragraph running on to the next page shows its bullet once.
        DocBuilder bullets;
        for (int i = 0; i < 12; ++i) bullets.bulletItem(test::sampleParagraph(i, 160));
        row("bullet runs on", bullets, 2);
        real("real first-page header", "python-docx/sct-first-page-hdrftr.docx", 1);
        // Empty paragraphs of their own size, and a first page of the style's own.
        real("real Word 97 title page", "poi/Bug50936_2.doc", 15);
        real("file opened with the view in a table", "poi/Bug47287.doc", 2);
    }
    void onePagePerPart() {
        QFETCH(DocBuilder, doc);
        QFETCH(QString, fixture);
        QFETCH(int, minPages);
        QFETCH(bool, tableEnds);
        QFETCH(QString, format);
        const QString src = m_dir + "/src." + format;
        if (!fixture.isEmpty() && test::fixturesDir().isEmpty())
            QSKIP("../shared/fixtures is absent: no real documents to split");
        // The run writes beside its source, so a fixture is read from a copy.
        QVERIFY(fixture.isEmpty() ? test::makeDocument(*m_app, doc, src)
                                  : QFile::copy(test::fixturesDir() + u'/' + fixture, src));
        const QString srcPdf = test::exportPdf(*m_app, src);
        const int pages = test::pdfPageCount(srcPdf);
        QVERIFY(pages >= minPages);
        ScriptedPrompts p;
        const SplitResult r =
            checkedRun(test::everyPage({src}, NamingMode::Sequence, m_dir + "/parts"), p);
        QCOMPARE(r.completionMessage, msg::Finished);
        QCOMPARE(r.written.size(), pages);
        const QString size = QStringLiteral("Page size");
        for (int k = 1; k <= pages; ++k) {
            const QString pdf = test::exportPdf(*m_app, r.written[k - 1]);
            QCOMPARE(test::pdfPageText(pdf, 1), test::pdfPageText(srcPdf, k));
            QCOMPARE(test::pdfInfo(pdf, size), test::pdfInfo(srcPdf, size));
            const int n = test::pdfPageCount(pdf);
            const bool emptySpill = tableEnds && n == 2 && test::pdfPageText(pdf, 2).isEmpty();
            QVERIFY2(n == 1 || emptySpill, qPrintable(QStringLiteral("part %1 is longer").arg(k)));
            // What the part says of itself: its own pages, not the whole source's.
            if (format == u"docx" && pages > 1)
                QVERIFY(!word::DocxPackage::open(r.written[k - 1])
                             ->read("docProps/app.xml")
                             ->contains(QStringLiteral("<Pages>%1</Pages>").arg(pages).toUtf8()));
        }
    }

    // The office cannot select hidden text where it ends a selection: a hidden paragraph just
    // before a table that runs on to the next page must still come into its part.
    void hiddenTextComesAlong() {
        DocBuilder b;
        for (int i = 0; i < 4; ++i) b.paragraph(test::sampleParagraph(i, 120));
        b.hiddenParagraph("hidden words").table(40, 3).paragraph("end");
        const QString src = make(b, "src.docx");
        ScriptedPrompts p;
        const SplitResult r =
            checkedRun(test::everyPage({src}, NamingMode::Sequence, m_dir + "/parts"), p);
        QVERIFY(r.written.size() >= 2);
        QString joined;
        for (const QString& part : r.written) joined += test::documentText(*m_app, part);
        QCOMPARE(joined.count(QStringLiteral("hidden words")), 1);
    }

    void severalOfficesGiveTheRunOfOne_data() {
        QTest::addColumn<int>("naming");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("counter") << 3 << QStringList{"1.docx", "2.docx", "3.docx",
                                                     "4.docx", "5.docx", "6.docx"};
        QTest::newRow("first characters")
            << 2 << QStringList{"alpha.docx",          "alpha(2).docx", "alpha(2)(3).docx",
                                "alpha(2)(3)(4).docx", "gamma.docx",    "gamma(2).docx"};
    }
    // Names, the run-wide counter, failures, progress and messages as with one office, and the
    // same content in each part.
    void severalOfficesGiveTheRunOfOne() {
        QFETCH(int, naming);
        const QString damaged = m_dir + "/damaged.docx";
        QVERIFY(test::writeFile(damaged, QByteArray("PK\x03\x04", 4) + QByteArray(3000, 'x')));
        const QStringList docs = {make(test::pagedDocument(3, "alpha"), "a.docx"), damaged,
                                  make(test::pagedDocument(1, "alpha"), "b.docx"),
                                  make(test::pagedDocument(2, "gamma"), "c.docx")};
        QStringList runs[2];  // each run's messages, failures, progress and parts' texts
        for (const int jobs : {1, 2}) {
            SplitRequest req = test::everyPage(docs, NamingMode(naming),
                                               m_dir + QStringLiteral("/jobs%1").arg(jobs));
            req.firstWordsText = "5";
            req.jobs = jobs;
            ScriptedPrompts p;
            const SplitResult r = checkedRun(req, p);
            QStringList names, &got = runs[jobs - 1];
            for (const QString& w : r.written) names << QFileInfo(w).fileName();
            QTEST(names, "names");
            got = p.messages;
            for (const SplitFailure& e : r.failures)
                got << e.source + QString::number(e.part) + e.reason;
            for (const Progress& step : p.steps)
                got << QStringLiteral("%1 %2/%3 %4")
                           .arg(step.documentIndex)
                           .arg(step.partIndex)
                           .arg(step.partCount)
                           .arg(QFileInfo(step.written).fileName());
            for (const QString& w : r.written) got << test::documentText(*m_app, w);
            got.replaceInStrings(req.outDirText, QStringLiteral("OUT"));
        }
        QCOMPARE(runs[1], runs[0]);
        QVERIFY(runs[0].last().startsWith("gamma page 2 heading"));
    }
};

QTEST_GUILESS_MAIN(TestSplitRunOffice)
#include "tst_splitrun_office.moc"
