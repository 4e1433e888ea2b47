// The document operations against the real office, on documents the tests make.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/testdocs.h"
#include "tests/support/testenv.h"
#include "tests/word/officetest.h"

using namespace pw;

namespace {

QByteArray head(const QString& path, int n) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(n) : QByteArray();
}

// The text of each page of the document's own PDF export.
QStringList pdfPages(word::Document& doc, const QString& pdf) {
    if (!doc.saveAs(pdf)) return {};
    QStringList pages;
    const int n = test::pdfPageCount(pdf);
    for (int k = 1; k <= n; ++k) pages << test::pdfPageText(pdf, k);
    return pages;
}

}  // namespace

class DocumentsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<word::Application> m_app;
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString make(const QString& name, const test::DocBuilder& builder) {
        const QString p = path(name);
        if (!test::makeDocument(*m_app, builder, p)) return {};
        return p;
    }

private slots:
    void initTestCase() {
        m_app = test::startOffice();
        QVERIFY(m_app);
        PW_REQUIRE(m_app->setOption(word::Option::CheckSpellingAsYouType, false));
        PW_REQUIRE(m_app->setOption(word::Option::SaveNormalPrompt, false));
        PW_REQUIRE(m_app->setDisplayAlerts(0));
    }

    void cleanupTestCase() {
        if (m_app) PW_REQUIRE(m_app->quit());
        QVERIFY(test::waitNoOfficeProcesses());
    }

    void saveFormatFollowsExtension() {
        test::DocBuilder b;
        b.paragraph(QStringLiteral("格式 format test"));
        const QString docx = make("f.docx", b), doc = make("f.doc", b), rtf = make("f.rtf", b);
        QCOMPARE(head(docx, 2), QByteArray("PK"));
        QCOMPARE(head(doc, 4), QByteArray("\xD0\xCF\x11\xE0"));
        QCOMPARE(head(rtf, 5), QByteArray("{\\rtf"));
        for (const QString& p : {docx, doc, rtf}) {
            auto opened = m_app->open(p);
            PW_REQUIRE(opened);
            QCOMPARE(*(*opened)->characters(), QStringLiteral("格式 format test\r"));
            QCOMPARE((*opened)->fullName(), p);
        }
    }

    void refusedSaveFailsAndTheOfficeLives() {
        auto fresh = m_app->add();
        PW_REQUIRE(fresh);
        for (const QString& p :
             {QStringLiteral("/proc/refused.docx"), path("no/such/folder.docx")}) {
            auto saved = (*fresh)->saveAs(p);
            QVERIFY2(!saved, qPrintable(p));
            QCOMPARE(saved.error().kind, word::Error::Kind::SaveFailed);
        }
        QVERIFY(!QFileInfo::exists(path("no")));
        QVERIFY(m_app->isAlive());
        PW_REQUIRE((*fresh)->saveAs(path("fine.docx")));
    }

    void openingLeavesTheFolderAlone() {
        test::DocBuilder b;
        b.paragraph(QStringLiteral("x"));
        const QString p = make("lock/x.docx", (QDir().mkpath(path("lock")), b));
        const QByteArray before = test::fileHash(p);
        auto opened = m_app->open(p);
        PW_REQUIRE(opened);
        PW_REQUIRE((*opened)->selection().wholeStory());
        PW_REQUIRE((*opened)->selection().deleteContent());
        QCOMPARE(QDir(path("lock")).entryList(QDir::Files | QDir::Hidden), QStringList{"x.docx"});
        PW_REQUIRE((*opened)->close(word::SaveChanges::Discard));
        QCOMPARE(test::fileHash(p), before);
    }

    // Junk, an empty file and text under a Word name are no documents, though the office
    // would open them as plain text.
    void badFilesFailToOpen() {
        using Kind = word::Error::Kind;
        const QMap<QString, QByteArray> junk = {
            {path("junk.docx"), QByteArray("PK\x03\x04") + QByteArray(4096, '\x07')},
            {path("empty.docx"), {}},
            {path("text.doc"), "Only plain text.\n"}};
        for (auto it = junk.begin(); it != junk.end(); ++it) {
            QFile f(it.key());
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(*it) == it->size());
        }
        QMap<QString, Kind> expected = {{path("missing.docx"), Kind::OpenFailed},
                                        {m_dir.path(), Kind::OpenFailed}};
        for (const QString& p : junk.keys()) expected[p] = Kind::NotDocument;
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            auto opened = m_app->open(it.key());
            QVERIFY2(!opened, qPrintable(it.key()));
            QCOMPARE(opened.error().kind, *it);
        }
        QVERIFY(m_app->isAlive());
    }

    void wholeStoryDeleteEmptiesTextAndTables() {
        test::DocBuilder b;
        b.header(QStringLiteral("keep this header"));
        for (int i = 0; i < 40; ++i) b.paragraph(test::sampleParagraph(i));
        b.table(30, 2, [](int r, int c) { return QStringLiteral("cell %1/%2").arg(r).arg(c); });
        b.paragraph(QStringLiteral("after the table"));
        auto opened = m_app->open(make("del.docx", b));
        PW_REQUIRE(opened);
        auto& doc = **opened;
        PW_REQUIRE(doc.selection().wholeStory());
        PW_REQUIRE(doc.selection().deleteContent());
        QCOMPARE(*doc.characters(), QStringLiteral("\r"));
        const QStringList pages = pdfPages(doc, path("del.pdf"));
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages.first(), QStringLiteral("keep this header"));
    }

    void copiedRangePastesWithItsText() {
        test::DocBuilder b;
        b.paragraph(QStringLiteral("page one"))
            .pageBreak()
            .paragraph(QStringLiteral("page two, first"))
            .paragraph(QStringLiteral("page two, second"))
            .pageBreak()
            .paragraph(QStringLiteral("page three"));
        auto source = m_app->open(make("copy.docx", b));
        PW_REQUIRE(source);
        auto& doc = **source;
        PW_REQUIRE(doc.select());
        auto textStart = doc.selection().start();
        auto textEnd = doc.selection().end();
        PW_REQUIRE(textStart);
        PW_REQUIRE(textEnd);
        PW_REQUIRE(doc.selection().collapseToStart());
        PW_REQUIRE(doc.selection().nextPage());
        auto page2 = doc.selection().end();
        PW_REQUIRE(doc.selection().nextPage());
        auto page3 = doc.selection().end();
        PW_REQUIRE(page2);
        PW_REQUIRE(page3);
        QVERIFY(*doc.compare(*textStart, *page2) < 0);
        QVERIFY(*doc.compare(*page2, *page3) < 0);
        QVERIFY(*doc.compare(*page3, *textEnd) < 0);
        QCOMPARE(*doc.compare(*page2, *page2), 0);
        // The last page: browsing stays put.
        PW_REQUIRE(doc.selection().nextPage());
        auto still = doc.selection().end();
        PW_REQUIRE(still);
        QCOMPARE(*doc.compare(*still, *page3), 0);

        auto range = doc.range(*page2, *page3);
        PW_REQUIRE(range);
        QCOMPARE(test::foldSpace(*(*range)->text()),
                 QStringLiteral("page two, first page two, second"));
        auto clip = (*range)->copy();
        PW_REQUIRE(clip);
        auto target = m_app->add();
        PW_REQUIRE(target);
        PW_REQUIRE((*target)->selection().paste(*clip));
        QCOMPARE(test::foldSpace((*target)->characters()->replace(u'\r', u' ')),
                 QStringLiteral("page two, first page two, second"));
    }

    void insertFileAndPageBreakBuildOneDocument() {
        test::DocBuilder a, c;
        a.paragraph(QStringLiteral("first document"));
        c.paragraph(QStringLiteral("third document"));
        const QString docA = make("ins-a.docx", a), docC = make("ins-c.doc", c);
        QFile txt(path("ins-b.txt"));
        QVERIFY(txt.open(QIODevice::WriteOnly));
        txt.write("plain text 纯文本\n");
        txt.close();
        QFile htm(path("ins-d.htm"));
        QVERIFY(htm.open(QIODevice::WriteOnly));
        htm.write("<html><body><p>web page</p></body></html>");
        htm.close();

        auto target = m_app->add();
        PW_REQUIRE(target);
        auto& doc = **target;
        auto& sel = doc.selection();
        PW_REQUIRE(sel.insertFile(docA));
        PW_REQUIRE(sel.endKey());
        PW_REQUIRE(sel.insertFile(path("ins-b.txt")));
        PW_REQUIRE(sel.endKey());
        PW_REQUIRE(sel.insertPageBreak());
        PW_REQUIRE(sel.insertFile(docC));
        PW_REQUIRE(sel.endKey());
        PW_REQUIRE(sel.insertPageBreak());
        PW_REQUIRE(sel.insertFile(path("ins-d.htm")));
        QVERIFY(!sel.insertFile(path("nothing-here.docx")));

        const QStringList pages = pdfPages(doc, path("ins.pdf"));
        QCOMPARE(pages,
                 (QStringList{"first document plain text 纯文本", "third document", "web page"}));
    }

    void orientationIsReadAndWritten() {
        test::DocBuilder wide;
        wide.landscape().paragraph(QStringLiteral("wide"));
        auto opened = m_app->open(make("wide.docx", wide));
        PW_REQUIRE(opened);
        QCOMPARE(*(*opened)->orientation(), word::OrientationLandscape);

        auto fresh = m_app->add();
        PW_REQUIRE(fresh);
        QCOMPARE(*(*fresh)->orientation(), word::OrientationPortrait);
        PW_REQUIRE((*fresh)->setOrientation(word::OrientationLandscape));
        PW_REQUIRE((*fresh)->saveAs(path("turned.docx")));
        PW_REQUIRE((*fresh)->close());
        auto again = m_app->open(path("turned.docx"));
        PW_REQUIRE(again);
        QCOMPARE(*(*again)->orientation(), word::OrientationLandscape);
        QVERIFY(!(*again)->setOrientation(7));
    }

    void listNumbersBecomeText() {
        test::DocBuilder b;
        b.numberedItem(QStringLiteral("alpha")).numberedItem(QStringLiteral("bravo"));
        b.pageBreak().numberedItem(QStringLiteral("charlie")).numberedItem(QStringLiteral("delta"));
        b.table(1, 1, [](int, int) { return QStringLiteral("in a table"); });
        auto opened = m_app->open(make("list.docx", b));
        PW_REQUIRE(opened);
        auto& doc = **opened;
        PW_REQUIRE(doc.convertNumbersToText());
        const QString text = *doc.characters();
        QVERIFY2(text.contains(QStringLiteral("3.\tcharlie")), qPrintable(text));
        // Copied alone, the second page keeps its numbers.
        PW_REQUIRE(doc.select());
        auto end = doc.selection().end();
        PW_REQUIRE(doc.selection().collapseToStart());
        PW_REQUIRE(doc.selection().nextPage());
        auto page2 = doc.selection().end();
        auto clip = (*doc.range(*page2, *end))->copy();
        PW_REQUIRE(clip);
        auto part = m_app->add();
        PW_REQUIRE(part);
        PW_REQUIRE((*part)->selection().paste(*clip));
        const QStringList pages = pdfPages(**part, path("list-part.pdf"));
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages.first(), QStringLiteral("3. charlie 4. delta in a table"));
    }
};

QTEST_GUILESS_MAIN(DocumentsTest)
#include "tst_documents.moc"
