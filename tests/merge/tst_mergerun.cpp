// The merge's logic against a fake office: checks, preparation, passes and what is reported.

#include <QtTest>

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
using Faults = QList<FakeFault>;
Q_DECLARE_METATYPE(FakeFault)
using merge::MergeResult;
using Check = merge::MergeRefusal::Check;
using Outcome = merge::MergeResult::Outcome;
using K = word::Error::Kind;
namespace msg = pw::merge::msg;

class TestMergeRun : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_events;
    std::unique_ptr<test::FakeWordFactory> m_factory;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;

    QString path(const QString& name) const { return m_dir->filePath(name); }
    test::FakeOfficeState& office() const { return m_factory->state(); }
    // Source "X" holds the paragraphs "X1" and "X2"; "X?" is named but not written.
    QStringList sources(const QStringList& names) {
        QStringList paths;
        for (const QString& n : names) {
            paths.append(path(n.left(1) + ".docx"));
            if (!n.endsWith('?'))
                test::writeFakeDocument(paths.last(),
                                        test::FakeContent::fromPages({{n + '1', n + '2'}}));
        }
        return paths;
    }
    MergeResult run(const QStringList& documents, const QString& target, bool pageBreaks = false,
                    int storeEvery = 1) {
        return merge::runMerge({documents, target, pageBreaks, storeEvery}, *m_prompts, *m_factory);
    }
    QStringList pages(const QString& target = {}) const {
        const auto c = test::readFakeDocument(target.isEmpty() ? path("out.docx") : target);
        return c ? c->pageTexts() : QStringList{"<unreadable>"};
    }
    // The target's pages with the entries named in it.
    static QStringList pagesOf(const QStringList& names, bool breaks) {
        QStringList out{QString()};
        for (const QString& n : names) {
            if (breaks && !out.last().isEmpty()) out.append(QString());
            out.last() += n + "1\r" + n + "2\r";
        }
        if (out.last().isEmpty()) out.last() = "\r";  // an empty document's final mark
        return out;
    }
    // Nothing started, one refusal.
    void checkRefused(const MergeResult& r, Check check) const {
        QCOMPARE(r.outcome, Outcome::Refused);
        QVERIFY(r.refusal);
        QCOMPARE(r.refusal->check, check);
        QCOMPARE(office().created, 0);
        QVERIFY(m_prompts->busy.isEmpty());
    }
    // Office gone, the busy time over before the last message.
    void checkEnd() const {
        QCOMPARE(office().live, 0);
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

    // Each check refuses before anything starts, with its message; a target that is a source,
    // by any spelling or link, is never written over.
    void refusals_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("check");
        const auto row = [](const char* name, const QString& target, Check check) {
            QTest::newRow(name) << target << int(check);
        };
        row("no documents", "out.docx", Check::NoDocuments);
        row("blanks", "   ", Check::TargetMissing);
        row("folder and blanks", " /tmp/  ", Check::TargetMissing);
        row("same text", "B.docx", Check::TargetIsSource);
        row("symbolic link", "link.docx", Check::TargetIsSource);
        row("hard link", "hard.docx", Check::TargetIsSource);
        row("folder", "dir.docx", Check::TargetIsFolder);
        row("pdf", "out.pdf", Check::TargetIsExportOnly);
    }
    void refusals() {
        QFETCH(QString, target);
        QFETCH(int, check);
        const QStringList docs = sources({"A", "B", "C"});
        QVERIFY(QDir(m_dir->path()).mkdir("dir.docx"));
        QVERIFY(QFile::link(docs[1], path("link.docx")));
        QCOMPARE(::link(QFile::encodeName(docs[1]).constData(),
                        QFile::encodeName(path("hard.docx")).constData()),
                 0);
        const QByteArray before = test::fileHash(docs[1]);
        if (target.contains('.')) target = QDir::cleanPath(path(target));
        m_prompts->answer = true;  // would overwrite, if it were asked
        checkRefused(run(Check(check) == Check::NoDocuments ? QStringList() : docs, target),
                     Check(check));
        const QMap<Check, QString> said{
            {Check::NoDocuments, msg::NoDocuments},
            {Check::TargetMissing, msg::TargetMissing},
            {Check::TargetIsSource, msg::TargetIsSource(target)},
            {Check::TargetIsFolder, msg::TargetIsFolder(target)},
            {Check::TargetIsExportOnly, msg::TargetIsExportOnly(target)}};
        QCOMPARE(m_prompts->messages, QStringList{said[Check(check)]});
        QCOMPARE(m_prompts->icons.value(0), check <= int(Check::TargetMissing)
                                                ? MessageIcon::Information
                                                : MessageIcon::Exclamation);
        QVERIFY(m_prompts->questions.isEmpty());
        QCOMPARE(test::fileHash(docs[1]), before);
    }

    // Hidden or not, an existing target is asked about, kept on No, rewritten from empty on Yes.
    void existingTarget_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("yes");
        QTest::newRow("no") << "out.docx" << false;
        QTest::newRow("hidden, no") << ".out.docx" << false;
        QTest::newRow("yes") << "out.docx" << true;
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
            QCOMPARE(pages(path(name)), pagesOf({"A", "B"}, false));
            return;
        }
        checkRefused(r, Check::OverwriteDeclined);
        QVERIFY(m_prompts->messages.isEmpty());
        QCOMPARE(test::fileHash(path(name)), before);
    }

    // No office, a first entry that cannot be read, or a target that cannot be written: one
    // message in Chinese (the office's words stay in the result), and no target left behind.
    void failsBeforeThePasses_data() {
        QTest::addColumn<FakeFault>("fault");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<bool>("namesFirst");
        const int office = int(Outcome::OfficeFailed), target = int(Outcome::TargetFailed);
        QTest::newRow("no office") << FakeFault{"create", {}, K::NotInstalled} << office << false;
        QTest::newRow("cannot open") << FakeFault{"open", "/A.docx"} << office << true;
        QTest::newRow("write fails halfway")
            << FakeFault{"saveAs", {}, K::Failed, 0, -1, false, true} << target << false;
        QTest::newRow("orientation refused") << FakeFault{"setOrientation", {}} << target << false;
    }
    void failsBeforeThePasses() {
        QFETCH(FakeFault, fault);
        QFETCH(int, outcome);
        QFETCH(bool, namesFirst);
        const QStringList docs = sources({"A", "B"});
        m_factory->addFault(fault);
        const MergeResult r = run(docs, path("out.docx"));
        QCOMPARE(int(r.outcome), outcome);
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(!m_prompts->messages[0].contains("failure of " + fault.op));
        QVERIFY(r.failures.value(0).reason.contains("failure of " + fault.op));
        QCOMPARE(m_prompts->messages[0].contains(docs[0]), namesFirst);
        QCOMPARE(r.failures.value(0).source, namesFirst ? docs[0] : QString());
        if (outcome == int(Outcome::TargetFailed)) {
            QCOMPARE(m_prompts->messages[0],
                     msg::TargetNotCreated(path("out.docx"), word::reasonText({})));
            checkEnd();
        }
        QVERIFY(!QFile::exists(path("out.docx")));
        QCOMPARE(office().count("appendFile"), 0);
        QCOMPARE(office().live, 0);
    }

    // Entries go in in order, a break between two only; one that fails is listed and leaves
    // neither half of itself nor its break behind. An office that goes down is started again
    // and what went in since the last store is added again, but not forever.
    void passes_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("breaks");
        QTest::addColumn<int>("storeEvery");
        QTest::addColumn<Faults>("faults");
        QTest::addColumn<QStringList>("merged");
        QTest::addColumn<int>("created");
        QTest::addColumn<QStringList>("reasons");  // of the failures; "" not checked
        const QStringList six{"A", "B", "C", "D", "E", "F"};
        const QString dead = msg::ReasonOfficeStopped;
        QTest::newRow("three, breaks")
            << six.mid(0, 3) << true << 1 << Faults{} << six.mid(0, 3) << 1 << QStringList{};
        QTest::newRow("entries that fail")
            << QStringList{"A", "B?", "C", "D", "E"} << true << 1
            << Faults{{"appendFile", "/A.", K::Failed, 0, -1, false, true},
                      {"save", {}, K::SaveFailed, 0, 1},
                      {"appendFile", "/D.", K::Failed, 0, -1, false, true}}
            << QStringList{"E"} << 1
            << QStringList{"", msg::ReasonUnreadable,
                           msg::ReasonTargetNotSaved(word::reasonText({K::SaveFailed, {}})),
                           msg::ReasonNotInserted(word::reasonText({}))};
        QTest::newRow("killed, then lost after a store")
            << six.mid(0, 4) << true << 1
            << Faults{{"appendFile", "/B.", K::OfficeDead, 0, -1, true, true},
                      {"save", {}, K::Failed, 1, 1, false, false, true}}
            << QStringList{"A", "C", "D"} << 3 << QStringList{""};
        QTest::newRow("killed by an entry")
            << six << true << 100 << Faults{{"appendFile", "/D.", K::OfficeDead, 0, 1, true, true}}
            << QStringList{"A", "B", "C", "E", "F"} << 2 << QStringList{""};
        QTest::newRow("gone after an entry")
            << six << true << 4
            << Faults{{"appendFile", "/C.", K::Failed, 0, 1, false, false, true}} << six << 2
            << QStringList{};
        QTest::newRow("killed while storing")
            << six << true << 2 << Faults{{"save", {}, K::OfficeDead, 1, 1, true}} << six << 2
            << QStringList{};
        QTest::newRow("timed stores")
            << six << true << 0 << Faults{{"appendFile", "/E.", K::OfficeDead, 0, 1, true, true}}
            << QStringList{"A", "B", "C", "D", "F"} << 2 << QStringList{""};
        Faults always;
        for (const char* name : {"/B.", "/C.", "/D.", "/E.", "/F.", "/G."})
            always.append({"appendFile", name, K::OfficeDead, 0, -1, true, true});
        QTest::newRow("keeps going down")
            << six + QStringList{"G"} << false << 1 << always << QStringList{"A"} << 4
            << QStringList{"", "", "", "", "", dead};
    }
    void passes() {
        QFETCH(QStringList, names);
        QFETCH(bool, breaks);
        QFETCH(int, storeEvery);
        QFETCH(Faults, faults);
        QFETCH(QStringList, merged);
        QFETCH(QStringList, reasons);
        const QStringList docs = sources(names);
        for (const FakeFault& f : faults) m_factory->addFault(f);
        // Stored once per pass, never reopened while nothing failed: the file holds exactly
        // the passes finished so far.
        QList<QStringList> seen;
        m_prompts->onProgress = [&](const Progress& p) {
            QCOMPARE(p.documentCount, docs.size());
            QCOMPARE(p.documentIndex, seen.size());
            QCOMPARE(p.document, docs[p.documentIndex]);
            seen.append(pages());
        };
        const MergeResult r = run(docs, path("out.docx"), breaks, storeEvery);
        QCOMPARE(seen.size(), docs.size());
        if (faults.isEmpty()) {
            for (int i = 0; i < seen.size(); ++i)
                QCOMPARE(seen[i], pagesOf(names.mid(0, i), breaks));
            QCOMPARE(m_events.count("save " + path("out.docx")), docs.size());
            QCOMPARE(m_events.count("open " + path("out.docx")), 0);
        }
        QCOMPARE(r.outcome, Outcome::Completed);
        QCOMPARE(pages(), pagesOf(merged, breaks));
        QStringList mergedPaths;
        for (const QString& m : merged) mergedPaths << path(m + ".docx");
        QCOMPARE(r.merged, mergedPaths);
        QCOMPARE(r.failures.size(), reasons.size());
        for (int i = 0; i < reasons.size(); ++i)
            if (!reasons[i].isEmpty()) QCOMPARE(r.failures[i].reason, reasons[i]);
        QTEST(office().created, "created");
        // The empty target is written under the busy pointer, before the first pass.
        const qsizetype busy = m_events.indexOf("busy");
        QVERIFY(busy > m_events.indexOf("add"));
        QVERIFY(busy < m_events.indexOf("saveAs " + path("out.docx")));
        QVERIFY(m_events.indexOf("saveAs " + path("out.docx")) <
                m_events.indexOf("appendFile " + docs[0]));
        QCOMPARE(r.completionMessage,
                 reasons.isEmpty() ? msg::Finished : merge::completionMessage(r.failures));
        QCOMPARE(m_prompts->messages.last(), r.completionMessage);
        QCOMPARE(m_prompts->icons.last(),
                 reasons.isEmpty() ? MessageIcon::Information : MessageIcon::Exclamation);
        QVERIFY(r.placedTarget.isEmpty());
        checkEnd();
    }

    // Typed without a folder or an extension, the target is a Word document in Documents.
    void bareTargetNameGoesToTheDocumentsFolder() {
        const QString home = path("home");
        const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + "/.config"));
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const MergeResult r = run(sources({"A"}), " out ");
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
        QVERIFY(documents.startsWith(home));
        QCOMPARE(r.target, documents + "/out.docx");
        QCOMPARE(r.placedTarget, r.target);
        QCOMPARE(pages(r.target), pagesOf({"A"}, false));
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
        QCOMPARE(pages(), pagesOf({"A", "B"}, false));
        checkEnd();
    }

    void longFailureListIsCutShort() {
        QList<merge::MergeFailure> failures;
        for (int i = 0; i < 12; ++i) failures.append({QStringLiteral("/d/%1.docx").arg(i), "x"});
        const QStringList lines = merge::completionMessage(failures).split(u'\n');
        QCOMPARE(lines.mid(0, 4),
                 QStringList({msg::Finished, "", msg::NotMergedHeading(12), "/d/0.docx：x"}));
        QCOMPARE(lines.size(), 3 + 10 + 1);
        QCOMPARE(lines.last(), msg::MoreNotMerged(2));
    }
};

QTEST_GUILESS_MAIN(TestMergeRun)
#include "tst_mergerun.moc"
