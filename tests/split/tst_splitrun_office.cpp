// The split run end to end against the real LibreOffice, on documents the tests make and on a
// few real ones. Every run is checked for unchanged sources, no blank copy left behind and no
// office process left running.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "split/splitmessages.h"
#include "split/splitrun.h"
#include "tests/support/office.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/testdocs.h"
#include "tests/support/testenv.h"

using namespace pw;
using namespace pw::split;
using pw::test::DocBuilder;
Q_DECLARE_METATYPE(pw::test::DocBuilder)
using pw::test::ScriptedPrompts;

namespace {

// The runs of this test process only: other programs may split at the same time.
QStringList scratchFolders() {
    const QString mine =
        QStringLiteral("pagewright-split-%1-*").arg(QCoreApplication::applicationPid());
    return QDir(QDir::tempPath()).entryList({mine}, QDir::Dirs | QDir::Hidden);
}

QStringList fileNames(const QStringList& paths) {
    QStringList names;
    for (const QString& p : paths) names << QFileInfo(p).fileName();
    return names;
}

// Page size as pdfinfo gives it, e.g. "841.89 x 595.276 pts (A4)".
QString pdfPageSize(const QString& pdf) {
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(60000);
    static const QRegularExpression size(QStringLiteral("Page size:\\s+([^\\n]+)"));
    return size.match(QString::fromUtf8(p.readAllStandardOutput())).captured(1).trimmed();
}

}  // namespace

class TestSplitRunOffice : public QObject {
    Q_OBJECT

    std::unique_ptr<word::Application> m_app;  // makes and reads documents for the checks
    QTemporaryDir m_tmp;
    int m_case = 0;
    QString m_dir;

    QString make(const DocBuilder& b, const QString& name) {
        const QString path = m_dir + "/" + name;
        [&] { QVERIFY2(test::makeDocument(*m_app, b, path), qPrintable(path)); }();
        return path;
    }

    // Runs the split and checks what every run must leave behind.
    SplitResult run(const SplitRequest& req, ScriptedPrompts& prompts) {
        QMap<QString, QByteArray> hashes;
        for (const QString& d : req.documents) hashes[d] = test::fileHash(d);
        const QStringList scratchBefore = scratchFolders();
        word::LibreOfficeFactory office;
        const SplitResult r = runSplit(req, prompts, office);
        [&] {
            for (const QString& d : req.documents)
                QVERIFY2(test::fileHash(d) == hashes[d], qPrintable("changed: " + d));
            QCOMPARE(scratchFolders(), scratchBefore);
            for (const QString& d : req.documents) {
                const QString folder = QFileInfo(d).path();
                QVERIFY(!QFileInfo::exists(folder + "/~tmp.docx"));
                QVERIFY(!QFileInfo::exists(folder + "/~tmp.doc"));
            }
            // Only the helper office of this test is left.
            bool one = false;
            for (int waited = 0; waited < 15000 && !one; waited += 100) {
                one = test::officeProcesses().size() <= 1;
                if (!one) QThread::msleep(100);
            }
            QVERIFY2(one, "an office process of the run is still there");
            QCOMPARE(prompts.busy.size(), 2);
        }();
        return r;
    }

    static SplitRequest request(const QStringList& docs, int pages, int naming) {
        SplitRequest r;
        r.documents = docs;
        r.pagesText = QString::number(pages);
        r.naming = NamingMode(naming);
        return r;
    }

private slots:
    void initTestCase() {
        m_app = test::startOffice();
        QVERIFY(m_app);
    }
    void cleanupTestCase() {
        m_app.reset();
        QVERIFY(test::waitNoOfficeProcesses());
    }
    void init() {
        m_dir = m_tmp.filePath(QString::number(++m_case));
        QVERIFY(QDir().mkpath(m_dir));
    }

    // Part names keep the source's extension and the parts its format.
    void tenPages_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QStringList>("ranges");
        QTest::newRow("every 3") << 0 << 3 << ".docx" << QStringList{"1-3", "4-6", "7-9", "10-10"};
        QTest::newRow("into 6") << 1 << 6 << ".docx"
                                << QStringList{"1-2", "3-4", "5-6", "7-8", "9-10"};
        QTest::newRow(".doc, every 5") << 0 << 5 << ".doc" << QStringList{"1-5", "6-10"};
    }
    void tenPages() {
        QFETCH(int, mode);
        QFETCH(int, n);
        QFETCH(QString, ext);
        QFETCH(QStringList, ranges);
        const QString src = make(test::pagedDocument(10, "Report", 25), "Report" + ext);
        SplitRequest req = request({src}, n, 0);
        req.mode = SplitMode(mode);
        req.newDocsText = QString::number(n);
        ScriptedPrompts p;
        const SplitResult r = run(req, p);
        QCOMPARE(r.completionMessage, msg::Finished);
        QCOMPARE(r.pageCounts.value(0).pages, 10);
        QStringList expected;
        for (const QString& range : ranges) {
            const QStringList fl = range.split('-');
            expected << QStringLiteral("Report%1页-%2页").arg(fl[0], fl[1]) + ext;
        }
        QCOMPARE(fileNames(r.written), expected);

        QStringList texts;
        for (int i = 0; i < r.written.size(); ++i) {
            texts << test::documentText(*m_app, r.written[i]);
            QFile part(r.written[i]), source(src);
            QVERIFY(part.open(QIODevice::ReadOnly) && source.open(QIODevice::ReadOnly));
            QCOMPARE(part.read(4), source.read(4));
            if (i == 0 || i + 1 == r.written.size()) {
                // The first and the last part, measured by the office's own export.
                const QStringList fl = ranges[i].split('-');
                QCOMPARE(test::pdfPageCount(test::exportPdf(*m_app, r.written[i])),
                         fl[1].toInt() - fl[0].toInt() + 1);
            }
        }
        QCOMPARE(texts.join(u' '), test::documentText(*m_app, src));
    }

    void partsNamedByTheirFirstCharacters() {
        DocBuilder a;
        a.paragraph(QStringLiteral("  X/Y Z*tail of the first"));
        a.pageBreak().paragraph(QStringLiteral("第一章 总则 second page"));
        a.pageBreak().paragraph(QStringLiteral("third page"));
        const QString docA = make(a, "Alpha.docx");
        const QString docB = make(test::pagedDocument(2, "beta"), "Beta.docx");

        SplitRequest req = request({docA, docB}, 1, 2);
        req.firstWordsText = "3";
        req.output = OutputRule::ChosenFolder;
        req.outDirText = m_dir + QStringLiteral("/rule2");
        ScriptedPrompts p;
        p.answers = {true};
        const SplitResult r = run(req, p);
        QCOMPARE(fileNames(r.written),
                 (QStringList{"XYZ.docx", "第一章.docx", "thi.docx", "bet.docx", "bet(2).docx"}));
        QVERIFY(test::documentText(*m_app, m_dir + "/rule2/XYZ.docx").startsWith("X/Y Z*tail"));
    }

    // Part k must hold exactly page k of the office's own export of the source, on one page of
    // the same size. A part that ends with a table needs the paragraph every document has after
    // its last table; where the table fills the page to its foot, that empty paragraph alone
    // takes a second page, which is allowed where tableEnds says so.
    void checkOnePagePerPart(const QString& src, int minPages, bool tableEnds) {
        const QString srcPdf = test::exportPdf(*m_app, src);
        const int pages = test::pdfPageCount(srcPdf);
        QVERIFY(pages >= minPages);
        SplitRequest req = request({src}, 1, 3);
        req.output = OutputRule::ChosenFolder;
        req.outDirText = m_dir + "/parts";
        ScriptedPrompts p;
        p.answers = {true};
        const SplitResult r = run(req, p);
        QCOMPARE(r.completionMessage, msg::Finished);
        QCOMPARE(r.written.size(), pages);
        QStringList wrong, longer;
        for (int k = 1; k <= pages; ++k) {
            const QString pdf = test::exportPdf(*m_app, r.written[k - 1]);
            if (test::pdfPageText(pdf, 1) != test::pdfPageText(srcPdf, k) ||
                pdfPageSize(pdf) != pdfPageSize(srcPdf))
                wrong << QString::number(k);
            const int n = test::pdfPageCount(pdf);
            const bool emptySpill = tableEnds && n == 2 && test::pdfPageText(pdf, 2).isEmpty();
            if (n != 1 && !emptySpill) longer << QString::number(k);
        }
        QCOMPARE(wrong.join(' '), QString());
        QCOMPARE(longer.join(' '), QString());
    }

    void onePagePerPart_data() {
        QTest::addColumn<DocBuilder>("doc");
        QTest::addColumn<int>("minPages");
        QTest::addColumn<bool>("tableEnds");
        // Paragraphs cross page ends; no break anywhere.
        DocBuilder flow;
        for (int i = 0; i < 40; ++i) flow.paragraph(test::sampleParagraph(i, 120));
        QTest::newRow("flowing text") << flow << 8 << false;
        DocBuilder table;
        for (int i = 0; i < 22; ++i) table.paragraph(test::sampleParagraph(i, 120));
        table.table(70, 3,
                    [](int r, int c) { return QStringLiteral("row %1 cell %2").arg(r).arg(c); });
        for (int i = 22; i < 30; ++i) table.paragraph(test::sampleParagraph(i, 120));
        QTest::newRow("table across pages") << table << 6 << true;
        // Tracked changes on pages after the first come into their parts as they stand.
        QTest::newRow("tracked change, table across pages")
            << DocBuilder(table).deletedText("gone at the end") << 6 << true;
        DocBuilder changes;
        changes.paragraph("first page").deletedText("gone from one").pageBreak();
        changes.table(2, 2, [](int r, int c) { return QStringLiteral("t%1%2").arg(r).arg(c); });
        changes.paragraph("after the table").deletedText("gone from two").pageBreak();
        changes.table(1, 1, [](int, int) { return QStringLiteral("lone cell"); });
        changes.paragraph("last page");
        QTest::newRow("tracked changes, tables open pages") << changes << 3 << false;
        // Emptying the opening that parts are pasted into must not be recorded as a deletion.
        DocBuilder tracked;
        tracked.recordChanges().paragraph("alpha page").pageBreak().paragraph("beta page");
        QTest::newRow("change recording on") << tracked << 2 << false;
        // A part that is the whole document keeps what a copy leaves out.
        DocBuilder deleted;
        deleted.paragraph("kept words").deletedText("tracked deletion");
        QTest::newRow("tracked deletion") << deleted << 1 << false;
        DocBuilder opens;
        opens.paragraph("before the table").pageBreak();
        opens.table(1, 1, [](int, int) { return QStringLiteral("lone cell"); });
        opens.paragraph("after").pageBreak().table(
            3, 2, [](int r, int c) { return QStringLiteral("r%1c%2").arg(r).arg(c); });
        QTest::newRow("tables open pages") << opens << 3 << false;
        DocBuilder first;
        first.firstPageHeader("FIRST PAGE HEADER").header("OTHER PAGES HEADER");
        for (int i = 0; i < 12; ++i) first.paragraph(test::sampleParagraph(i, 120));
        QTest::newRow("first-page header") << first << 3 << false;
        DocBuilder notes;
        for (int i = 0; i < 4; ++i)
            notes.paragraph(test::sampleParagraph(i, 20))
                .footnote(QStringLiteral("note %1").arg(i))
                .pageBreak();
        notes.paragraph("end");
        QTest::newRow("footnotes numbered on") << notes << 4 << false;
        DocBuilder lists;
        for (int i = 1; i <= 9; ++i) {
            if (i == 4 || i == 7) lists.pageBreak();
            lists.numberedItem(QStringLiteral("item %1").arg(i));
        }
        QTest::newRow("numbered lists") << lists << 3 << false;
        DocBuilder land = test::pagedDocument(3, "wide");
        land.landscape().header("the running header").footer("the running footer");
        QTest::newRow("landscape, header and footer") << land << 3 << false;
        // A bulleted paragraph running on to the next page shows its bullet once.
        DocBuilder bullets;
        for (int i = 0; i < 12; ++i) bullets.bulletItem(test::sampleParagraph(i, 160));
        QTest::newRow("bullet runs on") << bullets << 2 << false;
    }

    void onePagePerPart() {
        QFETCH(DocBuilder, doc);
        QFETCH(int, minPages);
        QFETCH(bool, tableEnds);
        checkOnePagePerPart(make(doc, QStringLiteral("src.docx")), minPages, tableEnds);
    }

    void realDocumentWithFirstPageHeader() {
        const QString fixtures = test::fixturesDir();
        if (fixtures.isEmpty()) QSKIP("../shared/fixtures is absent: no real documents to split");
        // The run writes beside its source, so the fixture is read from a copy in a test folder.
        const QString src = m_dir + "/hdrftr.docx";
        QVERIFY(QFile::copy(fixtures + "/python-docx/sct-first-page-hdrftr.docx", src));
        checkOnePagePerPart(src, 1, false);
    }

    void severalOfficesGiveTheRunOfOne_data() {
        QTest::addColumn<int>("naming");
        QTest::newRow("counter") << 3;
        QTest::newRow("first characters") << 2;
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
        QStringList seen[2], texts[2], report[2];
        for (const int jobs : {1, 2}) {
            SplitRequest req = request(docs, 1, naming);
            req.firstWordsText = "5";
            req.output = OutputRule::ChosenFolder;
            req.outDirText = m_dir + QStringLiteral("/jobs%1").arg(jobs);
            req.jobs = jobs;
            ScriptedPrompts p;
            p.answers = {true};
            const SplitResult r = run(req, p);
            const int k = jobs - 1;
            for (const Progress& step : p.steps)
                seen[k] << QStringLiteral("%1 %2/%3 %4")
                               .arg(step.documentIndex)
                               .arg(step.partIndex)
                               .arg(step.partCount)
                               .arg(QFileInfo(step.written).fileName());
            for (const QString& w : r.written) texts[k] << test::documentText(*m_app, w);
            report[k] = fileNames(r.written) + p.messages;
            for (const SplitFailure& e : r.failures)
                report[k] << e.source + QString::number(e.part) + e.reason;
            report[k].replaceInStrings(req.outDirText, QStringLiteral("OUT"));
        }
        QCOMPARE(report[1], report[0]);
        QCOMPARE(seen[1], seen[0]);
        QCOMPARE(texts[1], texts[0]);
        QCOMPARE(texts[0].size(), 6);
    }
};

QTEST_GUILESS_MAIN(TestSplitRunOffice)
#include "tst_splitrun_office.moc"
