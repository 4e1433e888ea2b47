// The run's logic on the in-memory office: what is opened, pasted, saved and closed, and how
// every kind of failure is met.

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "split/splitmessages.h"
#include "split/splitrun.h"
#include "tests/split/scriptedprompts.h"
#include "tests/support/fakeword.h"
#include "tests/support/testenv.h"

using namespace pw;
using namespace pw::split;
using pw::test::FakeContent;
using pw::test::FakeFault;
using pw::test::FakeWordFactory;
using pw::test::ScriptedPrompts;

namespace {

QList<QStringList> numberedPages(int count, const QString& tag = "p") {
    QList<QStringList> pages;
    for (int k = 1; k <= count; ++k)
        pages << QStringList{QStringLiteral("%1%2 first").arg(tag).arg(k),
                             QStringLiteral("%1%2 second").arg(tag).arg(k)};
    return pages;
}

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

}  // namespace

class TestSplitRunFake : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    int m_case = 0;
    QString m_dir;  // a fresh folder per test

    QString source(const QString& name, int pages, const QString& tag = "p") {
        const QString path = m_dir + "/" + name;
        FakeContent c = FakeContent::fromPages(numberedPages(pages, tag));
        [&] { QVERIFY(pw::test::writeFakeDocument(path, c)); }();
        return path;
    }
    static SplitRequest every(int pages, const QStringList& docs, int naming = 0) {
        SplitRequest r;
        r.documents = docs;
        r.pagesText = QString::number(pages);
        r.namingMode = naming;
        return r;
    }
    static QStringList pagesOf(const QString& path) {
        const auto c = pw::test::readFakeDocument(path);
        return c ? c->pageTexts() : QStringList{"<unreadable>"};
    }
    // Office gone, no document left open, no blank copy left anywhere we can see.
    void expectCleanEnd(const FakeWordFactory& office) {
        QCOMPARE(office.state().running, 0);
        QCOMPARE(office.state().openDocuments, 0);
        for (const auto& c : office.state().calls) {
            if (c.op == "saveAs" && QFileInfo(c.arg).fileName().startsWith("~tmp")) {
                QVERIFY2(!QFileInfo::exists(c.arg), qPrintable(c.arg));
                QVERIFY2(!QFileInfo::exists(QFileInfo(c.arg).path()), qPrintable(c.arg));
            }
        }
        for (const QString& f : filesIn(m_dir)) QVERIFY2(!f.startsWith("~tmp"), qPrintable(f));
    }

private slots:
    void init() {
        m_dir = m_tmp.filePath(QString::number(++m_case));
        QVERIFY(QDir().mkpath(m_dir));
    }

    void everyThreePages() {
        const QString src = source("Report.docx", 10);
        const QByteArray before = pw::test::fileHash(src);
        FakeWordFactory office;
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(3, {src}), p, office);

        QCOMPARE(r.outcome, SplitResult::Outcome::Completed);
        QCOMPARE(r.completionMessage, msg::Finished);
        QCOMPARE(p.messages.size(), 1);
        QCOMPARE(p.messages.last().text, msg::Finished);
        QCOMPARE(p.messages.last().icon, MessageIcon::Information);
        QCOMPARE(p.busy, (QList<bool>{true, false}));
        QCOMPARE(r.pageCounts.size(), 1);
        QCOMPARE(r.pageCounts[0].pages, 10);
        const QStringList names{"Report1页-3页.docx", "Report4页-6页.docx", "Report7页-9页.docx",
                                "Report10页-10页.docx"};
        QStringList expected;
        for (const QString& n : names) expected << m_dir + "/" + n;
        QCOMPARE(r.written, expected);

        const QStringList sourcePages = pw::test::readFakeDocument(src)->pageTexts();
        QStringList joined;
        for (const QString& f : r.written) joined += pagesOf(f);
        QCOMPARE(joined, sourcePages);
        QCOMPARE(pagesOf(r.written[3]), QStringList{sourcePages[9]});

        QCOMPARE(pw::test::fileHash(src), before);
        expectCleanEnd(office);
    }

    void oneOpeningPerSourceServesAsItsBlank() {
        const QString a = source("a.docx", 2);
        const QString b = source("b.DOCX", 3);
        FakeWordFactory office;
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(1, {a, b}), p, office);
        QCOMPARE(r.written.size(), 5);
        // Each source is loaded once; its parts are pasted into that opening, emptied, and
        // each paste is taken back after the part is stored. Nothing else is ever stored.
        QCOMPARE(office.state().count("open"), 2);
        QCOMPARE(office.state().count("undo"), 5);
        QCOMPARE(office.state().count("saveAs"), 5);
        expectCleanEnd(office);
    }
    void unsavedPartLeavesBlankCopyEmpty() {
        const QString src = source("R.docx", 3);
        FakeWordFactory office;
        // The second part's save fails; a run that did not take the paste back would leave its
        // pages in the third part.
        office.addFault({"saveAs", "R2.docx", word::Error::Kind::SaveFailed});
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(1, {src}, 1), p, office);
        QCOMPARE(r.written, (QStringList{m_dir + "/R1.docx", m_dir + "/R3.docx"}));
        QCOMPARE(pagesOf(m_dir + "/R3.docx"), QStringList{"p3 first\rp3 second\r"});
        QCOMPARE(r.failures.size(), 1);
        QCOMPARE(r.failures[0].part, 2);
        QCOMPARE(r.failures[0].target, m_dir + "/R2.docx");
        QVERIFY(r.completionMessage.startsWith(msg::Finished + "\n"));
        QVERIFY(r.completionMessage.contains("R2.docx"));
        QVERIFY(r.completionMessage.contains(msg::ReasonSave));
        expectCleanEnd(office);
    }

    void sourceNeverChangedWhateverFails_data() {
        QTest::addColumn<QString>("op");
        QTest::newRow("emptying") << "empty";
        QTest::newRow("blank copy save") << "saveAs";
        QTest::newRow("page browsing") << "pageStarts";
        QTest::newRow("copy") << "copy";
        QTest::newRow("paste") << "paste";
        QTest::newRow("numbers") << "convertNumbersToText";
    }
    void sourceNeverChangedWhateverFails() {
        QFETCH(QString, op);
        const QString src = source("S.docx", 4);
        const QByteArray before = pw::test::fileHash(src);
        FakeWordFactory office;
        office.addFault({op, {}, word::Error::Kind::Failed, 0, 1});
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(2, {src}), p, office);
        QCOMPARE(r.outcome, SplitResult::Outcome::Completed);
        QCOMPARE(pw::test::fileHash(src), before);
        if (op != "convertNumbersToText") {
            QVERIFY(!r.failures.isEmpty());
            QVERIFY(r.completionMessage != msg::Finished);
        }
        expectCleanEnd(office);
    }

    void unopenableDocumentsSkippedWithoutCounting() {
        const QString a = source("a.docx", 2, "a");
        const QString missing = m_dir + "/missing.docx";
        const QString damaged = m_dir + "/damaged.docx";
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("PK\3\4 not really");
        f.close();
        const QString c = source("c.docx", 3, "c");
        FakeWordFactory office;
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(1, {a, missing, damaged, c}, 3), p, office);
        QStringList names;
        for (const QString& w : r.written) names << QFileInfo(w).fileName();
        QCOMPARE(names, (QStringList{"1.docx", "2.docx", "3.docx", "4.docx", "5.docx"}));
        QCOMPARE(pagesOf(r.written[2]), QStringList{"c1 first\rc1 second\r"});
        QCOMPARE(r.pageCounts.size(), 2);
        QCOMPARE(r.pageCounts[1], (SourcePages{c, 3, Pagination::Office}));
        QCOMPARE(r.failures.size(), 2);
        QCOMPARE(r.failures[0].source, missing);
        QCOMPARE(r.failures[1].source, damaged);
        QVERIFY(r.completionMessage.contains("missing.docx：" + msg::ReasonOpen));
        QVERIFY(r.completionMessage.contains("damaged.docx：" + msg::ReasonOpen));
        expectCleanEnd(office);
    }

    void pageMapBuiltPerDocument() {
        const QString big = source("big.docx", 10, "b");
        const QString small = source("small.docx", 2, "s");
        FakeWordFactory office;
        ScriptedPrompts p;
        SplitRequest req = every(1, {big, small});
        req.splitMode = 1;
        req.newDocsText = "2";
        const SplitResult r = runSplit(req, p, office);
        QCOMPARE(r.pageCounts.size(), 2);
        QCOMPARE(r.pageCounts[1].pages, 2);
        QCOMPARE(r.written.size(), 4);
        QCOMPARE(QFileInfo(r.written[2]).fileName(), QStringLiteral("small1页-1页.docx"));
        QCOMPARE(pagesOf(r.written[3]), QStringList{"s2 first\rs2 second\r"});
    }

    void collisionsOnSecondRun() {
        const QString src = source("Report.doc", 5);
        for (int run = 0; run < 3; ++run) {
            FakeWordFactory office;
            ScriptedPrompts p;
            runSplit(every(2, {src}), p, office);
        }
        QStringList expected{"Report.doc",        "Report1页-2页(2).doc", "Report1页-2页(2)(3).doc",
                             "Report1页-2页.doc", "Report3页-4页(2).doc", "Report3页-4页(2)(3).doc",
                             "Report3页-4页.doc", "Report5页-5页(2).doc", "Report5页-5页(2)(3).doc",
                             "Report5页-5页.doc"};
        expected.sort();
        QCOMPARE(filesIn(m_dir), expected);
    }

    void rtfCollisionGetsCounterBeforeExtension() {
        const QString dotted = m_dir + "/my.docs";
        QVERIFY(QDir().mkpath(dotted));
        const QString src = dotted + "/R.rtf";
        QVERIFY(pw::test::writeFakeDocument(src, FakeContent::fromPages(numberedPages(1))));
        for (int run = 0; run < 2; ++run) {
            FakeWordFactory office;
            ScriptedPrompts p;
            runSplit(every(1, {src}, 1), p, office);
        }
        QCOMPARE(filesIn(dotted), (QStringList{"R.rtf", "R1(2).rtf", "R1.rtf"}));
        QVERIFY(QDir(dotted).exists());
    }

    void nameLengthLimit() {
        // Folder + base + "1" + ".docx": pick the base so the whole path is 254, then 255.
        const QString folder = m_dir + "/";
        const int fixed = int(folder.size()) + 1 + 5;
        const QString ok = source(QString(254 - fixed, u'k') + ".docx", 1);
        const QString tooLong = source(QString(255 - fixed, u'l') + ".docx", 1);
        FakeWordFactory office;
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(1, {ok, tooLong}, 1), p, office);
        QCOMPARE(r.written.size(), 1);
        QCOMPARE(r.written[0].size(), 254);
        QCOMPARE(p.messages.size(), 2);
        QCOMPARE(p.messages[0].text, msg::NameTooLong);
        QCOMPARE(p.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(r.failures.size(), 1);
        QCOMPARE(r.failures[0].reason, msg::ReasonNameTooLong);
        QVERIFY(r.completionMessage.contains(msg::ReasonNameTooLong));
        expectCleanEnd(office);
    }

    void sequenceAdvancesForRefusedNames() {
        const QString src = source("s.docx", 3);
        FakeWordFactory office;
        office.addFault({"saveAs", "/2.docx", word::Error::Kind::SaveFailed});
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(1, {src}, 3), p, office);
        QCOMPARE(r.written, (QStringList{m_dir + "/1.docx", m_dir + "/3.docx"}));
    }

    void firstCharactersName() {
        const QString src = m_dir + "/x.docx";
        QVERIFY(pw::test::writeFakeDocument(
            src, FakeContent::fromPages({{"  A/B C tail"}, {"第一章 总则"}})));
        FakeWordFactory office;
        ScriptedPrompts p;
        SplitRequest req = every(1, {src}, 2);
        req.firstWordsText = "3";
        const SplitResult r = runSplit(req, p, office);
        QCOMPARE(r.written, (QStringList{m_dir + "/ABC.docx", m_dir + "/第一章.docx"}));
    }

    void numbersBecomeTextBeforeCutting() {
        const QString src = m_dir + "/list.docx";
        QVERIFY(pw::test::writeFakeDocument(
            src, FakeContent::fromPages({{"{#}one", "{#}two"}, {"{#}three"}})));
        FakeWordFactory office;
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(1, {src}, 1), p, office);
        QCOMPARE(pagesOf(r.written[1]), QStringList{"3. three\r"});
    }

    void officeDoesNotStart() {
        const QString src = source("a.docx", 2);
        FakeWordFactory office;
        office.addFault({"create", {}, word::Error::Kind::NotInstalled});
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(1, {src}), p, office);
        QCOMPARE(r.outcome, SplitResult::Outcome::OfficeFailed);
        QCOMPARE(p.busy, (QList<bool>{true, false}));
        QCOMPARE(p.messages.size(), 1);
        QVERIFY(p.messages[0].text.startsWith(msg::OfficeNotStarted({}).trimmed()));
        QCOMPARE(p.messages[0].icon, MessageIcon::Exclamation);
        QVERIFY(r.written.isEmpty());
    }

    void officeDiesMidDocumentAndIsRestarted() {
        const QString a = source("a.docx", 4, "a");
        const QString b = source("b.docx", 2, "b");
        FakeWordFactory office;
        // Dies while pasting the second part of a.
        office.addFault({"paste", {}, word::Error::Kind::OfficeDead, 1, 1, true});
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(1, {a, b}, 1), p, office);
        QCOMPARE(office.state().created, 2);
        QStringList names;
        for (const QString& w : r.written) names << QFileInfo(w).fileName();
        QCOMPARE(names, (QStringList{"a1.docx", "b1.docx", "b2.docx"}));
        QCOMPARE(r.failures.size(), 3);
        QCOMPARE(r.failures[0].part, 2);
        QCOMPARE(r.failures[0].reason, msg::ReasonOfficeDead);
        QCOMPARE(r.failures[1].part, 3);  // the parts never tried
        QCOMPARE(r.failures[2].part, 4);
        QVERIFY(r.completionMessage.contains(msg::ReasonOfficeDead));
        expectCleanEnd(office);
    }

    void officeCannotBeRestarted() {
        const QString a = source("a.docx", 2, "a");
        const QString b = source("b.docx", 2, "b");
        FakeWordFactory office;
        office.addFault({"copy", {}, word::Error::Kind::OfficeDead, 0, 1, true});
        office.addFault({"create", {}, word::Error::Kind::StartFailed, 1});
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(1, {a, b}), p, office);
        QVERIFY(r.written.isEmpty());
        QCOMPARE(r.failures.last().source, b);
        QCOMPARE(r.outcome, SplitResult::Outcome::Completed);
        QVERIFY(r.completionMessage != msg::Finished);
        QCOMPARE(office.state().running, 0);
    }

    void cancelStopsAfterCurrentPart() {
        const QString a = source("a.docx", 5);
        const QString b = source("b.docx", 5);
        FakeWordFactory office;
        ScriptedPrompts p;
        p.cancelAfterParts = 2;
        const SplitResult r = runSplit(every(1, {a, b}, 1), p, office);
        QCOMPARE(r.outcome, SplitResult::Outcome::Cancelled);
        QCOMPARE(r.written.size(), 2);
        QVERIFY(r.completionMessage.startsWith(msg::Cancelled));
        QCOMPARE(office.state().count("open", "b.docx"), 0);
        expectCleanEnd(office);
    }

    void progressReported() {
        const QString a = source("a.docx", 3);
        FakeWordFactory office;
        ScriptedPrompts p;
        runSplit(every(1, {a}, 1), p, office);
        QVERIFY(p.progressSeen.size() >= 4);
        const auto& last = p.progressSeen.last();
        QCOMPARE(last.partIndex, 3);
        QCOMPARE(last.partCount, 3);
        QCOMPARE(last.written, m_dir + "/a3.docx");
    }

    void readOnlyOutputFolder() {
        const QString a = source("a.docx", 2);
        FakeWordFactory office;
        ScriptedPrompts p;
        SplitRequest req = every(1, {a}, 3);
        req.outDirMode = 1;
        req.outDirText = "/proc";  // a folder nobody may write in, not even root
        const SplitResult r = runSplit(req, p, office);
        QCOMPARE(p.outDir, QStringLiteral("/proc/"));
        QVERIFY(r.written.isEmpty());
        QCOMPARE(r.failures.size(), 2);
        QVERIFY(r.completionMessage.contains("1.docx：" + msg::ReasonSave));
        expectCleanEnd(office);
    }
};

QTEST_GUILESS_MAIN(TestSplitRunFake)
#include "tst_splitrun_fake.moc"
