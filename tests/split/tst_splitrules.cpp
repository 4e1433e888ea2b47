// The split's rules without an office: the part plan, the part names, and the checks before the
// office starts (which refuses first, what it says, where it sends the user).

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "split/partnaming.h"
#include "split/partplan.h"
#include "split/splitmessages.h"
#include "split/splitrun.h"
#include "tests/support/fakeword.h"
#include "tests/support/scriptedprompts.h"

using namespace pw;
using namespace pw::split;
using Check = SplitRefusal::Check;

Q_DECLARE_METATYPE(pw::split::SplitRequest)

namespace {

QTemporaryDir& dir() {
    static QTemporaryDir d;
    return d;
}

// One document, every 3 pages, beside its source: passes every check.
SplitRequest request(const std::function<void(SplitRequest&)>& change = {}) {
    SplitRequest r;
    r.documents = {dir().filePath("missing.docx")};
    r.pagesText = "3";
    r.newDocsText = "2";
    if (change) change(r);
    return r;
}

void into(SplitRequest& r, const QString& folder) {
    r.output = OutputRule::ChosenFolder;
    r.outDirText = folder;
}

}  // namespace

class TestSplitRules : public QObject {
    Q_OBJECT

private slots:
    void plan_data() {
        QTest::addColumn<int>("mode");  // 0 every n pages, 1 into n documents
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("expected");  // first-last of each part
        QTest::newRow("into 3 of 10") << 1 << 3 << 10 << "1-4 5-8 9-10";
        QTest::newRow("into 6 of 10, fewer made") << 1 << 6 << 10 << "1-2 3-4 5-6 7-8 9-10";
        QTest::newRow("every 2^31-1") << 0 << 2147483647 << 7 << "1-7";
        QTest::newRow("into 2^31-1") << 1 << 2147483647 << 3 << "1-1 2-2 3-3";
        QTest::newRow("every 0") << 0 << 0 << 10 << "";
        QTest::newRow("no pages") << 0 << 3 << 0 << "";
    }
    void plan() {
        QFETCH(int, mode);
        QFETCH(int, n);
        QFETCH(int, pages);
        QStringList got;
        for (const PagePart& p : makePartPlan(pages, pagesPerPart(SplitMode(mode), n, pages)))
            got << QStringLiteral("%1-%2").arg(p.first).arg(p.last);
        QTEST(got.join(u' '), "expected");
    }

    // The naming rules the runs' tests do not reach: characters collected for a name, the
    // counter worked into a taken name, the first name free (names shorter than n taken), and
    // the padded counter (never cut; it advances).
    void nameRules_data() {
        QTest::addColumn<char>("rule");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("final mark never examined") << 'c' << QStringLiteral("ab\r") << 9 << "ab";
        QTest::newRow("surrogate pair is one character")
            << 'c' << QStringLiteral("\U0001F600ab\r") << 2 << QStringLiteral("\U0001F600a");
        QTest::newRow("upper case DOC") << 'n' << "/out/X.DOC" << 2 << "/out/X(2).doc";
        QTest::newRow("folder with .doc left alone")
            << 'n' << "/d/my.docs/R.docx" << 2 << "/d/my.docs/R(2).docx";
        QTest::newRow("rtf before extension") << 'n' << "/out/R.rtf" << 2 << "/out/R(2).rtf";
        QTest::newRow("no extension") << 'n' << "/out/R" << 2 << "/out/R(2)";
        QTest::newRow("free name, shorter names taken")
            << 'f' << "/out/1.doc" << 14 << "/out/1(2)(3).doc";
        QTest::newRow("free name, none taken") << 'f' << "/out/2.doc" << 0 << "/out/2.doc";
        QTest::newRow("padded") << 'p' << QString() << 2 << "/d/0002.docx";
        QTest::newRow("padded, too long") << 'p' << QString() << 10000 << "/d/10000.docx";
    }
    void nameRules() {
        QFETCH(char, rule);
        QFETCH(QString, text);
        QFETCH(int, n);
        qint64 sequence = n;
        const PartNameInput in{"/d/", "R", ".docx", 2, 4, 6, {}};
        QTEST(rule == 'c'   ? collectedCharacters(text, n)
              : rule == 'n' ? withCounter(text, n)
              : rule == 'f' ? freeName(text, [&](const QString& p) { return p.size() < n; })
                            : partName({NamingMode::PaddedSequence, 5, 4}, in, sequence),
              "expected");
        QCOMPARE(sequence, n + (rule == 'p'));
    }

    void freeNameEndsWhenEveryNameIsTaken() {
        QVERIFY(freeName("/out/R.rtf", [](const QString& p) { return p.size() < 400; }).size() >=
                400);
    }

    void refusals_data() {
        QTest::addColumn<SplitRequest>("req");
        QTest::addColumn<int>("check");
        QTest::addColumn<QString>("message");  // empty: refused without a word
        auto row = [](const char* name, const SplitRequest& r, Check c, const QString& m) {
            QTest::newRow(name) << r << int(c) << m;
        };
        // The list comes first, whatever else is wrong.
        row("no documents", request([](SplitRequest& r) {
                r.documents.clear();
                r.pagesText.clear();
                into(r, "");
            }),
            Check::NoDocuments, msg::NoDocuments);
        row("blank folder", request([](SplitRequest& r) { into(r, "   "); }), Check::OutDirMissing,
            msg::EnterOutDir);
        const QString deep = dir().filePath("no/such/parent/");
        row("folder not made", request([&](SplitRequest& r) { into(r, deep); }),
            Check::OutDirNotCreated, msg::OutDirNotCreated(deep));
        // Refused before the office starts, not once per part; even the superuser cannot
        // write here.
        row("folder not writable", request([](SplitRequest& r) { into(r, "/proc"); }),
            Check::OutDirNotWritable, msg::OutDirNotWritable("/proc/"));
        auto every = [](const QString& t) {
            return request([&](SplitRequest& r) { r.pagesText = t; });
        };
        row("pages blank", every(" "), Check::PagesMissing, msg::EnterPages);
        row("pages zero", every("0"), Check::PagesZero, QString());
        row("pages beyond 32 bits", every("2147483648"), Check::PagesInvalid, msg::BadPages);
        row("pages negative", every("-3"), Check::PagesInvalid, msg::BadPages);
        // The other mode's box is never looked at.
        auto even = [](const QString& t) {
            return request([&](SplitRequest& r) {
                r.mode = SplitMode::IntoNDocuments;
                r.newDocsText = t;
                r.pagesText.clear();
            });
        };
        row("new docs zero", even("00"), Check::NewDocsMissing, msg::EnterNewDocs);
        row("new docs pasted text", even("3x"), Check::NewDocsInvalid, msg::BadNewDocs);
        auto named = [](NamingMode mode, const QString& t) {
            return request([&](SplitRequest& r) {
                r.naming = mode;
                (mode == NamingMode::FirstCharacters ? r.firstWordsText : r.maskLengthText) = t;
            });
        };
        row("chars zero", named(NamingMode::FirstCharacters, "0"), Check::FirstWordsMissing,
            msg::EmptyNewName);
        row("chars not a number", named(NamingMode::FirstCharacters, "ab"),
            Check::FirstWordsInvalid, msg::BadFirstWords);
        row("digits not a number", named(NamingMode::PaddedSequence, "x"), Check::MaskLengthInvalid,
            msg::BadMaskLength);
        row("digits too many", named(NamingMode::PaddedSequence, "10"), Check::MaskLengthInvalid,
            msg::BadMaskLength);
    }
    void refusals() {
        QFETCH(SplitRequest, req);
        QFETCH(QString, message);
        test::ScriptedPrompts p;
        p.answer = true;
        test::FakeWordFactory office;
        const SplitResult r = runSplit(req, p, office);
        QCOMPARE(r.outcome, SplitResult::Outcome::Refused);
        QCOMPARE(office.state().created, 0);
        QVERIFY(p.busy.isEmpty());
        QVERIFY(r.refusal);
        QTEST(int(r.refusal->check), "check");
        QCOMPARE(p.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(r.refusal->browse, r.refusal->check == Check::OutDirMissing);
    }

    // The separator is added to the folder whatever the answer; only a Yes makes it, and a later
    // check may still refuse. Under other rules the first-characters box is not looked at.
    void missingFolderIsAskedFor_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void missingFolderIsAskedFor() {
        QFETCH(bool, yes);
        const QString folder = dir().filePath(yes ? "made" : "declined");
        test::ScriptedPrompts p;
        p.answer = yes;
        test::FakeWordFactory office;
        const SplitResult r = runSplit(request([&](SplitRequest& q) {
                                           into(q, folder);
                                           q.pagesText.clear();
                                       }),
                                       p, office);
        QCOMPARE(p.questions.size(), 1);
        QCOMPARE(p.questions[0].kind, Question::Kind::CreateFolder);
        QCOMPARE(p.questions[0].text, msg::CreateOutDir);
        QCOMPARE(r.outDirText, folder + "/");
        QCOMPARE(QDir(folder).exists(), yes);
        QCOMPARE(r.refusal->check, yes ? Check::PagesMissing : Check::OutDirDeclined);
        QCOMPARE(p.messages, yes ? QStringList{msg::EnterPages} : QStringList{});
        runSplit(request([](SplitRequest& q) {
                     q.naming = NamingMode::Sequence;
                     q.firstWordsText = "0";
                 }),
                 p, office);
        QCOMPARE(office.state().created, 1);  // got past the checks
    }
};

QTEST_GUILESS_MAIN(TestSplitRules)
#include "tst_splitrules.moc"
