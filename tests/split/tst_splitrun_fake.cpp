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
    SplitResult run(const SplitRequest& r, FakeWordFactory& office, ScriptedPrompts& p) {
        return runSplit(r, p, office);
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
        QStringList events;
        ScriptedPrompts p(events);
        const SplitResult r = run(every(3, {src}), office, p);
        QCOMPARE(r.outcome, SplitResult::Outcome::Completed);
        QCOMPARE(p.messages, QStringList{msg::Finished});
        QCOMPARE(p.icons, QList<MessageIcon>{MessageIcon::Information});
        // The window is usable again before the completion message.
        QCOMPARE(events, (QStringList{"busy", "idle", "message"}));
        QCOMPARE(r.pageCounts, (QList<SourcePages>{{src, 10, Pagination::Office}}));
        QCOMPARE(namesOf(r.written), (QStringList{"Report1页-3页.docx", "Report4页-6页.docx",
                                                  "Report7页-9页.docx", "Report10页-10页.docx"}));
        QStringList joined;
        for (const QString& f : r.written) joined += pagesOf(f);
        QCOMPARE(joined, pw::test::readFakeDocument(src)->pageTexts());
        QCOMPARE(pw::test::fileHash(src), before);
        // One opening per source serves as its blank: nothing else is loaded or stored.
        QCOMPARE(office.state().count("open"), 1);
        QCOMPARE(office.state().count("saveAs"), 4);
        expectCleanEnd(office);
    }

    void intoTwoPerDocument() {
        const QString big = source("big.docx", 10, "b");
        const QString small = source("small.docx", 2, "s");
        FakeWordFactory office;
        ScriptedPrompts p;
        SplitRequest req = every(1, {big, small});
        req.mode = SplitMode::IntoNDocuments;
        req.newDocsText = "2";
        const SplitResult r = run(req, office, p);
        QCOMPARE(namesOf(r.written), (QStringList{"big1页-5页.docx", "big6页-10页.docx",
                                                  "small1页-1页.docx", "small2页-2页.docx"}));
        QCOMPARE(pagesOf(r.written[3]), QStringList{"s2 first\rs2 second\r"});
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
        // The second part's save fails; a run that did not take the paste back would leave its
        // pages in the third part.
        office.addFault({"saveAs", "/2.docx", word::Error::Kind::SaveFailed});
        ScriptedPrompts p;
        const SplitResult r = run(every(1, {src}, NamingMode::Sequence), office, p);
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
        const SplitResult r = run(every(2, {src}), office, p);
        QCOMPARE(r.outcome, SplitResult::Outcome::Completed);
        QCOMPARE(pw::test::fileHash(src), before);
        // A document without lists still splits.
        QCOMPARE(r.failures.isEmpty(), op == "convertNumbersToText");
        expectCleanEnd(office);
    }

    void unopenableDocumentsSkippedWithoutCounting() {
        const QString a = source("a.docx", 2, "a");
        const QString missing = m_dir + "/missing.docx";
        const QString damaged = m_dir + "/damaged.docx";
        QVERIFY(pw::test::writeFile(damaged, "PK\3\4 not really"));
        const QString c = source("c.docx", 3, "c");
        FakeWordFactory office;
        ScriptedPrompts p;
        const SplitResult r =
            run(every(1, {a, missing, damaged, c}, NamingMode::Sequence), office, p);
        QCOMPARE(namesOf(r.written),
                 (QStringList{"1.docx", "2.docx", "3.docx", "4.docx", "5.docx"}));
        QCOMPARE(pagesOf(r.written[2]), QStringList{"c1 first\rc1 second\r"});
        QCOMPARE(r.pageCounts.size(), 2);
        QCOMPARE(r.failures.size(), 2);
        QVERIFY(r.completionMessage.contains("missing.docx：" + msg::ReasonOpen));
        QVERIFY(r.completionMessage.contains("damaged.docx：" + msg::ReasonOpen));
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
        const SplitResult r = run(every(1, {ok, tooLong}, NamingMode::PartNumber), office, p);
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
            src,
            FakeContent::fromPages({{"  A/B C tail"}, {"第一章 总则"}, {"{#}one", "{#}two"}})));
        FakeWordFactory office;
        ScriptedPrompts p;
        SplitRequest req = every(1, {src}, NamingMode::FirstCharacters);
        req.firstWordsText = "3";
        const SplitResult r = run(req, office, p);
        QCOMPARE(namesOf(r.written), (QStringList{"ABC.docx", "第一章.docx", "1.o.docx"}));
        // Numbers become text before cutting, so they do not restart in each part.
        QCOMPARE(pagesOf(r.written[2]), QStringList{"1. one\r2. two\r"});
    }

    void officeDoesNotStart() {
        FakeWordFactory office;
        office.addFault({"create", {}, word::Error::Kind::NotInstalled});
        ScriptedPrompts p;
        const SplitResult r = run(every(1, {source("a.docx", 2)}), office, p);
        QCOMPARE(r.outcome, SplitResult::Outcome::OfficeFailed);
        QCOMPARE(p.busy, (QList<bool>{true, false}));
        QCOMPARE(p.messages.size(), 1);
        QVERIFY(p.messages[0].startsWith(msg::OfficeNotStarted({}).trimmed()));
        QCOMPARE(p.icons[0], MessageIcon::Exclamation);
        QVERIFY(r.written.isEmpty());
        QCOMPARE(office.state().running, 0);
    }

    void officeDiesMidDocumentAndIsRestarted() {
        const QString a = source("a.docx", 4, "a");
        const QString b = source("b.docx", 2, "b");
        FakeWordFactory office;
        // Dies while pasting the second part of a.
        office.addFault({"paste", {}, word::Error::Kind::OfficeDead, 1, 1, true});
        ScriptedPrompts p;
        const SplitResult r = run(every(1, {a, b}, NamingMode::PartNumber), office, p);
        QCOMPARE(office.state().created, 2);
        QCOMPARE(namesOf(r.written), (QStringList{"a1.docx", "b1.docx", "b2.docx"}));
        QCOMPARE(r.failures.size(), 3);  // the part that died, then the parts never tried
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(r.failures[k].part, k + 2);
            QCOMPARE(r.failures[k].reason, msg::ReasonOfficeDead);
        }
        expectCleanEnd(office);
    }

    void officeCannotBeRestarted() {
        const QString a = source("a.docx", 2, "a");
        const QString b = source("b.docx", 2, "b");
        FakeWordFactory office;
        office.addFault({"copy", {}, word::Error::Kind::OfficeDead, 0, 1, true});
        office.addFault({"create", {}, word::Error::Kind::StartFailed, 1});
        ScriptedPrompts p;
        const SplitResult r = run(every(1, {a, b}), office, p);
        QVERIFY(r.written.isEmpty());
        QCOMPARE(r.failures.last().source, b);
        QCOMPARE(r.failures.last().reason, msg::ReasonOfficeDead);
        QCOMPARE(r.outcome, SplitResult::Outcome::Completed);
        QCOMPARE(office.state().running, 0);
    }

    void cancelStopsAfterCurrentPart() {
        const QString a = source("a.docx", 5);
        const QString b = source("b.docx", 5);
        FakeWordFactory office;
        ScriptedPrompts p;
        p.cancelWhen = [&] { return p.parts() >= 2; };
        const SplitResult r = run(every(1, {a, b}, NamingMode::PartNumber), office, p);
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

    // Refused up front, before the office starts.
    void readOnlyOutputFolder() {
        FakeWordFactory office;
        ScriptedPrompts p;
        SplitRequest req = every(1, {source("a.docx", 2)}, NamingMode::Sequence);
        req.output = OutputRule::ChosenFolder;
        req.outDirText = "/proc";  // a folder nobody may write in, not even root
        const SplitResult r = run(req, office, p);
        QCOMPARE(r.outDirText, QStringLiteral("/proc/"));
        QCOMPARE(r.outcome, SplitResult::Outcome::Refused);
        QCOMPARE(r.refusal->check, SplitRefusal::Check::OutDirNotWritable);
        QCOMPARE(p.messages, QStringList{msg::OutDirNotWritable("/proc/")});
        QCOMPARE(office.state().created, 0);
        // Beside the source, such a folder fails that document before it is opened.
        req.output = OutputRule::BesideSource;
        req.documents = QStringList{"/proc/a.docx"} + req.documents;
        const SplitResult beside = run(req, office, p);
        QCOMPARE(beside.failures.size(), 1);
        QCOMPARE(beside.failures[0].reason, msg::ReasonFolderNotWritable);
        QCOMPARE(beside.written.size(), 2);
        QCOMPARE(office.state().count("open", "/proc/"), 0);
    }
};

QTEST_GUILESS_MAIN(TestSplitRunFake)
#include "tst_splitrun_fake.moc"
