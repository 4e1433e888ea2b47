// The merge's logic against a fake office: checks, preparation, passes and what is reported.

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include "merge/mergerun.h"
#include "merge/mergetexts.h"
#include "tests/merge/scriptedprompts.h"
#include "tests/support/fakeword.h"
#include "tests/support/testenv.h"

using namespace pw;
using merge::MergeResult;
using Outcome = merge::MergeResult::Outcome;

class TestMergeRun : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_events;
    std::unique_ptr<test::FakeWordFactory> m_factory;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    // Source "X" holds the blocks "X1" and "X2".
    QString source(const QString& name, int orientation = 0) {
        const QString p = path(name + QStringLiteral(".docx"));
        test::writeFakeDocument(
            p, test::FakeContent::fromPages({{name + u'1', name + u'2'}}, orientation));
        return p;
    }
    QStringList sources(const QStringList& names) {
        QStringList paths;
        for (const QString& n : names) paths.append(source(n));
        return paths;
    }
    MergeResult run(const QStringList& documents, const QString& target, bool pageBreaks = false) {
        m_prompts->target = target;
        return merge::runMerge({documents, target, pageBreaks}, *m_prompts, *m_factory);
    }
    bool officeStarted() const { return m_events.contains(QStringLiteral("create")); }
    QStringList blocksOf(const QStringList& names, bool breaks) const {
        QStringList blocks;
        for (const QString& n : names) {
            if (breaks && !blocks.isEmpty()) blocks.append(test::FakeBreak);
            blocks << n + u'1' << n + u'2';
        }
        return blocks;
    }
    static QStringList blocksIn(const QString& file) {
        const auto c = test::readFakeDocument(file);
        return c ? c->blocks() : QStringList{"<unreadable>"};
    }
    void checkWindowRestored() const {
        QVERIFY(!m_prompts->busy);
        QVERIFY(m_prompts->controlsEnabled);
        QCOMPARE(m_factory->state().live, 0);
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_events.clear();
        m_factory = std::make_unique<test::FakeWordFactory>();
        m_factory->state().events = &m_events;
        m_prompts = std::make_unique<test::ScriptedPrompts>(m_events);
    }

    // --- the checks before anything starts ---

    void emptyListIsRefused() {
        const MergeResult r = run({}, path("out.docx"));
        QCOMPARE(r.outcome, Outcome::Refused);
        QCOMPARE(m_prompts->messages,
                 QStringList{QStringLiteral("请添加需要合并到同一个文档的多个文件！")});
        QCOMPARE(m_prompts->icons.first(), MessageIcon::Information);
        QVERIFY(!officeStarted());
        QCOMPARE(m_prompts->dialogs, 0);
    }

    void missingTargetOpensTheDialog_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("empty") << QString();
        QTest::newRow("blanks") << QStringLiteral("   ");
        QTest::newRow("folder") << QStringLiteral("/tmp/");
        QTest::newRow("folder and blanks") << QStringLiteral(" /tmp/  ");
    }
    void missingTargetOpensTheDialog() {
        QFETCH(QString, target);
        const MergeResult r = run(sources({"A"}), target);
        QCOMPARE(r.outcome, Outcome::Refused);
        QCOMPARE(m_prompts->messages, QStringList{QStringLiteral("请输入要合成的目标文档名！")});
        QCOMPARE(m_prompts->icons.first(), MessageIcon::Information);
        QCOMPARE(m_events, (QStringList{"message", "dialog"}));
    }

    void targetThatIsASourceIsRefused_data() {
        QTest::addColumn<QString>("spelling");
        QTest::newRow("same text") << QStringLiteral("B.docx");
        QTest::newRow("dot segment") << QStringLiteral("./B.docx");
        QTest::newRow("double separator") << QStringLiteral("/B.docx");
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
        const MergeResult r = run(docs, m_dir->path() + u'/' + spelling);
        QCOMPARE(r.outcome, Outcome::Refused);
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(m_prompts->messages.first().contains(
            QFileInfo(m_dir->path() + u'/' + spelling).fileName()));
        QVERIFY(m_prompts->questions.isEmpty());
        QVERIFY(!officeStarted());
        QCOMPARE(test::fileHash(docs[1]), before);
    }

    void folderAndPdfTargetsAreRefused() {
        QDir(m_dir->path()).mkdir("out.docx");
        run(sources({"A"}), path("out.docx"));
        run(sources({"A"}), path("out.pdf"));
        QCOMPARE(m_prompts->messages.size(), 2);
        QVERIFY(!officeStarted());
        QVERIFY(!QFile::exists(path("out.pdf")));
    }

    void existingTargetAnsweredNoIsKept_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("ordinary") << QStringLiteral("out.docx");
        QTest::newRow("hidden") << QStringLiteral(".out.docx");
    }
    void existingTargetAnsweredNoIsKept() {
        QFETCH(QString, name);
        test::writeFakeDocument(path(name), test::FakeContent::fromPages({{"old"}}));
        const QByteArray before = test::fileHash(path(name));
        m_prompts->answer = false;
        const MergeResult r = run(sources({"A"}), path(name));
        QCOMPARE(r.outcome, Outcome::Refused);
        QCOMPARE(m_prompts->questions,
                 QStringList{QStringLiteral("输出的文件已经存在，是否覆盖？")});
        QVERIFY(m_prompts->askedWithNoDefault);
        QVERIFY(m_prompts->messages.isEmpty());
        QVERIFY(!officeStarted());
        QCOMPARE(test::fileHash(path(name)), before);
    }

    void existingTargetAnsweredYesIsWrittenFromEmpty() {
        test::writeFakeDocument(path("out.docx"), test::FakeContent::fromPages({{"old"}}));
        m_prompts->answer = true;
        const MergeResult r = run(sources({"A", "B"}), path("out.docx"));
        QCOMPARE(r.outcome, Outcome::Completed);
        QCOMPARE(blocksIn(path("out.docx")), blocksOf({"A", "B"}, false));
    }

    // --- preparation and its failures ---

    void officeIsPreparedInOrder() {
        const QStringList docs = sources({"A", "B"});
        run(docs, path("out.docx"), true);
        const QString out = path("out.docx");
        const QStringList expected = {"create",        "open " + docs[0],
                                      "orientation",   "close " + docs[0],
                                      "add",           "disable",
                                      "busy",          "setOrientation 0",
                                      "saveAs " + out, "appendFile " + docs[0],
                                      "save " + out};
        QCOMPARE(m_events.mid(0, expected.size()), expected);
        // The end: the office goes, then the pointer, the message and the controls.
        QCOMPARE(m_events.mid(m_events.size() - 5),
                 (QStringList{"close " + out, "quit", "idle", "message", "enable"}));
        QCOMPARE(m_prompts->messages.last(), QStringLiteral("文档合并完成！"));
        QCOMPARE(m_prompts->icons.last(), MessageIcon::Information);
        checkWindowRestored();
    }

    void officeThatCannotStartIsReported() {
        m_factory->addFault({"create", {}, word::Error::Kind::NotInstalled});
        const MergeResult r = run(sources({"A"}), path("out.docx"));
        QCOMPARE(r.outcome, Outcome::OfficeFailed);
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(m_prompts->messages.first().contains(QStringLiteral("injected failure of create")));
        QVERIFY(!QFile::exists(path("out.docx")));
        checkWindowRestored();
    }

    void unreadableFirstEntryIsReported_data() {
        QTest::addColumn<bool>("failOpen");
        QTest::newRow("cannot open") << true;
        QTest::newRow("no orientation") << false;
    }
    void unreadableFirstEntryIsReported() {
        QFETCH(bool, failOpen);
        const QStringList docs = sources({"A", "B"});
        m_factory->addFault({failOpen ? "open" : "orientation", {}, word::Error::Kind::OpenFailed});
        const MergeResult r = run(docs, path("out.docx"));
        QCOMPARE(r.outcome, Outcome::OfficeFailed);
        QCOMPARE(r.failures.size(), 1);
        QCOMPARE(r.failures.first().source, docs[0]);
        QVERIFY(m_prompts->messages.first().contains(docs[0]));
        QVERIFY(m_prompts->messages.first().contains(failOpen ? "failure of open"
                                                              : "failure of orientation"));
        QVERIFY(!QFile::exists(path("out.docx")));
        checkWindowRestored();
    }

    void targetThatCannotBeWrittenIsNotLeftBehind_data() {
        QTest::addColumn<bool>("failSaveAs");
        QTest::newRow("write fails halfway") << true;
        QTest::newRow("orientation refused") << false;
    }
    void targetThatCannotBeWrittenIsNotLeftBehind() {
        QFETCH(bool, failSaveAs);
        if (failSaveAs)  // leaves a damaged file
            m_factory->addFault({"saveAs", {}, word::Error::Kind::SaveFailed, 0, -1, false, true});
        else
            m_factory->addFault({"setOrientation", {}});
        const MergeResult r = run(sources({"A", "B"}), path("out.docx"));
        QCOMPARE(r.outcome, Outcome::TargetFailed);
        QVERIFY(m_prompts->messages.last().contains(path("out.docx")));
        QVERIFY(m_prompts->messages.last().contains(failSaveAs ? "failure of saveAs"
                                                               : "failure of setOrientation"));
        QVERIFY(!m_prompts->messages.last().startsWith(QStringLiteral("文档合并完成！")));
        QVERIFY(!QFile::exists(path("out.docx")));
        QVERIFY(!m_events.contains(QStringLiteral("appendFile ") + path("A.docx")));
        QCOMPARE(m_events.mid(m_events.size() - 3), (QStringList{"idle", "message", "enable"}));
        checkWindowRestored();
    }

    // --- the passes ---

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
        QCOMPARE(blocksIn(path("out.docx")), blocksOf(names, breaks));
        QCOMPARE(r.completionMessage, QStringLiteral("文档合并完成！"));
    }

    void firstEntryGivesTheOrientation_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("landscape first") << 1 << 0;
        QTest::newRow("portrait first") << 0 << 1;
    }
    void firstEntryGivesTheOrientation() {
        QFETCH(int, first);
        QFETCH(int, second);
        run({source("A", first), source("B", second)}, path("out.docx"));
        QCOMPARE(test::readFakeDocument(path("out.docx"))->orientation, first);
    }

    void fileOnDiskHoldsExactlyTheFinishedPasses() {
        const QStringList names = {"A", "B", "C", "D"};
        const QStringList docs = sources(names);
        QList<QStringList> seen;
        m_prompts->onProgress = [&](const merge::MergeProgress& p) {
            QCOMPARE(p.count, 4);
            QCOMPARE(p.document, docs[p.index]);
            seen.append(blocksIn(path("out.docx")));
        };
        run(docs, path("out.docx"), true);
        QCOMPARE(seen.size(), 4);
        for (int i = 0; i < 4; ++i) QCOMPARE(seen[i], blocksOf(names.mid(0, i), true));
        QCOMPARE(blocksIn(path("out.docx")), blocksOf(names, true));
        // Stored once per pass, never reopened while nothing failed.
        QCOMPARE(m_events.count(QStringLiteral("save ") + path("out.docx")), 4);
        QCOMPARE(m_events.count(QStringLiteral("open ") + path("out.docx")), 0);
    }

    void entriesThatFailAreListedAndTheRestMerged() {
        const QStringList docs = sources({"A", "B", "C", "D", "E"});
        QFile::remove(docs[1]);  // gone by the time the merge runs
        m_factory->addFault(
            {"appendFile", docs[3], word::Error::Kind::OpenFailed, 0, -1, false, true});
        const MergeResult r = run(docs, path("out.docx"), true);
        QCOMPARE(r.outcome, Outcome::Completed);
        QCOMPARE(r.merged, (QStringList{docs[0], docs[2], docs[4]}));
        QCOMPARE(r.failures.size(), 2);
        QCOMPARE(r.failures[0].source, docs[1]);
        QCOMPARE(r.failures[1].source, docs[3]);
        QVERIFY(r.failures[1].reason.contains("failure of appendFile"));
        // Neither a half entry nor the break before it stays in the target.
        QCOMPARE(blocksIn(path("out.docx")), blocksOf({"A", "C", "E"}, true));
        const QString& shown = m_prompts->messages.last();
        QVERIFY(shown.startsWith(QStringLiteral("文档合并完成！\n")));
        QVERIFY(shown.contains(docs[1]));
        QVERIFY(shown.contains(docs[3]));
        QCOMPARE(m_prompts->icons.last(), MessageIcon::Exclamation);
        checkWindowRestored();
    }

    void noBreakBeforeTheFirstDocumentThatGoesIn() {
        const QStringList docs = sources({"A", "B", "C"});
        m_factory->addFault(
            {"appendFile", docs[0], word::Error::Kind::OpenFailed, 0, -1, false, true});
        const MergeResult r = run(docs, path("out.docx"), true);
        QCOMPARE(r.merged, docs.mid(1));
        QCOMPARE(blocksIn(path("out.docx")), blocksOf({"B", "C"}, true));
    }

    void passWhoseSaveFailsIsListed() {
        const QStringList docs = sources({"A", "B", "C"});
        m_factory->addFault({"save", {}, word::Error::Kind::SaveFailed, 1, 1});
        const MergeResult r = run(docs, path("out.docx"));
        QCOMPARE(r.merged, (QStringList{docs[0], docs[2]}));
        QCOMPARE(r.failures.size(), 1);
        QCOMPARE(r.failures.first().source, docs[1]);
        QCOMPARE(r.failures.first().reason,
                 merge::texts::targetNotSaved("injected failure of save"));
        QCOMPARE(blocksIn(path("out.docx")), blocksOf({"A", "C"}, false));
    }

    void officeThatGoesDownIsStartedAgain() {
        const QStringList docs = sources({"A", "B", "C", "D"});
        m_factory->addFault(
            {"appendFile", docs[1], word::Error::Kind::OfficeDead, 0, -1, true, true});
        const MergeResult r = run(docs, path("out.docx"), true);
        QCOMPARE(r.outcome, Outcome::Completed);
        QCOMPARE(r.merged, (QStringList{docs[0], docs[2], docs[3]}));
        QCOMPARE(r.failures.size(), 1);
        QCOMPARE(m_factory->state().created, 2);
        QCOMPARE(blocksIn(path("out.docx")), blocksOf({"A", "C", "D"}, true));
        checkWindowRestored();
    }

    void officeLostBetweenPassesCostsNoEntry() {
        const QStringList docs = sources({"A", "B", "C"});
        m_factory->addFault({"save", {}, word::Error::Kind::Failed, 0, 1, false, false, true});
        const MergeResult r = run(docs, path("out.docx"), true);
        QCOMPARE(r.merged, docs);
        QVERIFY(r.failures.isEmpty());
        QCOMPARE(m_factory->state().created, 2);
        QCOMPARE(blocksIn(path("out.docx")), blocksOf({"A", "B", "C"}, true));
        checkWindowRestored();
    }

    void officeThatKeepsGoingDownIsNotRestartedForever() {
        const QStringList docs = sources({"A", "B", "C", "D", "E", "F", "G"});
        for (int i = 1; i < docs.size(); ++i)
            m_factory->addFault(
                {"appendFile", docs[i], word::Error::Kind::OfficeDead, 0, -1, true, true});
        const MergeResult r = run(docs, path("out.docx"));
        QCOMPARE(r.merged, QStringList{docs[0]});
        QCOMPARE(r.failures.size(), 6);
        QCOMPARE(r.failures.last().reason, merge::texts::officeStopped());
        QCOMPARE(m_factory->state().created, 4);
        QCOMPARE(blocksIn(path("out.docx")), blocksOf({"A"}, false));
        checkWindowRestored();
    }

    void bareTargetNameGoesToTheDocumentsFolder() {
        const QString home = path("home");
        QDir().mkpath(home);
        const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + "/.config"));
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const MergeResult r = run(sources({"A"}), QStringLiteral(" out.docx "));
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
        QVERIFY(documents.startsWith(home));
        QCOMPARE(r.target, documents + "/out.docx");
        QCOMPARE(m_prompts->target, r.target);
        QCOMPARE(blocksIn(r.target), blocksOf({"A"}, false));
    }

    void cancelledMergeIsNotReportedAsComplete() {
        const QStringList docs = sources({"A", "B", "C", "D"});
        m_prompts->cancelAfter = 2;
        const MergeResult r = run(docs, path("out.docx"));
        QCOMPARE(r.outcome, Outcome::Cancelled);
        QCOMPARE(r.merged, docs.mid(0, 2));
        QCOMPARE(r.failures.size(), 2);
        QVERIFY(!m_prompts->messages.last().startsWith(QStringLiteral("文档合并完成！")));
        QCOMPARE(blocksIn(path("out.docx")), blocksOf({"A", "B"}, false));
        checkWindowRestored();
    }

    void longFailureListIsCutShort() {
        QList<merge::MergeFailure> failures;
        for (int i = 0; i < 25; ++i) failures.append({QStringLiteral("/d/%1.docx").arg(i), "x"});
        const QString text = merge::texts::completion(failures);
        QVERIFY(text.startsWith(QStringLiteral("文档合并完成！")));
        QVERIFY(text.contains("/d/9.docx"));
        QVERIFY(!text.contains("/d/10.docx"));
        QVERIFY(text.contains("15"));
    }
};

QTEST_GUILESS_MAIN(TestMergeRun)
#include "tst_mergerun.moc"
