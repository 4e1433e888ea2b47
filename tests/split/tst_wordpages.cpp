// Documents cut at the pages Word recorded, against the real LibreOffice: documents the test
// writes with known page starts, and the real ones among the shared fixtures that record Word's
// layout completely. The office lays all of these out differently from Word.

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include "split/splitmessages.h"
#include "split/splitrun.h"
#include "tests/support/office.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/wordpackage.h"
#include "word/wordlayout.h"

using namespace pw;
using namespace pw::split;

namespace {

using test::wordxml::markedRun;
using test::wordxml::run;
using test::wordxml::Word;
const auto para = test::wordxml::paragraph;

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

class TestWordPages : public test::OfficeTestCase {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QList<QPair<QString, int>> m_sources;  // every row's source and the pagination asked for
    QMap<int, SplitResult> m_runs;         // by the pagination asked for

private slots:
    // The rows asking for the same pagination are cut in one run, so that the office starts
    // once for them all.
    void cut_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("used");            // -1: the source fails
        QTest::addColumn<QStringList>("starts");  // of the parts; none: Word's own
        const int Auto = int(Pagination::Auto), WordPages = int(Pagination::Word);
        const QString dir = m_tmp.filePath(QStringLiteral("made"));
        QDir().mkpath(dir);
        m_sources.clear();
        auto add = [&](const char* name, const QString& body, const QString& application, int pages,
                       int asked, int used, const QStringList& starts) {
            const QString source = QStringLiteral("%1/doc%2p.docx").arg(dir).arg(m_sources.size());
            QVERIFY(test::writeWordPackage(source, body, application, pages));
            m_sources.append({source, asked});
            QTest::newRow(name) << source << asked << used << starts;
        };
        add("plain paragraphs", Plain, Word, 3, Auto, WordPages,
            {"Alpha first page", "Bravo second page", "Delta third page"});
        add("inside a table",
            para(run("Echo before the table")) +
                test::wordxml::table({{run("Foxtrot one"), run("Golf one")},
                                      {markedRun("Hotel two"), run("India two")},
                                      {run("Juliet three"), run("Kilo three")}}) +
                para(run("Lima after")),
            Word, 2, Auto, WordPages, {"Echo before", "Hotel two"});
        add("a page that begins with a field",
            para(run("Uniform before")) +
                para(test::wordxml::field("QUOTE \"x\"", markedRun("Victor quoted")) +
                     run(" Whiskey after")),
            Word, 2, Auto, WordPages, {"Uniform before", "Victor quoted"});
        add("a page that begins with a simple field",
            para(run("Xray before")) + para("<w:fldSimple w:instr=\" QUOTE x \">" +
                                            markedRun("Yankee quoted") + "</w:fldSimple>"),
            Word, 2, Auto, WordPages, {"Xray before", "Yankee quoted"});
        add("Word's pages asked for but not recorded", Plain, Word, 4, WordPages, -1, {});
        // The python-docx files with rendered page breaks and the Open-XML-PowerTools files that
        // record Word's layout completely.
        const QString fixtures = test::fixturesDir();
        if (fixtures.isEmpty())
            QTest::newRow("real documents") << QString() << 0 << 0 << QStringList();
        const QString probe = m_tmp.filePath(QStringLiteral("probe.docx"));
        for (const char* folder : {"python-docx", "powertools"}) {
            const QDir real(fixtures + "/" + folder);
            for (const QString& name : real.entryList({"*.docx"}, QDir::Files, QDir::Name)) {
                if (fixtures.isEmpty() ||
                    !word::markWordPageStarts(real.filePath(name), probe).marked)
                    continue;
                QFile::remove(probe);
                m_sources.append({real.filePath(name), Auto});
                QTest::newRow(qPrintable(name))
                    << real.filePath(name) << Auto << WordPages << QStringList();
            }
        }
    }
    void cut() {
        QFETCH(QString, source);
        QFETCH(int, asked);
        QFETCH(int, used);
        QFETCH(QStringList, starts);
        if (source.isEmpty())
            QSKIP("../shared/fixtures is absent: the real documents are not here");
        const bool real = starts.isEmpty() && used >= 0;
        if (real) starts = test::wordPageTexts(source);
        const QString out = m_tmp.filePath(QStringLiteral("parts%1").arg(asked));
        if (!m_runs.contains(asked)) {
            SplitRequest r;
            QMap<QString, QByteArray> hashes;
            for (const auto& [path, pagination] : m_sources) {
                if (pagination != asked) continue;
                r.documents << path;
                hashes[path] = test::fileHash(path);
            }
            r.pagesText = QStringLiteral("1");
            r.naming = NamingMode::PartNumber;
            r.output = OutputRule::ChosenFolder;
            r.outDirText = out;
            r.pagination = Pagination(asked);
            QVERIFY(QDir().mkpath(out));
            test::ScriptedPrompts prompts;
            word::LibreOfficeFactory office;
            m_runs[asked] = runSplit(r, prompts, office);
            for (const QString& path : r.documents) QCOMPARE(test::fileHash(path), hashes[path]);
        }
        const SplitResult& r = m_runs[asked];
        QStringList failures;
        for (const SplitFailure& f : r.failures)
            if (f.source == source) failures << f.reason;
        const QString base = out + "/" + QFileInfo(source).completeBaseName();
        QCOMPARE(failures, used < 0 ? QStringList{msg::ReasonPageMap} : QStringList());
        QVERIFY(!QFileInfo::exists(base + QString::number(starts.size() + 1) + ".docx"));
        if (used < 0) return;
        QVERIFY(r.pageCounts.contains(SourcePages{source, int(starts.size()), Pagination(used)}));
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
