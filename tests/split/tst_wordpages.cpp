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
#include "tests/support/testenv.h"
#include "tests/support/wordpackage.h"
#include "word/libreoffice/libreofficefactory.h"
#include "word/wordlayout.h"

using namespace pw;
using namespace pw::split;

namespace {

using test::wordxml::markedRun;
using test::wordxml::run;
using test::wordxml::table;
using test::wordxml::Word;
const auto para = test::wordxml::paragraph;

const QString Plain = para(run("Alpha first page")) + para(markedRun("Bravo second page")) +
                      para(run("Charlie still second ") + markedRun("Delta third page"));

// Text as the parts are compared: letters only, so that spaces, paragraph ends and list
// numbers made text do not count.
QString letters(const QString& text) {
    QString out;
    for (const QChar c : text)
        if (c.isLetter()) out += c;
    return out;
}

}  // namespace

class TestWordPages : public QObject {
    Q_OBJECT

    std::unique_ptr<word::Application> m_app;  // reads the parts and the sources
    QTemporaryDir m_tmp;
    int m_case = 0;
    QList<QPair<QString, Pagination>> m_made;  // the documents of madeDocuments, as asked
    QMap<int, SplitResult> m_madeRuns;         // by the pagination asked for
    std::unique_ptr<SplitResult> m_realRun;    // every real document, cut once
    QString m_realOut;

    SplitResult split(const QStringList& sources, Pagination pagination, const QString& out) {
        SplitRequest r;
        r.documents = sources;
        r.pagesText = QStringLiteral("1");
        r.naming = NamingMode::PartNumber;
        r.output = OutputRule::ChosenFolder;
        r.outDirText = out;
        r.pagination = pagination;
        test::ScriptedPrompts prompts;
        word::LibreOfficeFactory office;
        return runSplit(r, prompts, office);
    }

    // The source's text as the office stores it, list numbers made text as in the parts;
    // read from the XML, which holds tables wherever they stand.
    QString storedText(const QString& source) {
        auto doc = m_app->open(source);
        if (!doc) return QStringLiteral("<not opened: %1>").arg(doc.error().message);
        const QString stored = m_tmp.filePath(QStringLiteral("stored.docx"));
        if (!(*doc)->convertNumbersToText() || !(*doc)->saveAs(stored))
            return QStringLiteral("<not stored>");
        return test::wordPageTexts(stored).join(QString());
    }

    // What is wrong with the parts of source: part k must begin with the text that follows
    // Word's (k-1)-th page start, the parts' text joined must be the source's, and no part may
    // carry the bookmarks of the page starts.
    QStringList partFaults(const QString& source, const QStringList& parts,
                           const QStringList& starts, bool listsInSource = true) {
        QStringList faults;
        QString joined;
        for (int k = 0; k < parts.size(); ++k) {
            const QString part = letters(test::wordPageTexts(parts[k]).join(QString()));
            joined += part;
            const QString start = letters(starts.value(k)).left(15);
            if (!part.startsWith(start))
                faults << QStringLiteral("part %1 begins \"%2\", not \"%3\"")
                              .arg(k + 1)
                              .arg(part.left(20), start);
            if (test::wordPageTexts(parts[k], test::PageCut::PageBookmarks).size() != 1)
                faults << QStringLiteral("part %1 carries page bookmarks").arg(k + 1);
        }
        const QString whole = letters(listsInSource ? storedText(source)
                                                    : test::wordPageTexts(source).join(QString()));
        if (joined != whole) {
            const QString& got = joined;
            qsizetype at = 0;
            while (at < got.size() && at < whole.size() && got[at] == whole[at]) ++at;
            faults << QStringLiteral("the parts' text is not the source's from \"%1\": \"%2\"")
                          .arg(whole.mid(at, 30), got.mid(at, 30));
        }
        return faults;
    }

    QStringList realSources() {
        QStringList sources;
        const QString fixtures = test::fixturesDir();
        if (fixtures.isEmpty()) return sources;
        const QString probe = m_tmp.filePath(QStringLiteral("probe.docx"));
        for (const char* folder : {"python-docx", "powertools"}) {
            const QDir dir(fixtures + "/" + folder);
            for (const QString& name : dir.entryList({"*.docx"}, QDir::Files, QDir::Name)) {
                if (!word::markWordPageStarts(dir.filePath(name), probe).marked) continue;
                QFile::remove(probe);
                sources << dir.filePath(name);
            }
        }
        return sources;
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

    // Each row's document is written here; the rows asking for the same pagination are cut in
    // one run, so that the office starts once for them all.
    void madeDocuments_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("used");            // -1: the source fails
        QTest::addColumn<QStringList>("starts");  // of the parts

        const int Auto = int(Pagination::Auto), WordPages = int(Pagination::Word),
                  Office = int(Pagination::Office);
        const QString dir = m_tmp.filePath(QStringLiteral("made"));
        QDir().mkpath(dir);
        m_made.clear();
        auto add = [&](const char* name, const QString& body, const QString& application, int pages,
                       int asked, int used, const QStringList& starts) {
            const QString source = QStringLiteral("%1/doc%2p.docx").arg(dir).arg(m_made.size());
            QVERIFY(test::writeWordPackage(source, body, application, pages));
            m_made.append({source, Pagination(asked)});
            QTest::newRow(name) << source << asked << used << starts;
        };
        add("plain paragraphs", Plain, Word, 3, Auto, WordPages,
            {"Alpha first page", "Bravo second page", "Delta third page"});
        add("inside a table",
            para(run("Echo before the table")) +
                table({{run("Foxtrot one"), run("Golf one")},
                       {markedRun("Hotel two"), run("India two")},
                       {run("Juliet three"), run("Kilo three")}}) +
                para(run("Lima after")),
            Word, 2, Auto, WordPages, {"Echo before", "Hotel two"});
        add("inside a hyperlink",
            para(run("Mike text ") + "<w:hyperlink r:id=\"rIdLink\">" + run("November link ") +
                 markedRun("Oscar link end") + "</w:hyperlink>" + run(" Papa after")),
            Word, 2, Auto, WordPages, {"Mike text", "Oscar link end"});
        add("inside a field result",
            para(run("Quebec intro")) +
                para("<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText> TOC "
                     "\\o \"1-3\" </w:instrText></w:r><w:r><w:fldChar "
                     "w:fldCharType=\"separate\"/></w:r>" +
                     run("Romeo entry one")) +
                para(markedRun("Sierra entry two") +
                     "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>") +
                para(run("Tango after")),
            Word, 2, Auto, WordPages, {"Quebec intro", "Sierra entry two"});
        add("a page that begins with a field",
            para(run("Uniform before")) +
                para(test::wordxml::field("QUOTE \"x\"", markedRun("Victor quoted")) +
                     run(" Whiskey after")),
            Word, 2, Auto, WordPages, {"Uniform before", "Victor quoted"});
        add("one mark missing: the office's pages", Plain, Word, 4, Auto, Office,
            {"Alpha first page"});
        add("another application: the office's pages", Plain, "WPS Office", 3, Auto, Office,
            {"Alpha first page"});
        add("Word's pages asked for but not recorded", Plain, Word, 4, WordPages, -1, {});
    }
    void madeDocuments() {
        QFETCH(QString, source);
        QFETCH(int, asked);
        QFETCH(int, used);
        QFETCH(QStringList, starts);
        const QString out = m_tmp.filePath(QStringLiteral("made/parts%1").arg(asked));
        if (!m_madeRuns.contains(asked)) {
            QStringList sources;
            QMap<QString, QByteArray> hashes;
            for (const auto& [path, pagination] : m_made) {
                if (int(pagination) != asked) continue;
                sources << path;
                hashes[path] = test::fileHash(path);
            }
            QVERIFY(QDir().mkpath(out));
            m_madeRuns[asked] = split(sources, Pagination(asked), out);
            for (const QString& path : sources) QCOMPARE(test::fileHash(path), hashes[path]);
        }
        const SplitResult& r = m_madeRuns[asked];
        QList<SplitFailure> failures;
        for (const SplitFailure& f : r.failures)
            if (f.source == source) failures << f;
        const QString base = out + "/" + QFileInfo(source).completeBaseName();
        if (used < 0) {
            QCOMPARE(failures.size(), 1);
            QCOMPARE(failures[0].reason, msg::ReasonPageMap);
            QVERIFY(!QFileInfo::exists(base + "1.docx"));
            return;
        }
        QVERIFY(failures.isEmpty());
        QVERIFY(r.pageCounts.contains(SourcePages{source, int(starts.size()), Pagination(used)}));
        QStringList parts;
        for (int k = 1; k <= starts.size(); ++k) parts << base + QString::number(k) + ".docx";
        QVERIFY(!QFileInfo::exists(base + QString::number(starts.size() + 1) + ".docx"));
        const QStringList faults = partFaults(source, parts, starts, false);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }

    // The python-docx files with rendered page breaks and the Open-XML-PowerTools files that
    // record Word's layout completely, all cut in one run.
    void realDocuments_data() {
        QTest::addColumn<QString>("source");
        for (const QString& source : realSources())
            QTest::newRow(qPrintable(QFileInfo(source).fileName())) << source;
    }
    void realDocuments() {
        if (test::fixturesDir().isEmpty())
            QSKIP("../shared/fixtures is absent: the real documents are not here");
        QFETCH(QString, source);
        if (!m_realRun) {
            const QStringList sources = realSources();
            m_realOut = m_tmp.filePath(QStringLiteral("real"));
            QVERIFY(QDir().mkpath(m_realOut));
            m_realRun = std::make_unique<SplitResult>(split(sources, Pagination::Auto, m_realOut));
            QVERIFY(m_realRun->failures.isEmpty());
        }
        const QStringList starts = test::wordPageTexts(source);
        const auto counted =
            std::find_if(m_realRun->pageCounts.begin(), m_realRun->pageCounts.end(),
                         [&](const SourcePages& p) { return p.source == source; });
        QVERIFY(counted != m_realRun->pageCounts.end());
        QCOMPARE(*counted, (SourcePages{source, int(starts.size()), Pagination::Word}));
        QStringList parts;
        for (int k = 1; k <= starts.size(); ++k) {
            parts << m_realOut + "/" + QFileInfo(source).completeBaseName() + QString::number(k) +
                         ".docx";
            QVERIFY2(QFileInfo::exists(parts.last()), qPrintable(parts.last()));
        }
        QVERIFY(!QFileInfo::exists(m_realOut + "/" + QFileInfo(source).completeBaseName() +
                                   QString::number(starts.size() + 1) + ".docx"));
        const QStringList faults = partFaults(source, parts, starts);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }
};

QTEST_GUILESS_MAIN(TestWordPages)
#include "tst_wordpages.moc"
