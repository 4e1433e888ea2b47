// Every real document of the shared fixtures split one page per part, as a user would, each
// part held against the office's own export of its source (both read under the source's name,
// as a field may show the file's name): nothing lost and nothing doubled in any document the
// office can open, the source untouched and nothing left behind. How many documents come out
// exactly like their pages is printed per folder.

#include <thread>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "shell/filenames.h"
#include "split/splitrun.h"
#include "tests/corpus/corpusoracle.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/testenv.h"
#include "word/libreoffice/libreofficefactory.h"

using namespace pw;

namespace {

constexpr int LongDocument = 40;  // pages

struct DocumentOutcome {
    QString name;
    bool opened = false;  // the office itself can open it
    bool listed = false;  // the split listed it as a failure of its own
    bool unchanged = false;
    bool textKept = false;  // the parts' main text joined equals the source's
    bool judged = false;    // its pages were held against the parts
    bool exact = false;     // and every part shows its page, on one page
    bool wordPages =
        false;  // cut at the pages Word recorded, which the office may lay out otherwise
    // Parts with no text where the part before runs over more pages: their page's text went
    // there. A page showing only its header or footer gives an empty part rightly.
    int emptyParts = 0;
    int pages = 0, parts = 0;
    QString why;
};

// Splits a share of the folder's documents in one run, then judges each against the oracle.
void judge(const QStringList& sources, const QString& work, QList<DocumentOutcome>& out) {
    QList<QByteArray> before;
    for (const QString& s : sources) before << test::fileHash(s);
    const QString outDir = work + QStringLiteral("/parts");
    QDir().mkpath(outDir);
    split::SplitRequest req;
    req.documents = sources;
    req.pagesText = QStringLiteral("1");
    req.naming = split::NamingMode::PageRange;
    req.output = split::OutputRule::ChosenFolder;
    req.outDirText = outDir;
    req.jobs = 1;  // the shares already run side by side
    test::ScriptedPrompts prompts;
    word::LibreOfficeFactory office;
    const split::SplitResult result = split::runSplit(req, prompts, office);

    test::CorpusOracle oracle(work);
    for (int i = 0; i < sources.size(); ++i) {
        const QString& source = sources[i];
        DocumentOutcome d;
        d.name = QFileInfo(source).fileName();
        d.unchanged = test::fileHash(source) == before[i];
        for (const auto& f : result.failures)
            if (f.source == source && f.part == 0) d.listed = true;
        for (const auto& counted : result.pageCounts)
            if (counted.source == source)
                d.wordPages = counted.pagination == split::Pagination::Word;
        const auto view = oracle.view(source, d.name);
        d.opened = view.has_value();
        if (!d.opened) {
            out << d;
            continue;
        }
        d.pages = int(view->pages.size());
        // The parts under the page-range naming rule, in page order.
        QStringList parts;
        for (int k = 1; k <= qMax(d.pages, 1) + 8; ++k) {
            const QString part = outDir + PathSeparator + GetFileBaseName(source) +
                                 QStringLiteral("%1页-%1页").arg(k) + GetFileExt(source);
            if (QFileInfo::exists(part)) parts << part;
        }
        d.parts = int(parts.size());
        // Long documents are held against their text only: a PDF of every part would take
        // most of the suite's time.
        d.judged = d.pages <= LongDocument;
        QString joined;
        int matching = 0;
        bool onePageEach = true;
        qsizetype pagesBefore = 1;
        for (int k = 0; k < parts.size(); ++k) {
            const auto part = oracle.view(parts[k], d.name, d.judged);
            if (!part) continue;
            joined += part->mainText;
            onePageEach = onePageEach && part->pages.size() == 1;
            if (d.judged && part->mainText.isEmpty() && pagesBefore > 1) ++d.emptyParts;
            pagesBefore = part->pages.size();
            if (k < view->pages.size() &&
                test::similarity(part->pages.join(QString()), view->pages[k]) >= 0.9)
                ++matching;
        }
        d.textKept = joined == view->mainText;
        d.why = QStringLiteral("source %1 characters, parts %2")
                    .arg(view->mainText.size())
                    .arg(joined.size());
        d.exact = d.textKept && d.parts == d.pages && matching == d.pages && onePageEach;
        out << d;
    }
}

}  // namespace

class TestCorpus : public QObject {
    Q_OBJECT

private slots:
    void splitEveryPage_data() {
        QTest::addColumn<QString>("folder");
        for (const char* folder : {"docxcompose", "python-docx", "poi", "powertools"})
            QTest::newRow(folder) << QString::fromLatin1(folder);
    }

    void splitEveryPage() {
        QFETCH(QString, folder);
        const QString fixtures = test::fixturesDir();
        if (fixtures.isEmpty())
            QSKIP("../shared/fixtures is absent: the real documents are not checked");
        QStringList sources;
        const QDir dir(fixtures + u'/' + folder);
        for (const QString& name : dir.entryList(
                 {QStringLiteral("*.doc"), QStringLiteral("*.docx")}, QDir::Files, QDir::Name))
            sources << dir.filePath(name);
        QVERIFY(!sources.isEmpty());

        // Two offices side by side, one for each core, each splitting every other document.
        QTemporaryDir work;
        QVERIFY(work.isValid());
        QList<DocumentOutcome> outcomes[2];
        std::vector<std::thread> workers;
        for (int w = 0; w < 2; ++w) {
            QStringList share;
            for (int i = w; i < sources.size(); i += 2) share << sources[i];
            const QString place = work.path() + QStringLiteral("/w%1").arg(w);
            QDir().mkpath(place);
            workers.emplace_back(
                [share, place, &outcomes, w] { judge(share, place, outcomes[w]); });
        }
        for (auto& t : workers) t.join();

        int opened = 0, judged = 0, exact = 0;
        QStringList failing, unopened, changed, unlisted, lost, empty;
        for (const auto& list : outcomes) {
            for (const DocumentOutcome& d : list) {
                if (!d.unchanged) changed << d.name;
                if (!d.opened) {
                    unopened << d.name;
                    if (!d.listed) unlisted << d.name;
                    continue;
                }
                ++opened;
                if (!d.textKept) lost << d.name + QStringLiteral(" (") + d.why + u')';
                // One that lost text is counted above; an empty part in one that kept it all
                // means its page's text went into another part.
                if (d.emptyParts && d.textKept) empty << d.name;
                if (!d.judged) continue;
                ++judged;
                if (d.exact)
                    ++exact;
                else
                    failing << QStringLiteral("%1 (%2 pages, %3 parts%4)")
                                   .arg(d.name)
                                   .arg(d.pages)
                                   .arg(d.parts)
                                   .arg(d.wordPages ? QStringLiteral(", Word's pages") : QString());
            }
        }
        const QString pid = QString::number(QCoreApplication::applicationPid());
        QVERIFY(QDir::temp()
                    .entryList({QStringLiteral("pagewright-split-") + pid + u'*'}, QDir::Dirs)
                    .isEmpty());
        qInfo(
            "%s: %d documents split, %d with nothing lost or doubled; %d of the %d up to %d "
            "pages exact (%.1f %%); %d cannot be opened: %s",
            qPrintable(folder), opened, opened - int(lost.size()), exact, judged, LongDocument,
            judged ? 100.0 * exact / judged : 0.0, int(unopened.size()),
            qPrintable(unopened.join(u' ')));
        if (!failing.isEmpty())
            qInfo("  not exact: %s", qPrintable(failing.join(QStringLiteral(", "))));
        if (!lost.isEmpty())
            qInfo("  text not kept: %s", qPrintable(lost.join(QStringLiteral("; "))));
        QVERIFY2(changed.isEmpty(), qPrintable(QStringLiteral("changed: ") + changed.join(u' ')));
        QVERIFY2(empty.isEmpty(), qPrintable(QStringLiteral("empty parts: ") + empty.join(u' ')));
        QVERIFY2(
            unlisted.isEmpty(),
            qPrintable(QStringLiteral("cannot be opened but not listed: ") + unlisted.join(u' ')));
        QVERIFY2(lost.isEmpty(), qPrintable(QStringLiteral("text not kept: ") + lost.join(u' ')));
    }
};

QTEST_GUILESS_MAIN(TestCorpus)
#include "tst_corpus.moc"
