// The command line read into requests, questions answered by their kind, the exit status of each
// outcome, and the progress line.

#include <cstdio>

#include <QtTest>

#include "cli/cliprompts.h"
#include "cli/commandline.h"
#include "cli/console.h"
#include "cli/runsummary.h"

using namespace pw;
using namespace pw::cli;
using split::NamingMode;

Q_DECLARE_METATYPE(pw::split::NamingMode)
Q_DECLARE_METATYPE(pw::Question::Kind)

namespace {

CommandLine parse(const QStringList& words) {
    return parseCommandLine(QStringList{QStringLiteral("pagewright-cli")} + words,
                            QStringLiteral("/work/here"));
}

}  // namespace

class TestCliCommandLine : public QObject {
    Q_OBJECT

private slots:
    void splitOptions() {
        const CommandLine d = parse({"split", "a.docx", "/abs/b.doc"});
        QCOMPARE(d.kind, CommandKind::Split);
        QCOMPARE(d.split.documents, QStringList({"/work/here/a.docx", "/abs/b.doc"}));
        const CommandLine c =
            parse({"split", "--into", "4", "a.docx", "--out", "../parts", "--create-folder",
                   "--json", "--pages=office", "--jobs", "3", "--", "--odd.docx"});
        QCOMPARE(c.split.mode, split::SplitMode::IntoNDocuments);
        QCOMPARE(c.split.newDocsText, QStringLiteral("4"));
        QCOMPARE(c.split.output, split::OutputRule::ChosenFolder);
        QCOMPARE(c.split.outDirText, QStringLiteral("/work/parts"));
        QVERIFY(c.createFolder && c.json);
        QCOMPARE(c.split.pagination, split::Pagination::Office);
        QCOMPARE(c.split.jobs, 3);
        QCOMPARE(c.split.documents, QStringList({"/work/here/a.docx", "/work/here/--odd.docx"}));
        // Counts are passed on as typed: the run's own checks judge them.
        const CommandLine t = parse({"split", "--every=abc", "--out", " ", "a"});
        QCOMPARE(t.split.pagesText, QStringLiteral("abc"));
        QCOMPARE(t.split.outDirText, QStringLiteral(" "));
    }

    void namingRules_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<NamingMode>("mode");
        QTest::addColumn<QString>("chars");
        QTest::addColumn<QString>("digits");
        const auto row = [](const char* name, NamingMode mode, const char* chars,
                            const char* digits) {
            QTest::newRow(name) << QString(name) << mode << QString(chars) << QString(digits);
        };
        row("range", NamingMode::PageRange, "20", "2");
        row("number", NamingMode::PartNumber, "20", "2");
        row("chars=", NamingMode::FirstCharacters, "", "2");
        row("chars=7", NamingMode::FirstCharacters, "7", "2");
        row("digits=5", NamingMode::PaddedSequence, "20", "5");
    }
    void namingRules() {
        QFETCH(QString, name);
        const CommandLine c = parse({"split", "--name", name, "a.docx"});
        QCOMPARE(c.kind, CommandKind::Split);
        QTEST(c.split.naming, "mode");
        QTEST(c.split.firstWordsText, "chars");
        QTEST(c.split.maskLengthText, "digits");
    }

    // A target the merge takes as missing must reach it as such, not as the folder it names;
    // a folder that exists reaches it as that folder, which the merge refuses as one.
    void merge() {
        const CommandLine c =
            parse({"merge", "--target", "out/all.docx", "--page-breaks", "b.doc", "a.docx"});
        QCOMPARE(c.kind, CommandKind::Merge);
        QCOMPARE(c.merge.targetText, QStringLiteral("/work/here/out/all.docx"));
        QVERIFY(c.merge.pageBreaks && !c.overwrite);
        QCOMPARE(c.merge.documents, QStringList({"/work/here/b.doc", "/work/here/a.docx"}));
        QVERIFY(parse({"merge", "--overwrite", "a"}).overwrite);
        QCOMPARE(parse({"merge", "--target", "out/", "a"}).merge.targetText, "out/");
        const QString folder = QDir(QDir::tempPath()).canonicalPath();
        QCOMPARE(parse({"merge", "--target", folder + "/", "a"}).merge.targetText, folder);
        QCOMPARE(parse({"merge", "--target", "  ", "a"}).merge.targetText, "  ");
    }

    void invalidAndHelp_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("error");
        const char* rows[][3] = {
            {"nothing", "", "no command given"},
            {"command", "cut", "unknown command cut"},
            {"option", "split --page 3", "unknown option --page"},
            {"pagination", "split --pages 3 a", "--pages must be word, office or auto, not \"3\""},
            {"no value", "split a --every", "--every needs a value"},
            {"flag value", "merge --json=yes", "--json takes no value"},
            {"both modes", "split --every 2 --into 3 a",
             "--every and --into cannot be used together"},
            {"rule", "split --name pages a",
             "--name must be range, number, chars[=N], counter or digits[=D], not \"pages\""},
            {"jobs", "split --jobs 0 a", "--jobs must be a whole number from 1 to 64, not \"0\""},
            {"rule count", "split --name counter=3 a", "--name counter takes no count"},
            // Help, "help TOPIC": -h among the options asks for the command's own.
            {"-h", "split --every x -h", "help split"},
            {"help", "help merge", "help merge"}};
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[1]).split(u' ', Qt::SkipEmptyParts) << QString(r[2]);
    }
    void invalidAndHelp() {
        QFETCH(QStringList, words);
        QFETCH(QString, error);
        const CommandLine c = parse(words);
        const bool help = error.startsWith("help ");
        QCOMPARE(c.kind, help ? CommandKind::Help : CommandKind::Invalid);
        QCOMPARE(help ? "help " + c.helpTopic : c.error, error);
    }

    // Each kind of question is answered by its own flag, whatever its text says.
    void questionsAnsweredByKind_data() {
        QTest::addColumn<Question::Kind>("kind");
        QTest::addColumn<bool>("createFolder");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<QString>("said");
        // Each flag set against the other: an answer from the wrong flag fails.
        QTest::newRow("folder, yes")
            << Question::Kind::CreateFolder << true << false << "answered Yes (--create-folder)";
        QTest::newRow("target, no") << Question::Kind::OverwriteTarget << true << false
                                    << "answered No; add --overwrite to answer Yes";
    }
    void questionsAnsweredByKind() {
        QFETCH(Question::Kind, kind);
        QFETCH(bool, createFolder);
        QFETCH(bool, overwrite);
        QFETCH(QString, said);
        char buffer[512] = {};
        std::FILE* out = fmemopen(buffer, sizeof buffer - 1, "w");
        bool answer = false;
        {
            Console console(out, false, 80);
            Prompts prompts(console, {createFolder, overwrite}, [] { return false; });
            answer = prompts.ask({kind, QStringLiteral("?"), false, {}});
        }
        std::fclose(out);
        QCOMPARE(answer, kind == Question::Kind::CreateFolder ? createFolder : overwrite);
        QCOMPARE(QString::fromUtf8(buffer), "?\npagewright-cli: " + said + "\n");
    }

    // The statuses a run of the program does not easily reach; the others are seen end to end.
    void exitStatus_data() {
        QTest::addColumn<bool>("merging");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("failedSource");  // "-": nothing failed
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("status");
        using S = split::SplitResult::Outcome;
        using M = merge::MergeResult::Outcome;
        QTest::newRow("split SIGTERM") << false << int(S::Cancelled) << "a" << 15 << 143;
        QTest::newRow("merge no office") << true << int(M::OfficeFailed) << "" << 0 << 3;
        // The first entry could not be read: the office ran, the input failed.
        QTest::newRow("merge first entry") << true << int(M::OfficeFailed) << "a" << 0 << 1;
        QTest::newRow("merge target") << true << int(M::TargetFailed) << "" << 0 << 1;
        QTest::newRow("split made all") << false << int(S::Completed) << "-" << 0 << 0;
    }
    void exitStatus() {
        QFETCH(bool, merging);
        QFETCH(int, outcome);
        QFETCH(QString, failedSource);
        QFETCH(int, signal);
        merge::MergeResult m;
        m.outcome = merge::MergeResult::Outcome(outcome);
        if (failedSource != "-") m.failures.append({failedSource, "x"});
        split::SplitResult s;
        s.outcome = split::SplitResult::Outcome(outcome);
        if (failedSource != "-") s.failures.append({failedSource, 0, {}, "x", {}});
        QTEST(merging ? cli::exitStatus(m, signal) : cli::exitStatus(s, signal), "status");
    }

    void progressLines() {
        auto step = [](int doc, int docs, int part, int parts, const QString& written) {
            Progress p = Progress::step(doc, docs, "/d/b.docx");
            p.partIndex = part;
            p.partCount = parts;
            p.written = written;
            return progressLine(p);
        };
        QCOMPARE(step(1, 3, 0, 0, {}), QStringLiteral("document 2/3: /d/b.docx"));
        QVERIFY(step(1, 3, 0, 4, {}).isEmpty());
        QCOMPARE(step(1, 3, 2, 4, "/o/b2.docx"), "document 2/3, part 2/4: /o/b2.docx");
        QCOMPARE(step(0, 1, 4, 4, {}), QStringLiteral("document 1/1, part 4/4: not made"));
        QVERIFY(progressLine(Progress::at(Progress::Stage::WorkBegins)).isEmpty());
    }

    // The self-updating line must never wrap, or it stops updating in place.
    void progressFitsTheTerminal() {
        QCOMPARE(displayWidth(QStringLiteral("ab文档")), 6);
        QCOMPARE(fitToWidth(QStringLiteral("abc"), 3), QStringLiteral("abc"));
        const QString cut = fitToWidth(QStringLiteral("文档文档文档"), 7);
        QCOMPARE(cut, QStringLiteral("文档文…"));
        QVERIFY(displayWidth(cut) <= 7);
    }
};

QTEST_APPLESS_MAIN(TestCliCommandLine)
#include "tst_clicommandline.moc"
