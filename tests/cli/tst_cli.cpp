// pagewright-cli run as a user runs it, against the real LibreOffice: the files it writes, its
// --json summary, its messages and exit status, and what an interrupt leaves behind.

#include <signal.h>

#include <QtTest>

#include "merge/mergemessages.h"
#include "split/splitmessages.h"
#include "tests/support/linktargets.h"
#include "tests/support/office.h"
#include "tests/support/testdocs.h"

using namespace pw;
using pw::test::DocBuilder;

namespace {

struct Run {
    int exitCode = -1;
    QStringList errLines;  // standard error, line by line
    QJsonObject json;      // the summary, when --json was given
    // Seen at the moment of an interrupt, so that what is checked afterwards was really there.
    qsizetype officesRunning = 0;
    bool scratchInUse = false;
};

QStringList strings(const QJsonValue& array) {
    QStringList out;
    for (const QJsonValue& v : array.toArray()) out.append(v.toString());
    return out;
}

QStringList filesIn(const QString& dir) {
    QStringList out;
    for (const QString& name : QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name))
        out.append(dir + "/" + name);
    return out;
}

}  // namespace

class TestCli : public test::OfficeTestCase {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_docs;
    QString m_long, m_damaged, m_a, m_b;
    // Pictures linked to a server that answers and to one that never does: no run asks either
    // for anything, so nothing waits on them, and the parts and the merge keep the links.
    test::LinkTargets m_web;
    QString m_linked, m_answering, m_silent;
    QString m_scratch;  // the program's temporary folder (TMPDIR)
    int m_case = 0;
    QMap<QString, QByteArray> m_hashes;  // the documents before a run

    QString make(const DocBuilder& b, const QString& name) {
        const QString path = m_docs + "/" + name;
        [&] { QVERIFY2(test::makeDocument(*m_app, b, path), qPrintable(path)); }();
        return path;
    }

    QString newFolder() {
        const QString dir = m_tmp.filePath(QStringLiteral("case%1").arg(++m_case));
        QDir().mkpath(dir);
        return dir;
    }

    // Starts the program on the documents, taking note of them as they are before.
    QProcess* start(const QStringList& arguments, const QString& soffice = {}) {
        m_hashes.clear();
        for (const QString& d : filesIn(m_docs))
            if (!d.contains("/.~lock")) m_hashes[d] = test::fileHash(d);
        auto* p = new QProcess(this);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", m_scratch);
        if (!soffice.isEmpty()) env.insert("PAGEWRIGHT_SOFFICE", soffice);
        p->setProcessEnvironment(env);
        p->setWorkingDirectory(m_docs);
        p->start(QStringLiteral(PW_CLI_PATH), arguments);
        p->waitForStarted();
        return p;
    }

    // Waits for the end of the program and checks what every run must leave behind: the
    // sources unchanged, no office of its own, nothing in its temporary folder.
    Run finish(QProcess* p, Run r = {}) {
        const qint64 pid = p->processId();
        [&] { QVERIFY2(p->waitForFinished(180000), "pagewright-cli did not end"); }();
        r.exitCode = p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1;
        r.errLines += QString::fromUtf8(p->readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
        r.json = QJsonDocument::fromJson(p->readAllStandardOutput()).object();
        p->deleteLater();
        [&] {
            QVERIFY2(test::waitNoOfficeProcesses(15000, pid), "its office is still running");
            for (auto it = m_hashes.begin(); it != m_hashes.end(); ++it)
                QVERIFY2(test::fileHash(it.key()) == it.value(),
                         qPrintable("changed: " + it.key()));
            QCOMPARE(
                QDir(m_scratch).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                QStringList());
            for (const QString& f : filesIn(m_docs)) QVERIFY2(!f.contains("~tmp"), qPrintable(f));
        }();
        return r;
    }

    // Starts the program and sends it Ctrl+C once stderr shows the mark; with times 2, again
    // once it has answered the first. What it leaves behind is checked as finish() does.
    Run interrupt(const QStringList& arguments, const QByteArray& mark, int times = 1) {
        QProcess* p = start(arguments);
        // The summary comes at the end; the progress is read on stderr.
        p->setReadChannel(QProcess::StandardError);
        QByteArray err;
        int sent = 0;
        Run seen;
        while (sent < times && p->state() == QProcess::Running && p->waitForReadyRead(60000)) {
            err += p->readAllStandardError();
            if (!err.contains(sent ? QByteArray("pagewright-cli: interrupted") : mark)) continue;
            if (!sent) {
                seen.officesRunning = test::officeProcesses(p->processId()).size();
                seen.scratchInUse = !QDir(m_scratch).isEmpty();
            }
            if (::kill(pid_t(p->processId()), SIGINT) == 0) ++sent;
        }
        [&] { QVERIFY2(sent > 0, err.constData()); }();
        seen.errLines = QString::fromUtf8(err).split(u'\n', Qt::SkipEmptyParts);
        return finish(p, seen);
    }

    Run run(const QStringList& arguments, const QString& soffice = {}) {
        return finish(start(arguments, soffice));
    }

    // Read in the document as flat ODF, written by the office.
    void checkLinks(const QString& made) {
        QCOMPARE(m_web.connections(), 0);
        const QString fodt = m_tmp.filePath(QFileInfo(made).completeBaseName() + ".fodt");
        auto doc = m_app->open(made);
        QVERIFY(doc && (*doc)->saveAs(fodt));
        doc->reset();
        QFile f(fodt);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString xml = QString::fromUtf8(f.readAll());
        QVERIFY2(xml.contains(m_answering) && xml.contains(m_silent), qPrintable(made));
    }

private slots:
    void initTestCase() {
        OfficeTestCase::initTestCase();
        QVERIFY(m_app && m_tmp.isValid());
        QVERIFY2(QFileInfo(QStringLiteral(PW_CLI_PATH)).isExecutable(), PW_CLI_PATH);
        m_docs = m_tmp.filePath("docs");
        m_scratch = m_tmp.filePath("scratch");
        QVERIFY(QDir().mkpath(m_docs) && QDir().mkpath(m_scratch));
        m_long = make(test::pagedDocument(10, "long"), "long.docx");
        m_a = make(test::pagedDocument(1, "alpha"), "a.docx");
        m_b = make(test::pagedDocument(2, "bravo"), "b.docx");
        QVERIFY(m_web.isValid());
        m_answering = QStringLiteral("http://127.0.0.1:%1/answers.png").arg(m_web.answeringPort());
        m_silent = QStringLiteral("http://127.0.0.1:%1/silent.png").arg(m_web.silentPort());
        m_linked = make(
            test::pagedDocument(1, "linked").linkedPicture(m_answering).linkedPicture(m_silent),
            "linked.docx");
        m_damaged = m_docs + "/damaged.docx";
        QVERIFY(test::writeFile(m_damaged, "PK\x03\x04 not really a document"));
    }

    void helpAndVersion() {
        QProcess p;
        for (const QStringList& arguments : {QStringList{"--version"}, {"merge", "--help"}}) {
            p.start(QStringLiteral(PW_CLI_PATH), arguments);
            QVERIFY(p.waitForFinished());
            QCOMPARE(p.exitCode(), 0);
            const QByteArray out = p.readAllStandardOutput();
            QVERIFY2(out == "pagewright-cli 1.3\n" || out.startsWith("Usage: pagewright-cli merge"),
                     out.constData());
        }
    }

    // Every 3 pages into a folder the program is allowed to create, named by the run-wide
    // counter. A damaged file is listed, does not advance the counter, and the run ends with
    // status 1.
    void split() {
        const QString out = newFolder() + "/parts";
        const Run r = run({"split", "--every", "3", "--name", "counter", "--out", out,
                           "--create-folder", "--json", "long.docx", m_damaged, m_linked});
        QCOMPARE(r.exitCode, 1);
        QStringList expected;
        for (int j = 1; j <= 5; ++j) expected << QStringLiteral("%1/%2.docx").arg(out).arg(j);
        QCOMPARE(filesIn(out), expected);
        QCOMPARE(strings(r.json["written"]), expected);
        // Parts of several pages keep the source's page breaks, and together its text.
        QStringList texts;
        for (const QString& part : expected.first(4)) texts << test::documentText(*m_app, part);
        QCOMPARE(texts.join(u' '), test::documentText(*m_app, m_long));
        QCOMPARE(test::pdfPageCount(test::exportPdf(*m_app, expected[1])), 3);
        checkLinks(expected[4]);
        QCOMPARE(r.json["outcome"].toString(), QStringLiteral("completed"));
        QCOMPARE(r.json["exitStatus"].toInt(), 1);
        QCOMPARE(r.json["pageCounts"].toArray().at(0).toObject(),
                 (QJsonObject{{"source", m_long}, {"pages", 10}, {"pagination", "office"}}));
        QVERIFY(r.json["elapsedSeconds"].toDouble() > 0);
        const QJsonArray failures = r.json["failures"].toArray();
        QCOMPARE(failures.size(), 1);
        QCOMPARE(failures[0]["source"].toString(), m_damaged);
        QCOMPARE(failures[0]["reason"].toString(), split::msg::ReasonNotDocument);
        // The completion message and its list, one line each, at the end.
        QCOMPARE(r.errLines.mid(r.errLines.size() - 3),
                 QStringList({split::msg::Finished, split::msg::NotMadeHeading,
                              "damaged.docx：" + split::msg::ReasonNotDocument}));
        QVERIFY(r.json["completionMessage"].toString().startsWith(split::msg::Finished));
    }

    // Every refusal ends with status 2 before anything starts, with the program's own words and a
    // note on the option to add or change; an unanswered question refuses too.
    void refusals_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        const auto row = [](const char* name, const QStringList& arguments, const char* said) {
            QTest::newRow(name) << arguments << "pagewright-cli: " + QString(said);
        };
        row("zero pages", {"split", "--every", "0", "a.docx"},
            "nothing to split: the page count is 0");
        row("no folder", {"split", "--out", "", "a.docx"}, "add --out DIR");
        row("no target", {"merge", "a.docx", "b.docx"}, "add --target FILE");
        row("target a folder name", {"merge", "--target", "out/", "a.docx"},
            "--target names a folder; give the file in it, as in --target out/merged.docx");
        row("usage", {"split", "--page", "3", "a.docx"}, "unknown option --page");
    }
    void refusals() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        const QStringList before = filesIn(m_docs);
        const Run r = run(arguments + QStringList{"--json"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.errLines.contains(said), qPrintable(r.errLines.join('\n')));
        if (!r.json.isEmpty()) {
            QCOMPARE(r.json["outcome"].toString(), QStringLiteral("refused"));
            QCOMPARE(r.json["written"].toArray().size(), 0);
        }
        QCOMPARE(filesIn(m_docs), before);
        QVERIFY(!r.errLines.join('\n').contains("document 1/"));  // nothing started
    }

    void noOffice() {
        const QString out = newFolder();
        const QString none = m_tmp.filePath("no-office/soffice");
        Run r = run({"split", "--every", "1", "--out", out, "--json", "a.docx"}, none);
        QCOMPARE(r.exitCode, 3);
        QCOMPARE(r.json["outcome"].toString(), QStringLiteral("officeFailed"));
        QCOMPARE(filesIn(out), QStringList());
    }

    // An existing target is rewritten from empty with --overwrite.
    void merge() {
        const QString target = newFolder() + "/merged.docx";
        QVERIFY(test::makeDocument(*m_app, test::pagedDocument(1, "old"), target));
        const QStringList docs{m_a, m_b, m_linked};
        const Run r =
            run(QStringList{"merge", "--target", target, "--page-breaks", "--overwrite", "--json"} +
                docs);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.json["outcome"].toString(), QStringLiteral("completed"));
        QCOMPARE(strings(r.json["written"]), QStringList{target});
        QCOMPARE(strings(r.json["merged"]), docs);
        const QString merged = test::documentText(*m_app, target);
        QVERIFY2(!merged.contains("old page") && merged.contains("bravo page 1"),
                 qPrintable(merged));
        checkLinks(target);
    }

    // Ctrl+C during a split of many parts: the run stops after the current part, its office
    // quits, its temporary folder goes, and the summary lists what was made.
    void interruptedSplit() {
        const QString source = make(test::pagedDocument(30, "many"), "many.docx");
        const QString out = newFolder();
        const Run r =
            interrupt({"split", "--every", "1", "--out", out, "--json", source}, ", part 2/30: ");
        QCOMPARE(r.exitCode, 130);
        QVERIFY(r.officesRunning > 0);
        QVERIFY(r.scratchInUse);
        QVERIFY2(r.errLines.contains(split::msg::Cancelled), qPrintable(r.errLines.join('\n')));
        QCOMPARE(r.json["outcome"].toString(), QStringLiteral("cancelled"));
        const QStringList written = strings(r.json["written"]);
        QVERIFY2(written.size() >= 2 && written.size() < 30, qPrintable(written.join(' ')));
        QCOMPARE(filesIn(out), written);
        QVERIFY(r.errLines.contains(
            QStringLiteral("pagewright-cli: interrupted; %1 file(s) made").arg(written.size())));
    }

    // Ctrl+C while a long document is still loading: the load is given up, its office ended,
    // and nothing of it is left; a second Ctrl+C stops the program at once, leaving nothing.
    void interruptedLoad_data() {
        QTest::addColumn<bool>("merging");
        QTest::addColumn<int>("times");
        QTest::newRow("split") << false << 1;
        QTest::newRow("split, twice") << false << 2;
        QTest::newRow("merge") << true << 1;
    }
    void interruptedLoad() {
        QFETCH(bool, merging);
        QFETCH(int, times);
        const QString slow = m_docs + "/slow.fodt";
        if (!QFileInfo::exists(slow)) {
            // Its load outlasts the grace time for a second Ctrl+C, even on a fast machine.
            DocBuilder b;
            for (int k = 0; k < 60000; ++k) b.paragraph(test::sampleParagraph(k));
            QVERIFY(b.writeFlatOdf(slow));
        }
        const QString out = newFolder();
        const QStringList arguments =
            merging ? QStringList{"merge", "--target", out + "/all.docx", "--json", m_a, slow}
                    : QStringList{"split", "--every", "1", "--out", out, "--json", slow};
        const Run r = interrupt(arguments, merging ? "document 2/2: " : "document 1/1: ", times);
        QVERIFY(r.officesRunning > 0);
        if (times == 2) {
            QVERIFY(r.errLines.contains("pagewright-cli: stopped"));
            QCOMPARE(filesIn(out), QStringList());
            return;
        }
        QCOMPARE(r.exitCode, 130);
        QCOMPARE(r.json["outcome"].toString(), QStringLiteral("cancelled"));
        const QJsonArray failures = r.json["failures"].toArray();
        if (merging) {
            // The first entry is kept only if it had been stored before the load was given up;
            // either way the target holds what the report says.
            const QStringList merged = strings(r.json["merged"]);
            QCOMPARE(failures.size(), 2 - merged.size());
            QCOMPARE(failures.last()["source"].toString(), slow);
            for (const QJsonValue& f : failures)
                QCOMPARE(f["reason"].toString(), merge::msg::ReasonCancelled);
            QCOMPARE(test::documentText(*m_app, out + "/all.docx").contains("alpha page 1"),
                     merged == QStringList{m_a});
        } else {
            QCOMPARE(failures.size(), 1);
            QCOMPARE(failures.at(0)["source"].toString(), slow);
            QCOMPARE(filesIn(out), QStringList());
            QCOMPARE(failures.at(0)["part"].toInt(), 0);  // it never got as far as its parts
        }
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
