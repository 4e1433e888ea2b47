// Word's recorded page starts carried into a private copy as bookmarks: which files count as
// recording Word's layout, and where each bookmark lands, on packages the test writes.

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/testenv.h"
#include "tests/support/wordpackage.h"
#include "word/docxpackage.h"
#include "word/wordlayout.h"

using namespace pw;

namespace {

using namespace test::wordxml;

const QString Plain = para(run("one")) + para(markedRun("two")) +
                      para(
                          "<w:r><w:rPr><w:b/></w:rPr><w:t>three</w:t><w:lastRenderedPageBreak/"
                          "><w:t>four</w:t></w:r>");

}  // namespace

class TestWordLayout : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;

private slots:
    void marksBecomeBookmarks_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("application");
        QTest::addColumn<int>("pages");
        QTest::addColumn<bool>("unprefixed");
        QTest::addColumn<QStringList>("expected");  // page texts at the bookmarks; none: no copy

        const QStringList plainPages{"one", "twothree", "four"};
        QTest::newRow("plain paragraphs, a run cut in two")
            << Plain << Word << 3 << false << plainPages;
        QTest::newRow("Word's names unprefixed") << Plain << Word << 3 << true << plainPages;
        QTest::newRow("field result across paragraphs")
            << para(field("TOC \\o \"1-3\"",
                          run("entry one") + "</w:p><w:p>" + markedRun("entry two")))
            << Word << 2 << false << QStringList{"entry one", "entry two"};
        QTest::newRow("content control and tracked insertion")
            << para("<w:sdt><w:sdtPr/><w:sdtContent>" + run("control ") + markedRun("inside") +
                    "</w:sdtContent></w:sdt>") +
                   para("<w:ins w:id=\"7\" w:author=\"a\">" + run("added ") + markedRun("later") +
                        "</w:ins>")
            << Word << 3 << false << QStringList{"control ", "insideadded ", "later"};
        QTest::newRow("a row that begins a page")
            << para(run("intro")) +
                   table({{run("r1a"), run("r1b")}, {markedRun("r2a"), run("r2b")}}) +
                   para(run("after"))
            << Word << 2 << false << QStringList{"intror1ar1b", "r2ar2bafter"};
        QTest::newRow("a row broken across pages goes whole with its first")
            << para(run("intro")) +
                   table({{run("r1a"), run("r1b") + markedRun("more")}, {run("r2a"), run("r2b")}}) +
                   para(run("after"))
            << Word << 2 << false << QStringList{"intror1ar1bmore", "r2ar2bafter"};
        QTest::newRow("the last row broken: the page begins after the table")
            << table({{run("r1a"), run("r1b") + markedRun("more")}}) + para(run("after")) << Word
            << 2 << false << QStringList{"r1ar1bmore", "after"};
        QTest::newRow("a text box's mark is not the main text's")
            << para(run("one")) +
                   para("<w:r><w:pict><v:shape><v:textbox><w:txbxContent>" +
                        para(markedRun("boxed")) +
                        "</w:txbxContent></v:textbox></v:shape></w:pict></w:r>") +
                   para(markedRun("two"))
            << Word << 2 << false << QStringList{"one", "two"};
        QTest::newRow("one mark missing") << Plain << Word << 4 << false << QStringList{};
        QTest::newRow("one mark too many") << Plain << Word << 2 << false << QStringList{};
        QTest::newRow("another application")
            << Plain << "LibreOffice/7.4.7.2$Linux_X86_64" << 3 << false << QStringList{};
    }
    void marksBecomeBookmarks() {
        QFETCH(QString, body);
        QFETCH(QString, application);
        QFETCH(int, pages);
        QFETCH(bool, unprefixed);
        QFETCH(QStringList, expected);
        const QString source = m_tmp.filePath(QTest::currentDataTag() + QStringLiteral(".docx"));
        const QString copy = m_tmp.filePath(QStringLiteral("copy.docx"));
        QVERIFY(test::writeWordPackage(source, body, application, pages, unprefixed));
        const QByteArray before = test::fileHash(source);

        const word::RecordedLayout layout = word::markWordPageStarts(source, copy);
        QCOMPARE(test::fileHash(source), before);
        QCOMPARE(layout.marked, !expected.isEmpty());
        QCOMPARE(QFileInfo::exists(copy), layout.marked);
        if (!layout.marked) return;
        QCOMPARE(test::wordPageTexts(copy, test::PageCut::PageBookmarks), expected);
        // No mark is left in the main text, and everything else is as it was.
        QCOMPARE(test::wordPageTexts(copy),
                 QStringList{test::wordPageTexts(source).join(QString())});
        QCOMPARE(word::DocxPackage::open(copy)->read("docProps/app.xml"),
                 word::DocxPackage::open(source)->read("docProps/app.xml"));
        QVERIFY(QFile::remove(copy));
    }
};

QTEST_GUILESS_MAIN(TestWordLayout)
#include "tst_wordlayout.moc"
