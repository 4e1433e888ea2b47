// Documents cut at the pages Word recorded, against the real LibreOffice: documents the test
// writes with known page starts, and the real ones among the shared fixtures that record Word's
// layout completely. The office lays all of these out differently from Word.

#include <optional>

#include <QTemporaryDir>

#include "tests/split/splitoffice.h"
#include "tests/support/wordpackage.h"
#include "word/wordlayout.h"

using namespace pw;
using namespace pw::split;

namespace {

using namespace test::wordxml;

const QString Plain = para(run("Alpha first page")) + para(markedRun("Bravo second page")) +
                      para(run("Charlie still second ") + markedRun("Delta third page"));

// Text as the parts are compared: letters only, so that spaces, paragraph ends and list
// numbers made text do not count.
QString letters(const QStringList& texts) {
    QString out;
    for (const QChar c : texts.join(QString()))
        if (c.isLetter()) out += c;
    return out;
}

}  // namespace

class TestWordPages : public test::SplitOfficeCase {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QStringList m_sources;  // every row's, cut in one run so the office starts once
    std::optional<SplitResult> m_run;

private slots:
    void cut_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("starts");  // of the parts; none: Word's own
        const QString dir = m_tmp.filePath(QStringLiteral("made"));
        QDir().mkpath(dir);
        m_sources.clear();
        auto add = [&](const char* name, const QString& body, int pages,
                       const QStringList& starts) {
            m_sources << QStringLiteral("%1/doc%2p.docx").arg(dir).arg(m_sources.size());
            QVERIFY(test::writeWordPackage(m_sources.last(), body, Word, pages));
            QTest::newRow(name) << m_sources.last() << starts;
        };
        add("plain paragraphs", Plain, 3,
            {"Alpha first page", "Bravo second page", "Delta third page"});
        add("inside a table",
            para(run("Echo before the table")) +
                table({{run("Foxtrot one"), run("Golf one")},
                       {markedRun("Hotel two"), run("India two")},
                       {run("Juliet three"), run("Kilo three")}}) +
                para(run("Lima after")),
            2, {"Echo before", "Hotel two"});
        add("a page that begins with a field",
            para(run("Uniform before")) +
                para(field("QUOTE \"x\"", markedRun("Victor quoted")) + run(" Whiskey after")),
            2, {"Uniform before", "Victor quoted"});
        add("a page that begins with a simple field",
            para(run("Xray before")) + para("<w:fldSimple w:instr=\" QUOTE x \">" +
                                            markedRun("Yankee quoted") + "</w:fldSimple>"),
            2, {"Xray before", "Yankee quoted"});
        // The python-docx files with rendered page breaks and the Open-XML-PowerTools files that
        // record Word's layout completely.
        const QString fixtures = test::fixturesDir();
        if (fixtures.isEmpty()) QTest::newRow("real documents") << QString() << QStringList();
        const QString probe = m_tmp.filePath(QStringLiteral("probe.docx"));
        for (const char* folder : {"python-docx", "powertools"}) {
            const QDir real(fixtures + "/" + folder);
            for (const QString& name : real.entryList({"*.docx"}, QDir::Files, QDir::Name)) {
                if (fixtures.isEmpty() ||
                    !word::markWordPageStarts(real.filePath(name), probe).marked)
                    continue;
                QFile::remove(probe);
                m_sources << real.filePath(name);
                QTest::newRow(qPrintable(name)) << m_sources.last() << QStringList();
            }
        }
    }
    void cut() {
        QFETCH(QString, source);
        QFETCH(QStringList, starts);
        if (source.isEmpty())
            QSKIP("../shared/fixtures is absent: the real documents are not here");
        const bool real = starts.isEmpty();
        if (real) starts = test::wordPageTexts(source);
        const QString out = m_tmp.filePath(QStringLiteral("parts"));
        if (!m_run) {
            test::ScriptedPrompts prompts;
            m_run = checkedRun(test::everyPage(m_sources, NamingMode::PartNumber, out), prompts);
        }
        for (const SplitFailure& f : m_run->failures)
            QVERIFY2(f.source != source, qPrintable(f.reason));
        const QString base = out + "/" + QFileInfo(source).completeBaseName();
        QVERIFY(!QFileInfo::exists(base + QString::number(starts.size() + 1) + ".docx"));
        QVERIFY(
            m_run->pageCounts.contains(SourcePages{source, int(starts.size()), Pagination::Word}));
        // Part k begins with the text that follows Word's (k-1)-th page start, carries no
        // bookmark of the page starts, and the parts' text joined is the source's.
        QString joined;
        for (int k = 1; k <= starts.size(); ++k) {
            const QString part = base + QString::number(k) + ".docx";
            const QString text = letters(test::wordPageTexts(part));
            joined += text;
            QVERIFY2(text.startsWith(letters({starts[k - 1]}).left(15)),
                     qPrintable(QStringLiteral("part %1 begins \"%2\"").arg(k).arg(text.left(20))));
            QCOMPARE(test::wordPageTexts(part, test::PageCut::PageBookmarks).size(), 1);
        }
        QString whole = letters(test::wordPageTexts(source));
        if (real) {  // as the office stores it (tables wherever they stand), numbers made text
            auto doc = m_app->open(source);
            const QString stored = m_tmp.filePath(QStringLiteral("stored.docx"));
            QVERIFY2(doc && (*doc)->convertNumbersToText() && (*doc)->saveAs(stored),
                     "the source was not stored");
            whole = letters(test::wordPageTexts(stored));
        }
        QCOMPARE(joined, whole);
    }
};

QTEST_GUILESS_MAIN(TestWordPages)
#include "tst_wordpages.moc"
