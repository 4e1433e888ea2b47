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
    std::unique_ptr<FakeWordFactory> m_office;
    QStringList m_events;
    std::unique_ptr<ScriptedPrompts> m_prompts;

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
    SplitResult split(const SplitRequest& request) {
        return runSplit(request, *m_prompts, *m_office);
    }

private slots:
    void init() {
        m_dir = m_tmp.filePath(QString::number(++m_case));
        QVERIFY(QDir().mkpath(m_dir));
        m_office = std::make_unique<FakeWordFactory>();
        m_events.clear();
        m_prompts = std::make_unique<ScriptedPrompts>(m_events);
    }
    // However the run ended, the office is gone and no document is left open.
    void cleanup() {
        QCOMPARE(m_office->state().live, 0);
        QCOMPARE(m_office->state().openDocuments, 0);
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
        SplitRequest req = every(n, sources);
        req.mode = SplitMode(mode);
        req.newDocsText = QString::number(n);
        const SplitResult r = split(req);
        QCOMPARE(r.outcome, SplitResult::Outcome::Completed);
        QCOMPARE(m_prompts->messages, QStringList{msg::Finished});
        QCOMPARE(m_prompts->icons, QList<MessageIcon>{MessageIcon::Information});
        // The window is usable again before the completion message.
        QCOMPARE(m_events, (QStringList{"busy", "idle", "message"}));
        QCOMPARE(r.pageCounts, counts);
        QTEST(namesOf(r.written), "names");
        QStringList joined;
        for (const QString& f : r.written) joined += pagesOf(f);
        QCOMPARE(joined, whole);
        for (int i = 0; i < sources.size(); ++i)
            QCOMPARE(pw::test::fileHash(sources[i]), before[i]);
        // One opening per source serves as its blank: nothing else is loaded or stored.
        QCOMPARE(m_office->state().count("open"), sources.size());
        int copies = 0;
        for (const QString& f : r.written) copies += before.contains(pw::test::fileHash(f));
        QTEST(copies, "copies");
        QCOMPARE(m_office->state().count("saveAs"), r.written.size() - copies);
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
        m_office->addFault({"saveAs", "/2.docx", Kind::SaveFailed});
        const SplitResult r = split(every(1, {src}, NamingMode::Sequence));
        QCOMPARE(namesOf(r.written), (QStringList{"1.docx", "3.docx"}));
        QCOMPARE(pagesOf(r.written[1]), QStringList{"p3 first\rp3 second\r"});
        QCOMPARE(r.failures.size(), 1);
        QCOMPARE(r.failures[0].part, 2);
        QCOMPARE(r.failures[0].target, m_dir + "/2.docx");
        QCOMPARE(r.completionMessage,
                 msg::Finished + "\n\n" + msg::NotMadeHeading + "\n2.docx：" + msg::ReasonSave);
        QCOMPARE(m_office->state().count("keepOnly"), tracked ? 3 : 0);
        QCOMPARE(m_office->state().count("paste"), tracked ? 0 : 3);
    }

    void sourceNeverChangedWhateverFails_data() {
        QTest::addColumn<QString>("op");
        for (const char* op : {"empty", "paste", "convertNumbersToText"}) QTest::newRow(op) << op;
    }
    void sourceNeverChangedWhateverFails() {
        QFETCH(QString, op);
        const QString src = source("S.docx", 4);
        const QByteArray before = pw::test::fileHash(src);
        m_office->addFault({op, {}, Kind::Failed, 0, 1});
        const SplitResult r = split(every(2, {src}));
        QCOMPARE(r.outcome, SplitResult::Outcome::Completed);
        QCOMPARE(pw::test::fileHash(src), before);
        // A document without lists still splits.
        QCOMPARE(r.failures.isEmpty(), op == "convertNumbersToText");
    }

    // Unopenable documents are reported, and so is one beside which nothing may be written,
    // before it is opened; the sequence counts only the parts of the others.
    void unopenableDocumentsSkippedWithoutCounting() {
        const QString a = source("a.docx", 2, "a");
        const QString damaged = m_dir + "/damaged.docx";
        QVERIFY(pw::test::writeFile(damaged, "PK\3\4 not really"));
        const QString c = source("c.docx", 3, "c");
        const SplitResult r = split(every(
            1, {a, m_dir + "/missing.docx", "/proc/a.docx", damaged, c}, NamingMode::Sequence));
        QCOMPARE(namesOf(r.written),
                 (QStringList{"1.docx", "2.docx", "3.docx", "4.docx", "5.docx"}));
        QCOMPARE(pagesOf(r.written[2]), QStringList{"c1 first\rc1 second\r"});
        QCOMPARE(r.pageCounts.size(), 2);
        QCOMPARE(r.failures.size(), 3);
        QVERIFY(r.completionMessage.contains("missing.docx：" + msg::ReasonOpen));
        QVERIFY(r.completionMessage.contains("damaged.docx：" + msg::ReasonOpen));
        QCOMPARE(r.failures[1].reason, msg::ReasonFolderNotWritable);
        QCOMPARE(m_office->state().count("open", "/proc/"), 0);
    }

    // Word's pages asked for of a file that does not record them: reported, never cut otherwise.
    void wordPagesNotRecorded() {
        SplitRequest req = every(1, {source("w.docx", 2)});
        req.pagination = Pagination::Word;
        const SplitResult r = split(req);
        QVERIFY(r.written.isEmpty());
        QCOMPARE(r.failures.size(), 1);
        QCOMPARE(r.failures[0].reason, msg::ReasonPageMap);
    }

    void secondRunCountsAroundTheFirst() {
        const QString src = source("Report.doc", 3);
        split(every(2, {src}));
        split(every(2, {src}));
        QCOMPARE(QDir(m_dir).entryList(QDir::Files, QDir::Name),
                 (QStringList{"Report.doc", "Report1页-2页(2).doc", "Report1页-2页.doc",
                              "Report3页-3页(2).doc", "Report3页-3页.doc"}));
    }

    void nameLengthLimit() {
        // Folder + base + "1" + ".docx": pick the base so the whole path is 254, then 255.
        const int fixed = int(m_dir.size()) + 1 + 1 + 5;
        const QString ok = source(QString(254 - fixed, u'k') + ".docx", 1);
        const QString tooLong = source(QString(255 - fixed, u'l') + ".docx", 3);
        const SplitResult r = split(every(1, {ok, tooLong}, NamingMode::PartNumber));
        QCOMPARE(r.written.size(), 1);
        QCOMPARE(r.written[0].size(), 254);
        // Said once for the run; every part concerned is in the report.
        QCOMPARE(m_prompts->messages, (QStringList{msg::NameTooLong, r.completionMessage}));
        QCOMPARE(m_prompts->icons[0], MessageIcon::Exclamation);
        QCOMPARE(r.failures.size(), 3);
        QCOMPARE(r.failures[0].reason, msg::ReasonNameTooLong);
    }

    void namedByFirstCharactersOfListText() {
        const QString src = m_dir + "/x.docx";
        QVERIFY(pw::test::writeFakeDocument(
            src, FakeContent::fromPages(
                     {{"  A/B C tail"}, {"第一章 总则"}, {"{#}one", "{#}two"}, {"  A/B C"}})));
        SplitRequest req = every(1, {src}, NamingMode::FirstCharacters);
        req.firstWordsText = "3";
        const SplitResult r = split(req);
        QCOMPARE(namesOf(r.written),
                 (QStringList{"ABC.docx", "第一章.docx", "1.o.docx", "ABC(2).docx"}));
        // Numbers become text before cutting, so they do not restart in each part.
        QCOMPARE(pagesOf(r.written[2]), QStringList{"1. one\r2. two\r"});
    }

    void officeDoesNotStart() {
        m_office->addFault({"create", {}, Kind::NotInstalled});
        const SplitResult r = split(every(1, {source("a.docx", 2)}));
        QCOMPARE(r.outcome, SplitResult::Outcome::OfficeFailed);
        QCOMPARE(m_prompts->busy, (QList<bool>{true, false}));
        QCOMPARE(m_prompts->icons, QList<MessageIcon>{MessageIcon::Exclamation});
        QVERIFY(m_prompts->messages[0].startsWith(msg::OfficeNotStarted({}).trimmed()));
        QVERIFY(r.written.isEmpty());
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
        m_office->addFault({"paste", {}, Kind::OfficeDead, skip, 1, true});
        if (!restarts) m_office->addFault({"create", {}, Kind::StartFailed, 1});
        const SplitResult r = split(every(1, {a, b}, NamingMode::PartNumber));
        QCOMPARE(r.outcome, SplitResult::Outcome::Completed);
        QCOMPARE(m_office->state().created, restarts ? 2 : 1);
        QTEST(namesOf(r.written), "made");
        QStringList failed;
        for (const SplitFailure& f : r.failures) {
            QCOMPARE(f.reason, msg::ReasonOfficeDead);
            failed << QFileInfo(f.source).fileName() + u' ' + QString::number(f.part);
        }
        QTEST(failed, "failed");
    }

    void cancelStopsAfterCurrentPart() {
        const QString a = source("a.docx", 5);
        const QString b = source("b.docx", 5);
        m_prompts->cancelWhen = [&] {
            return m_prompts->steps.value(m_prompts->steps.size() - 1).partIndex >= 2;
        };
        const SplitResult r = split(every(1, {a, b}, NamingMode::PartNumber));
        QCOMPARE(r.outcome, SplitResult::Outcome::Cancelled);
        QCOMPARE(r.written.size(), 2);
        QVERIFY(r.completionMessage.startsWith(msg::Cancelled));
        QCOMPARE(m_office->state().count("open", "b.docx"), 0);
        // The last report names the last part made.
        QCOMPARE(m_prompts->steps.last().partIndex, 2);
        QCOMPARE(m_prompts->steps.last().partCount, 5);
        QCOMPARE(m_prompts->steps.last().written, m_dir + "/a2.docx");
    }
};

QTEST_GUILESS_MAIN(TestSplitRunFake)
#include "tst_splitrun_fake.moc"
