// The merge's logic against a fake office: checks, preparation, passes and what is reported.

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include "merge/completionreport.h"
#include "merge/mergemessages.h"
#include "merge/mergerun.h"
#include "tests/support/fakeword.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/testenv.h"
#include "word/reasons.h"

using namespace pw;
using test::FakeFault;
Q_DECLARE_METATYPE(FakeFault)
using merge::MergeResult;
using Check = merge::MergeRefusal::Check;
using Outcome = merge::MergeResult::Outcome;
namespace msg = pw::merge::msg;

class TestMergeRun : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_events;
    std::unique_ptr<test::FakeWordFactory> m_factory;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    // Source "X" holds the blocks "X1" and "X2".
    QStringList sources(const QStringList& names) {
        QStringList paths;
        for (const QString& n : names) {
            paths.append(path(n + QStringLiteral(".docx")));
            test::writeFakeDocument(paths.last(),
                                    test::FakeContent::fromPages({{n + u'1', n + u'2'}}));
        }
        return paths;
    }
    // Stored after every entry unless storeEvery says otherwise.
    MergeResult run(const QStringList& documents, const QString& target, bool pageBreaks = false,
                    int storeEvery = 1) {
        return merge::runMerge({documents, target, pageBreaks, storeEvery}, *m_prompts, *m_factory);
    }
    QStringList blocks(const QString& target = {}) const {
        const auto c = test::readFakeDocument(target.isEmpty() ? path("out.docx") : target);
        return c ? c->blocks() : QStringList{"<unreadable>"};
    }
    static QStringList blocksOf(const QStringList& names, bool breaks) {
        QStringList out;
        for (const QString& n : names) {
            if (breaks && !out.isEmpty()) out.append(test::FakeBreak);
            out << n + u'1' << n + u'2';
        }
        return out;
    }
    // Nothing started, one refusal.
    void checkRefused(const MergeResult& r, Check check) const {
        QCOMPARE(r.outcome, Outcome::Refused);
        QVERIFY(r.refusal);
        QCOMPARE(r.refusal->check, check);
        QCOMPARE(r.refusal->browse, check == Check::TargetMissing);
        QVERIFY(!m_events.contains(QStringLiteral("create")));
        QVERIFY(m_prompts->busy.isEmpty());
    }
    test::FakeOfficeState& office() const { return m_factory->state(); }
    void fail(const QString& op, const QString& arg = {}, bool partial = false) {
        m_factory->addFault({op, arg, word::Error::Kind::Failed, 0, -1, false, partial});
    }
    // Office gone, the busy time over before the last message.
    void checkEnd() const {
        QCOMPARE(office().live, 0);
        QCOMPARE(office().count("quit"), office().created);
        QCOMPARE(m_events.mid(m_events.size() - 2), (QStringList{"idle", "message"}));
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_events.clear();
        m_factory = std::make_unique<test::FakeWordFactory>();
        office().events = &m_events;
        m_prompts = std::make_unique<test::ScriptedPrompts>(m_events);
    }

    void emptyListIsRefused() {
        checkRefused(run({}, path("out.docx")), Check::NoDocuments);
        QCOMPARE(m_prompts->messages, QStringList{msg::NoDocuments});
        QCOMPARE(m_prompts->icons, QList<MessageIcon>{MessageIcon::Information});
    }

    void missingTargetSendsToTheDialog_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks") << QStringLiteral("   ");
        QTest::newRow("folder and blanks") << QStringLiteral(" /tmp/  ");
    }
    void missingTargetSendsToTheDialog() {
        QFETCH(QString, target);
        checkRefused(run(sources({"A"}), target), Check::TargetMissing);
        QCOMPARE(m_prompts->messages, QStringList{msg::TargetMissing});
        QCOMPARE(m_prompts->icons, QList<MessageIcon>{MessageIcon::Information});
    }

    void targetThatIsASourceIsRefused_data() {
        QTest::addColumn<QString>("spelling");
        QTest::newRow("same text") << QStringLiteral("B.docx");
        QTest::newRow("dot segment") << QStringLiteral("./B.docx");
        QTest::newRow("parent segment") << QStringLiteral("sub/../B.docx");
        QTest::newRow("symbolic link") << QStringLiteral("link.docx");
        QTest::newRow("hard link") << QStringLiteral("hard.docx");
    }
    void targetThatIsASourceIsRefused() {
        QFETCH(QString, spelling);
        const QStringList docs = sources({"A", "B", "C"});
        QDir(m_dir->path()).mkdir("sub");
        QVERIFY(QFile::link(docs[1], path("link.docx")));
        QCOMPARE(::link(QFile::encodeName(docs[1]).constData(),
                        QFile::encodeName(path("hard.docx")).constData()),
                 0);
        const QByteArray before = test::fileHash(docs[1]);
        m_prompts->answer = true;  // would overwrite, if it were asked
        const QString target = m_dir->path() + u'/' + spelling;
        checkRefused(run(docs, target), Check::TargetIsSource);
        QCOMPARE(m_prompts->messages, QStringList{msg::TargetIsSource(QDir::cleanPath(target))});
        QVERIFY(m_prompts->questions.isEmpty());
        QCOMPARE(test::fileHash(docs[1]), before);
    }

    void folderAndPdfTargetsAreRefused() {
        QDir(m_dir->path()).mkdir("out.docx");
        checkRefused(run(sources({"A"}), path("out.docx")), Check::TargetIsFolder);
        checkRefused(run(sources({"A"}), path("out.pdf")), Check::TargetIsExportOnly);
        QCOMPARE(m_prompts->messages, (QStringList{msg::TargetIsFolder(path("out.docx")),
                                                   msg::TargetIsExportOnly(path("out.pdf"))}));
        QCOMPARE(m_prompts->icons.last(), MessageIcon::Exclamation);
        QVERIFY(!QFile::exists(path("out.pdf")));
    }

    // Hidden or not, an existing target is asked about, kept on No, rewritten from empty on Yes.
    void existingTarget_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("yes");
        QTest::newRow("no") << QStringLiteral("out.docx") << false;
        QTest::newRow("hidden, no") << QStringLiteral(".out.docx") << false;
        QTest::newRow("yes") << QStringLiteral("out.docx") << true;
    }
    void existingTarget() {
        QFETCH(QString, name);
        QFETCH(bool, yes);
        test::writeFakeDocument(path(name), test::FakeContent::fromPages({{"old"}}));
        const QByteArray before = test::fileHash(path(name));
        m_prompts->answer = yes;
        const MergeResult r = run(sources({"A", "B"}), path(name));
        QCOMPARE(m_prompts->questions.size(), 1);
        QCOMPARE(m_prompts->questions[0].kind, Question::Kind::OverwriteTarget);
        QCOMPARE(m_prompts->questions[0].text, msg::OverwriteTarget);
        QVERIFY(m_prompts->questions[0].defaultNo);
        if (yes) {
            QCOMPARE(r.outcome, Outcome::Completed);
            QCOMPARE(blocks(path(name)), blocksOf({"A", "B"}, false));
            return;
        }
        checkRefused(r, Check::OverwriteDeclined);
        QVERIFY(m_prompts->messages.isEmpty());
        QCOMPARE(test::fileHash(path(name)), before);
    }

    void emptyTargetIsWrittenBeforeTheFirstPass() {
        const QStringList docs = sources({"A", "B"});
        run(docs, path("out.docx"), true);
        const qsizetype busy = m_events.indexOf("busy");
        QVERIFY(m_events.indexOf("add") < busy);
        QVERIFY(busy < m_events.indexOf("saveAs " + path("out.docx")));
        QVERIFY(m_events.indexOf("saveAs " + path("out.docx")) <
                m_events.indexOf("appendFile " + docs[0]));
        QCOMPARE(m_prompts->messages.last(), msg::Finished);
        QCOMPARE(m_prompts->icons.last(), MessageIcon::Information);
        checkEnd();
    }

    void officeOrFirstEntryFails_data() {
        QTest::addColumn<int>("fault");  // 0 no office, 1 first entry unreadable, 2 no orientation
        QTest::addColumn<QString>("cause");
        QTest::newRow("no office") << 0 << "failure of create";
        QTest::newRow("cannot open") << 1 << "failure of open";
        QTest::newRow("no orientation") << 2 << "failure of orientation";
    }
    void officeOrFirstEntryFails() {
        QFETCH(int, fault);
        QFETCH(QString, cause);
        const QStringList docs = sources({"A", "B"});
        if (fault == 0) m_factory->addFault({"create", {}, word::Error::Kind::NotInstalled});
        if (fault == 1) fail("open", docs[0]);
        if (fault == 2) fail("orientation");
        const MergeResult r = run(docs, path("out.docx"));
        QCOMPARE(r.outcome, Outcome::OfficeFailed);
        QCOMPARE(m_prompts->messages.size(), 1);
        // The user reads why in Chinese; the office's own words stay in the result.
        QVERIFY(!m_prompts->messages[0].contains(cause));
        QVERIFY(r.failures.value(0).reason.contains(cause));
        QCOMPARE(m_prompts->messages[0].contains(docs[0]), fault > 0);
        QCOMPARE(r.failures.value(0).source, fault > 0 ? docs[0] : QString());
        QVERIFY(!QFile::exists(path("out.docx")));
        QCOMPARE(office().live, 0);
    }

    void targetThatCannotBeWrittenIsNotLeftBehind_data() {
        QTest::addColumn<bool>("failSaveAs");
        QTest::newRow("write fails halfway") << true;
        QTest::newRow("orientation refused") << false;
    }
    void targetThatCannotBeWrittenIsNotLeftBehind() {
        QFETCH(bool, failSaveAs);
        if (failSaveAs)
            fail("saveAs", {}, true);  // leaves a damaged file
        else
            fail("setOrientation");
        const MergeResult r = run(sources({"A", "B"}), path("out.docx"));
        QCOMPARE(r.outcome, Outcome::TargetFailed);
        QCOMPARE(m_prompts->messages.last(),
                 msg::TargetNotCreated(path("out.docx"), word::reasonText({})));
        QVERIFY(!QFile::exists(path("out.docx")));
        QVERIFY(!m_events.contains(QStringLiteral("appendFile ") + path("A.docx")));
        checkEnd();
    }

    void pageBreaksGoBetweenDocumentsOnly_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("breaks");
        QTest::newRow("one, breaks") << QStringList{"A"} << true;
        QTest::newRow("three, breaks") << QStringList{"A", "B", "C"} << true;
        QTest::newRow("three, no breaks") << QStringList{"A", "B", "C"} << false;
    }
    void pageBreaksGoBetweenDocumentsOnly() {
        QFETCH(QStringList, names);
        QFETCH(bool, breaks);
        const QStringList docs = sources(names);
        const MergeResult r = run(docs, path("out.docx"), breaks);
        QCOMPARE(r.outcome, Outcome::Completed);
        QCOMPARE(r.merged, docs);
        QCOMPARE(blocks(), blocksOf(names, breaks));
        QCOMPARE(r.completionMessage, msg::Finished);
        QVERIFY(r.placedTarget.isEmpty());
    }

    void firstEntryGivesTheOrientation() {
        const QStringList docs = sources({"A", "B"});
        test::writeFakeDocument(docs[0], test::FakeContent::fromPages({{"A1"}}, 1));
        run(docs, path("out.docx"));
        QCOMPARE(test::readFakeDocument(path("out.docx"))->orientation, 1);
    }

    void fileOnDiskHoldsExactlyTheFinishedPasses() {
        const QStringList names = {"A", "B", "C", "D"};
        const QStringList docs = sources(names);
        QList<QStringList> seen;
        m_prompts->onProgress = [&](const Progress& p) {
            QCOMPARE(p.documentCount, 4);
            QCOMPARE(p.document, docs[p.documentIndex]);
            seen.append(blocks());
        };
        run(docs, path("out.docx"), true);
        QCOMPARE(m_prompts->documentIndexes(), (QList<int>{0, 1, 2, 3}));
        for (int i = 0; i < 4; ++i) QCOMPARE(seen[i], blocksOf(names.mid(0, i), true));
        QCOMPARE(blocks(), blocksOf(names, true));
        // Stored once per pass, never reopened while nothing failed.
        QCOMPARE(m_events.count(QStringLiteral("save ") + path("out.docx")), 4);
        QCOMPARE(m_events.count(QStringLiteral("open ") + path("out.docx")), 0);
    }

    // Neither a half entry nor the break before it stays in the target; no break goes before
    // the first document that goes in.
    void entriesThatFailAreListedAndTheRestMerged() {
        const QStringList docs = sources({"A", "B", "C", "D", "E"});
        fail("appendFile", docs[0], true);
        QFile::remove(docs[1]);
        fail("appendFile", docs[3], true);
        m_factory->addFault({"save", {}, word::Error::Kind::SaveFailed, 0, 1});  // C's pass
        const MergeResult r = run(docs, path("out.docx"), true);
        QCOMPARE(r.outcome, Outcome::Completed);
        QCOMPARE(r.merged, QStringList{docs[4]});
        QCOMPARE(blocks(), blocksOf({"E"}, true));
        QCOMPARE(r.failures.size(), 4);
        QCOMPARE(r.failures[1].reason, msg::ReasonUnreadable);
        QCOMPARE(r.failures[2].reason,
                 msg::ReasonTargetNotSaved(word::reasonText({word::Error::Kind::SaveFailed, {}})));
        QCOMPARE(r.failures[3].reason, msg::ReasonNotInserted(word::reasonText({})));
        QCOMPARE(r.completionMessage, merge::completionMessage(r.failures));
        QVERIFY(r.completionMessage.startsWith(msg::Finished + "\n\n" + msg::NotMergedHeading(4)));
        QCOMPARE(m_prompts->icons.last(), MessageIcon::Exclamation);
        checkEnd();
    }

    void officeThatGoesDownIsStartedAgain() {
        const QStringList docs = sources({"A", "B", "C", "D"});
        m_factory->addFault(
            {"appendFile", docs[1], word::Error::Kind::OfficeDead, 0, -1, true, true});
        // Lost between C and D, after the second save: costs no entry.
        m_factory->addFault({"save", {}, word::Error::Kind::Failed, 1, 1, false, false, true});
        const MergeResult r = run(docs, path("out.docx"), true);
        QCOMPARE(r.outcome, Outcome::Completed);
        QCOMPARE(r.merged, (QStringList{docs[0], docs[2], docs[3]}));
        QCOMPARE(r.failures.size(), 1);
        QCOMPARE(office().created, 3);
        QCOMPARE(blocks(), blocksOf({"A", "C", "D"}, true));
        checkEnd();
    }

    void officeLostBeforeAStoreCostsNoFinishedEntry_data() {
        QTest::addColumn<int>("storeEvery");
        QTest::addColumn<FakeFault>("fault");
        QTest::addColumn<QStringList>("merged");
        using K = word::Error::Kind;
        const QStringList all = {"A", "B", "C", "D", "E", "F"};
        QTest::newRow("killed by an entry")
            << 100 << FakeFault{"appendFile", "D.", K::OfficeDead, 0, 1, true, true}
            << QStringList{"A", "B", "C", "E", "F"};
        QTest::newRow("gone after an entry")
            << 4 << FakeFault{"appendFile", "C.", K::Failed, 0, 1, false, false, true} << all;
        QTest::newRow("killed while storing")
            << 2 << FakeFault{"save", {}, K::OfficeDead, 1, 1, true} << all;
        QTest::newRow("timed stores")
            << 0 << FakeFault{"appendFile", "E.", K::OfficeDead, 0, 1, true, true}
            << QStringList{"A", "B", "C", "D", "F"};
    }
    // What went in before the office was lost is added again from the last stored file.
    void officeLostBeforeAStoreCostsNoFinishedEntry() {
        QFETCH(int, storeEvery);
        QFETCH(FakeFault, fault);
        QFETCH(QStringList, merged);
        const QStringList docs = sources({"A", "B", "C", "D", "E", "F"});
        m_factory->addFault(fault);
        const MergeResult r = run(docs, path("out.docx"), true, storeEvery);
        QCOMPARE(r.outcome, Outcome::Completed);
        QCOMPARE(r.failures.size(), docs.size() - merged.size());
        QCOMPARE(r.merged.size(), merged.size());
        QCOMPARE(blocks(), blocksOf(merged, true));
        QCOMPARE(office().created, 2);
        checkEnd();
    }

    void officeThatKeepsGoingDownIsNotRestartedForever() {
        const QStringList docs = sources({"A", "B", "C", "D", "E", "F", "G"});
        for (int i = 1; i < docs.size(); ++i)
            m_factory->addFault(
                {"appendFile", docs[i], word::Error::Kind::OfficeDead, 0, -1, true, true});
        const MergeResult r = run(docs, path("out.docx"));
        QCOMPARE(r.merged, QStringList{docs[0]});
        QCOMPARE(r.failures.size(), 6);
        QCOMPARE(r.failures.last().reason, msg::ReasonOfficeStopped);
        QCOMPARE(office().created, 4);
        QCOMPARE(blocks(), blocksOf({"A"}, false));
        checkEnd();
    }

    void bareTargetNameGoesToTheDocumentsFolder() {
        const QString home = path("home");
        QDir().mkpath(home);
        const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + "/.config"));
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        // Typed without an extension, it becomes a Word document.
        const MergeResult r = run(sources({"A"}), QStringLiteral(" out "));
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
        QVERIFY(documents.startsWith(home));
        QCOMPARE(r.target, documents + "/out.docx");
        QCOMPARE(r.placedTarget, r.target);
        QCOMPARE(blocks(r.target), blocksOf({"A"}, false));
    }

    void cancelledMergeIsNotReportedAsComplete() {
        const QStringList docs = sources({"A", "B", "C", "D"});
        m_prompts->cancelWhen = [&] { return m_prompts->steps.size() >= 2; };
        const MergeResult r = run(docs, path("out.docx"), false, 100);
        QCOMPARE(r.outcome, Outcome::Cancelled);
        QCOMPARE(r.merged, docs.mid(0, 2));
        QCOMPARE(r.failures.size(), 2);
        QCOMPARE(r.failures[0].reason, msg::ReasonCancelled);
        QCOMPARE(m_prompts->messages.last(), merge::cancellationMessage(2, r.failures));
        QCOMPARE(blocks(), blocksOf({"A", "B"}, false));
        checkEnd();
    }

    void longFailureListIsCutShort() {
        QList<merge::MergeFailure> failures;
        for (int i = 0; i < 12; ++i) failures.append({QStringLiteral("/d/%1.docx").arg(i), "x"});
        const QStringList lines = merge::completionMessage(failures).split(u'\n');
        QCOMPARE(lines.size(), 3 + 10 + 1);
        QCOMPARE(lines[3], QStringLiteral("/d/0.docx：x"));
        QCOMPARE(lines.last(), msg::MoreNotMerged(2));
    }
};

QTEST_GUILESS_MAIN(TestMergeRun)
#include "tst_mergerun.moc"
