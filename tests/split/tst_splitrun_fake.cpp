// The run's logic on the in-memory office: what is made, and how every kind of failure is met.

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "split/splitmessages.h"
#include "split/splitrun.h"
#include "tests/support/fakeword.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/testdocs.h"
#include "tests/support/testenv.h"

using namespace pw;
using namespace pw::split;
using pw::test::FakeContent;
using pw::test::FakeWordFactory;
using pw::test::ScriptedPrompts;
using Kind = word::Error::Kind;

namespace {

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QStringList namesOf(const QStringList& paths) {
    QStringList names;
    for (const QString& p : paths) names << QFileInfo(p).fileName();
    return names;
}

SplitRequest every(int pages, const QStringList& docs, NamingMode naming = NamingMode::PageRange) {
    SplitRequest r;
    r.documents = docs;
    r.pagesText = QString::number(pages);
    r.naming = naming;
    r.jobs = 1;  // the faults below count the calls of one office
    return r;
}

QStringList pagesOf(const QString& path) {
    const auto c = pw::test::readFakeDocument(path);
    return c ? c->pageTexts() : QStringList{"<unreadable>"};
}

}  // namespace

class TestSplitRunFake : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    int m_case = 0;
    QString m_dir;  // a fresh folder per test

    // Pages "<tag>k first" / "<tag>k second".
    QString source(const QString& name, int pages, const QString& tag = "p", bool tracked = false) {
        QList<QStringList> content;
        for (int k = 1; k <= pages; ++k)
            content << QStringList{QStringLiteral("%1%2 first").arg(tag).arg(k),
                                   QStringLiteral("%1%2 second").arg(tag).arg(k)};
        const QString path = m_dir + "/" + name;
        FakeContent c = FakeContent::fromPages(content);
        c.tracked = tracked;
        [&] { QVERIFY(pw::test::writeFakeDocument(path, c)); }();
        return path;
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

    void splitsAsAsked_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<int>>("pages");  // of each source
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("copies");  // parts that are their whole source, the file itself
        QTest::newRow("every 3") << 0 << 3 << QList<int>{10}
                                 << QStringList{"s0_1页-3页.docx", "s0_4页-6页.docx",
                                                "s0_7页-9页.docx", "s0_10页-10页.docx"}
                                 << 0;
        // Each document is cut into its own n parts.
        QTest::newRow("into 2 each") << 1 << 2 << QList<int>{10, 2}
                                     << QStringList{"s0_1页-5页.docx", "s0_6页-10页.docx",
                                                    "s1_1页-1页.docx", "s1_2页-2页.docx"}
                                     << 0;
        QTest::newRow("whole") << 0 << 3 << QList<int>{2} << QStringList{"s0_1页-2页.docx"} << 1;
    }
    void splitsAsAsked() {
        QFETCH(int, mode);
        QFETCH(int, n);
        QFETCH(QList<int>, pages);
        QStringList sources, whole;
        QList<QByteArray> before;
        QList<SourcePages> counts;
        for (int i = 0; i < pages.size(); ++i) {
            sources << source(QStringLiteral("s%1_.docx").arg(i), pages[i], QString::number(i));
            before << pw::test::fileHash(sources.last());
            whole += pw::test::readFakeDocument(sources.last())->pageTexts();
            counts.append({sources.last(), pages[i], Pagination::Office});
        }
        FakeWordFactory office;
        QStringList events;
        ScriptedPrompts p(events);
        SplitRequest req = every(n, sources);
        req.mode = SplitMode(mode);
        req.newDocsText = QString::number(n);
        const SplitResult r = runSplit(req, p, office);
        QCOMPARE(r.outcome, SplitResult::Outcome::Completed);
        QCOMPARE(p.messages, QStringList{msg::Finished});
        QCOMPARE(p.icons, QList<MessageIcon>{MessageIcon::Information});
        // The window is usable again before the completion message.
        QCOMPARE(events, (QStringList{"busy", "idle", "message"}));
        QCOMPARE(r.pageCounts, counts);
        QTEST(namesOf(r.written), "names");
        QStringList joined;
        for (const QString& f : r.written) joined += pagesOf(f);
        QCOMPARE(joined, whole);
        for (int i = 0; i < sources.size(); ++i)
            QCOMPARE(pw::test::fileHash(sources[i]), before[i]);
        // One opening per source serves as its blank: nothing else is loaded or stored.
        QCOMPARE(office.state().count("open"), sources.size());
        int copies = 0;
        for (const QString& f : r.written) copies += before.contains(pw::test::fileHash(f));
        QTEST(copies, "copies");
        QCOMPARE(office.state().count("saveAs"), r.written.size() - copies);
        expectCleanEnd(office);
    }

    // The second part's store fails: a run that let the close write the paste back would leave
    // its pages in the third part. The sequence moves on for the refused name. A document with
    // tracked changes has its parts cut out of the opening instead of pasted into it.
    void failedStoreLeavesTheBlankEmpty_data() {
        QTest::addColumn<bool>("tracked");
        QTest::newRow("pasted") << false;
        QTest::newRow("cut") << true;
    }
    void failedStoreLeavesTheBlankEmpty() {
        QFETCH(bool, tracked);
        const QString src = source("R.docx", 3, "p", tracked);
        FakeWordFactory office;
        office.addFault({"saveAs", "/2.docx", Kind::SaveFailed});
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(1, {src}, NamingMode::Sequence), p, office);
        QCOMPARE(namesOf(r.written), (QStringList{"1.docx", "3.docx"}));
        QCOMPARE(pagesOf(r.written[1]), QStringList{"p3 first\rp3 second\r"});
        QCOMPARE(r.failures.size(), 1);
        QCOMPARE(r.failures[0].part, 2);
        QCOMPARE(r.failures[0].target, m_dir + "/2.docx");
        QCOMPARE(r.completionMessage,
                 msg::Finished + "\n\n" + msg::NotMadeHeading + "\n2.docx：" + msg::ReasonSave);
        QCOMPARE(office.state().count("keepOnly"), tracked ? 3 : 0);
        QCOMPARE(office.state().count("paste"), tracked ? 0 : 3);
        expectCleanEnd(office);
    }

    void sourceNeverChangedWhateverFails_data() {
        QTest::addColumn<QString>("op");
        for (const char* op :
             {"empty", "saveAs", "pageStarts", "copy", "paste", "convertNumbersToText"})
            QTest::newRow(op) << op;
    }
    void sourceNeverChangedWhateverFails() {
        QFETCH(QString, op);
        const QString src = source("S.docx", 4);
        const QByteArray before = pw::test::fileHash(src);
        FakeWordFactory office;
        office.addFault({op, {}, Kind::Failed, 0, 1});
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(2, {src}), p, office);
        QCOMPARE(r.outcome, SplitResult::Outcome::Completed);
        QCOMPARE(pw::test::fileHash(src), before);
        // A document without lists still splits.
        QCOMPARE(r.failures.isEmpty(), op == "convertNumbersToText");
        expectCleanEnd(office);
    }

    // Unopenable documents are reported, and so is one beside which nothing may be written,
    // before it is opened; the sequence counts only the parts of the others.
    void unopenableDocumentsSkippedWithoutCounting() {
        const QString a = source("a.docx", 2, "a");
        const QString damaged = m_dir + "/damaged.docx";
        QVERIFY(pw::test::writeFile(damaged, "PK\3\4 not really"));
        const QString c = source("c.docx", 3, "c");
        FakeWordFactory office;
        ScriptedPrompts p;
        const SplitResult r =
            runSplit(every(1, {a, m_dir + "/missing.docx", "/proc/a.docx", damaged, c},
                           NamingMode::Sequence),
                     p, office);
        QCOMPARE(namesOf(r.written),
                 (QStringList{"1.docx", "2.docx", "3.docx", "4.docx", "5.docx"}));
        QCOMPARE(pagesOf(r.written[2]), QStringList{"c1 first\rc1 second\r"});
        QCOMPARE(r.pageCounts.size(), 2);
        QCOMPARE(r.failures.size(), 3);
        QVERIFY(r.completionMessage.contains("missing.docx：" + msg::ReasonOpen));
        QVERIFY(r.completionMessage.contains("damaged.docx：" + msg::ReasonOpen));
        QCOMPARE(r.failures[1].reason, msg::ReasonFolderNotWritable);
        QCOMPARE(office.state().count("open", "/proc/"), 0);
        expectCleanEnd(office);
    }

    void secondRunCountsAroundTheFirst() {
        const QString src = source("Report.doc", 3);
        for (int run = 0; run < 2; ++run) {
            FakeWordFactory office;
            ScriptedPrompts p;
            runSplit(every(2, {src}), p, office);
        }
        QCOMPARE(filesIn(m_dir),
                 (QStringList{"Report.doc", "Report1页-2页(2).doc", "Report1页-2页.doc",
                              "Report3页-3页(2).doc", "Report3页-3页.doc"}));
    }

    void nameLengthLimit() {
        // Folder + base + "1" + ".docx": pick the base so the whole path is 254, then 255.
        const int fixed = int(m_dir.size()) + 1 + 1 + 5;
        const QString ok = source(QString(254 - fixed, u'k') + ".docx", 1);
        const QString tooLong = source(QString(255 - fixed, u'l') + ".docx", 3);
        FakeWordFactory office;
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(1, {ok, tooLong}, NamingMode::PartNumber), p, office);
        QCOMPARE(r.written.size(), 1);
        QCOMPARE(r.written[0].size(), 254);
        // Said once for the run; every part concerned is in the report.
        QCOMPARE(p.messages.size(), 2);
        QCOMPARE(p.messages[0], msg::NameTooLong);
        QCOMPARE(p.icons[0], MessageIcon::Exclamation);
        QCOMPARE(r.failures.size(), 3);
        QCOMPARE(r.failures[0].reason, msg::ReasonNameTooLong);
        expectCleanEnd(office);
    }

    void namedByFirstCharactersOfListText() {
        const QString src = m_dir + "/x.docx";
        QVERIFY(pw::test::writeFakeDocument(
            src, FakeContent::fromPages(
                     {{"  A/B C tail"}, {"第一章 总则"}, {"{#}one", "{#}two"}, {"  A/B C"}})));
        FakeWordFactory office;
        ScriptedPrompts p;
        SplitRequest req = every(1, {src}, NamingMode::FirstCharacters);
        req.firstWordsText = "3";
        const SplitResult r = runSplit(req, p, office);
        QCOMPARE(namesOf(r.written),
                 (QStringList{"ABC.docx", "第一章.docx", "1.o.docx", "ABC(2).docx"}));
        // Numbers become text before cutting, so they do not restart in each part.
        QCOMPARE(pagesOf(r.written[2]), QStringList{"1. one\r2. two\r"});
    }

    void officeDoesNotStart() {
        FakeWordFactory office;
        office.addFault({"create", {}, Kind::NotInstalled});
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(1, {source("a.docx", 2)}), p, office);
        QCOMPARE(r.outcome, SplitResult::Outcome::OfficeFailed);
        QCOMPARE(p.busy, (QList<bool>{true, false}));
        QCOMPARE(p.messages.size(), 1);
        QVERIFY(p.messages[0].startsWith(msg::OfficeNotStarted({}).trimmed()));
        QCOMPARE(p.icons[0], MessageIcon::Exclamation);
        QVERIFY(r.written.isEmpty());
        QCOMPARE(office.state().running, 0);
    }

    // The office dies pasting one of a's parts: the rest of a is reported, b is split by a new
    // office, or reported too when none starts. When nothing of a was stored yet, a is tried
    // again on the new office.
    void officeDiesMidDocument_data() {
        QTest::addColumn<int>("skip");  // pastes that work before the office dies
        QTest::addColumn<bool>("restarts");
        QTest::addColumn<QStringList>("made");
        QTest::addColumn<QStringList>("failed");  // "source part"
        QTest::newRow("restarted") << 1 << true << QStringList{"a1.docx", "b1.docx", "b2.docx"}
                                   << QStringList{"a.docx 2", "a.docx 3", "a.docx 4"};
        QTest::newRow("not restarted")
            << 1 << false << QStringList{"a1.docx"}
            << QStringList{"a.docx 2", "a.docx 3", "a.docx 4", "b.docx 0"};
        QTest::newRow("before any part stored")
            << 0 << true
            << QStringList{"a1.docx", "a2.docx", "a3.docx", "a4.docx", "b1.docx", "b2.docx"}
            << QStringList{};
    }
    void officeDiesMidDocument() {
        QFETCH(int, skip);
        QFETCH(bool, restarts);
        const QString a = source("a.docx", 4, "a");
        const QString b = source("b.docx", 2, "b");
        FakeWordFactory office;
        office.addFault({"paste", {}, Kind::OfficeDead, skip, 1, true});
        if (!restarts) office.addFault({"create", {}, Kind::StartFailed, 1});
        ScriptedPrompts p;
        const SplitResult r = runSplit(every(1, {a, b}, NamingMode::PartNumber), p, office);
        QCOMPARE(r.outcome, SplitResult::Outcome::Completed);
        QCOMPARE(office.state().created, restarts ? 2 : 1);
        QTEST(namesOf(r.written), "made");
        QStringList failed;
        for (const SplitFailure& f : r.failures) {
            QCOMPARE(f.reason, msg::ReasonOfficeDead);
            failed << QFileInfo(f.source).fileName() + u' ' + QString::number(f.part);
        }
        QTEST(failed, "failed");
        expectCleanEnd(office);
    }

    void cancelStopsAfterCurrentPart() {
        const QString a = source("a.docx", 5);
        const QString b = source("b.docx", 5);
        FakeWordFactory office;
        ScriptedPrompts p;
        p.cancelWhen = [&] { return p.parts() >= 2; };
        const SplitResult r = runSplit(every(1, {a, b}, NamingMode::PartNumber), p, office);
        QCOMPARE(r.outcome, SplitResult::Outcome::Cancelled);
        QCOMPARE(r.written.size(), 2);
        QVERIFY(r.completionMessage.startsWith(msg::Cancelled));
        QCOMPARE(office.state().count("open", "b.docx"), 0);
        // The last report names the last part made.
        QCOMPARE(p.steps.last().partIndex, 2);
        QCOMPARE(p.steps.last().partCount, 5);
        QCOMPARE(p.steps.last().written, m_dir + "/a2.docx");
        expectCleanEnd(office);
    }
};

QTEST_GUILESS_MAIN(TestSplitRunFake)
#include "tst_splitrun_fake.moc"
