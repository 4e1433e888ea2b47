// The command line read into requests, the exit status of each outcome, and the progress line.

#include <QDir>
#include <QTest>

#include "cli/cliprompts.h"
#include "cli/commandline.h"
#include "cli/console.h"
#include "cli/runsummary.h"

using namespace pw;
using namespace pw::cli;

namespace {

CommandLine parse(const QStringList& words) {
    return parseCommandLine(QStringList{QStringLiteral("pagewright-cli")} + words,
                            QStringLiteral("/work/here"));
}

}  // namespace

class TestCliCommandLine : public QObject {
    Q_OBJECT

private slots:
    void splitDefaultsAreTheWindowsFirstRun() {
        const CommandLine c = parse({"split", "a.docx", "/abs/b.doc"});
        QCOMPARE(c.kind, CommandKind::Split);
        QCOMPARE(c.split.documents, QStringList({"/work/here/a.docx", "/abs/b.doc"}));
        QCOMPARE(c.split.splitMode, 0);
        QVERIFY(c.split.pagesText.isEmpty());
        QCOMPARE(c.split.namingMode, 1);
        QCOMPARE(c.split.firstWordsText, QStringLiteral("20"));
        QCOMPARE(c.split.maskLengthText, QStringLiteral("2"));
        QCOMPARE(c.split.outDirMode, 0);
        QVERIFY(!c.createFolder && !c.json);
        QCOMPARE(c.split.pagination, split::Pagination::Auto);
    }

    void splitOptions() {
        const CommandLine c = parse({"split", "--into", "4", "--name=digits=3", "a.docx", "--out",
                                     "../parts", "--create-folder", "--json", "--", "--odd.docx"});
        QCOMPARE(c.kind, CommandKind::Split);
        QCOMPARE(c.split.splitMode, 1);
        QCOMPARE(c.split.newDocsText, QStringLiteral("4"));
        QCOMPARE(c.split.namingMode, 4);
        QCOMPARE(c.split.maskLengthText, QStringLiteral("3"));
        QCOMPARE(c.split.outDirMode, 1);
        QCOMPARE(c.split.outDirText, QStringLiteral("/work/parts"));
        QVERIFY(c.createFolder && c.json);
        QCOMPARE(c.split.documents, QStringList({"/work/here/a.docx", "/work/here/--odd.docx"}));
        QCOMPARE(parse({"split", "--pages", "word", "a"}).split.pagination,
                 split::Pagination::Word);
        QCOMPARE(parse({"split", "--pages=office", "a"}).split.pagination,
                 split::Pagination::Office);
    }

    void namingRules_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("chars");
        QTest::addColumn<QString>("digits");
        QTest::newRow("range") << "range" << 0 << "20"
                               << "2";
        QTest::newRow("number") << "number" << 1 << "20"
                                << "2";
        QTest::newRow("chars") << "chars" << 2 << "20"
                               << "2";
        QTest::newRow("chars=7") << "chars=7" << 2 << "7"
                                 << "2";
        QTest::newRow("counter") << "counter" << 3 << "20"
                                 << "2";
        QTest::newRow("digits") << "digits" << 4 << "20"
                                << "2";
        QTest::newRow("digits=5") << "digits=5" << 4 << "20"
                                  << "5";
    }
    void namingRules() {
        QFETCH(QString, name);
        const CommandLine c = parse({"split", "--every", "5", "--name", name, "a.docx"});
        QCOMPARE(c.kind, CommandKind::Split);
        QCOMPARE(c.split.pagesText, QStringLiteral("5"));
        QTEST(c.split.namingMode, "mode");
        QTEST(c.split.firstWordsText, "chars");
        QTEST(c.split.maskLengthText, "digits");
    }

    // Counts are passed on as typed: the run's own checks judge them, with their messages.
    void countsAreLeftToTheRunsChecks() {
        const CommandLine c =
            parse({"split", "--every=abc", "--name", "chars=", "--out", " ", "a"});
        QCOMPARE(c.kind, CommandKind::Split);
        QCOMPARE(c.split.pagesText, QStringLiteral("abc"));
        QVERIFY(c.split.firstWordsText.isEmpty());
        QCOMPARE(c.split.outDirText, QStringLiteral(" "));
    }

    void merge() {
        const CommandLine c =
            parse({"merge", "--target", "out/all.docx", "--page-breaks", "b.doc", "a.docx"});
        QCOMPARE(c.kind, CommandKind::Merge);
        QCOMPARE(c.merge.targetText, QStringLiteral("/work/here/out/all.docx"));
        QVERIFY(c.merge.pageBreaks);
        QVERIFY(!c.overwrite && !c.json);
        QCOMPARE(c.merge.documents, QStringList({"/work/here/b.doc", "/work/here/a.docx"}));
        QVERIFY(parse({"merge", "--overwrite", "a"}).overwrite);
    }

    // A target the merge takes as missing must reach it as such, not as the folder it names;
    // a folder that exists reaches it as that folder, which the merge refuses as one.
    void missingTargetStaysMissing() {
        QCOMPARE(parse({"merge", "--target", "out/", "a"}).merge.targetText,
                 QStringLiteral("out/"));
        const QString folder = QDir(QDir::tempPath()).canonicalPath();
        QCOMPARE(parse({"merge", "--target", folder + "/", "a"}).merge.targetText, folder);
        QCOMPARE(parse({"merge", "--target", "  ", "a"}).merge.targetText, QStringLiteral("  "));
        QVERIFY(parse({"merge", "a"}).merge.targetText.isEmpty());
    }

    void invalid_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("error");
        QTest::newRow("nothing") << QStringList{} << "no command given";
        QTest::newRow("command") << QStringList{"cut"} << "unknown command cut";
        QTest::newRow("option") << QStringList{"split", "--page", "3"} << "unknown option --page";
        QTest::newRow("pagination") << QStringList{"split", "--pages", "3", "a"}
                                    << "--pages must be word, office or auto, not \"3\"";
        QTest::newRow("other command's")
            << QStringList{"merge", "--every", "3"} << "unknown option --every";
        QTest::newRow("no value") << QStringList{"split", "a", "--every"}
                                  << "--every needs a value";
        QTest::newRow("flag value")
            << QStringList{"merge", "--json=yes"} << "--json takes no value";
        QTest::newRow("both modes") << QStringList{"split", "--every", "2", "--into", "3", "a"}
                                    << "--every and --into cannot be used together";
        QTest::newRow("rule") << QStringList{"split", "--name", "pages", "a"}
                              << "--name must be range, number, chars[=N], counter or digits[=D], "
                                 "not \"pages\"";
        QTest::newRow("rule count")
            << QStringList{"split", "--name", "counter=3", "a"} << "--name counter takes no count";
    }
    void invalid() {
        QFETCH(QStringList, words);
        const CommandLine c = parse(words);
        QCOMPARE(c.kind, CommandKind::Invalid);
        QTEST(c.error, "error");
    }

    void helpAndVersion() {
        QCOMPARE(parse({"--help"}).kind, CommandKind::Help);
        QCOMPARE(parse({"--version"}).kind, CommandKind::Version);
        const CommandLine split = parse({"split", "--every", "x", "-h"});
        QCOMPARE(split.kind, CommandKind::Help);
        QCOMPARE(split.helpTopic, QStringLiteral("split"));
        QCOMPARE(parse({"help", "merge"}).helpTopic, QStringLiteral("merge"));
    }

    void splitExitStatus() {
        using O = split::SplitResult::Outcome;
        split::SplitResult r;
        r.outcome = O::Refused;
        QCOMPARE(exitStatus(r, 0), 2);
        r.outcome = O::OfficeFailed;
        QCOMPARE(exitStatus(r, 0), 3);
        r.outcome = O::Completed;
        QCOMPARE(exitStatus(r, 0), 0);
        r.failures.append({"a.docx", 0, {}, "x", {}});
        QCOMPARE(exitStatus(r, 0), 1);
        r.outcome = O::Cancelled;
        QCOMPARE(exitStatus(r, 2), 130);
        QCOMPARE(exitStatus(r, 15), 143);
    }

    void mergeExitStatus() {
        using O = merge::MergeResult::Outcome;
        merge::MergeResult r;
        QCOMPARE(exitStatus(r, 0), 2);
        r.outcome = O::OfficeFailed;
        r.failures.append(merge::MergeFailure{QString(), QStringLiteral("no soffice")});
        QCOMPARE(exitStatus(r, 0), 3);
        // The first entry could not be read: the office ran, the input failed.
        r.failures.first().source = "a.docx";
        QCOMPARE(exitStatus(r, 0), 1);
        r.outcome = O::TargetFailed;
        QCOMPARE(exitStatus(r, 0), 1);
        r.outcome = O::Completed;
        QCOMPARE(exitStatus(r, 0), 1);
        r.failures.clear();
        QCOMPARE(exitStatus(r, 0), 0);
    }

    void progressLines() {
        QCOMPARE(progressLine(split::SplitProgress{1, 3, "/d/b.docx", 0, 0, {}}),
                 QStringLiteral("document 2/3: /d/b.docx"));
        QVERIFY(progressLine(split::SplitProgress{1, 3, "/d/b.docx", 0, 4, {}}).isEmpty());
        QCOMPARE(progressLine(split::SplitProgress{1, 3, "/d/b.docx", 2, 4, "/o/b2.docx"}),
                 QStringLiteral("document 2/3, part 2/4: /o/b2.docx"));
        QCOMPARE(progressLine(split::SplitProgress{0, 1, "/d/b.docx", 4, 4, {}}),
                 QStringLiteral("document 1/1, part 4/4: not made"));
        QCOMPARE(progressLine(merge::MergeProgress{0, 2, "/d/a.rtf"}),
                 QStringLiteral("document 1/2: /d/a.rtf"));
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
