// The checks before the office starts: which refuses first, what it says, and where it sends the
// user. No office is ever started by a refused run.

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

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

class TestSplitChecks : public QObject {
    Q_OBJECT

private slots:
    void refusals_data() {
        QTest::addColumn<SplitRequest>("req");
        QTest::addColumn<int>("check");
        QTest::addColumn<QString>("message");  // empty: refused without a word
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("selectAll");
        const int info = int(MessageIcon::Information), ask = int(MessageIcon::Question);
        const int pages = int(SplitField::Pages), docs = int(SplitField::NewDocs);
        const int chars = int(SplitField::FirstWords), out = int(SplitField::OutDir);
        auto row = [](const char* name, const SplitRequest& r, Check c, const QString& m, int icon,
                      int field, bool all) {
            QTest::newRow(name) << r << int(c) << m << icon << field << all;
        };
        // The list comes first, whatever else is wrong.
        row("no documents", request([](SplitRequest& r) {
                r.documents.clear();
                r.pagesText.clear();
                into(r, "");
            }),
            Check::NoDocuments, msg::NoDocuments, info, 0, false);
        row("blank folder", request([](SplitRequest& r) { into(r, "   "); }), Check::OutDirMissing,
            msg::EnterOutDir, info, out, false);
        const QString deep = dir().filePath("no/such/parent/");
        row("folder not made", request([&](SplitRequest& r) { into(r, deep); }),
            Check::OutDirNotCreated, msg::OutDirNotCreated(deep), int(MessageIcon::Exclamation),
            out, true);
        // Refused before the office starts, not once per part; even the superuser cannot
        // write here.
        row("folder not writable", request([](SplitRequest& r) { into(r, "/proc"); }),
            Check::OutDirNotWritable, msg::OutDirNotWritable("/proc/"),
            int(MessageIcon::Exclamation), out, true);
        auto every = [](const QString& t) {
            return request([&](SplitRequest& r) { r.pagesText = t; });
        };
        row("pages blank", every(" "), Check::PagesMissing, msg::EnterPages, ask, pages, false);
        row("pages zero", every("0"), Check::PagesZero, QString(), info, 0, false);
        row("pages not whole", every("2.5"), Check::PagesInvalid, msg::BadPages, info, pages, true);
        row("pages beyond 32 bits", every("2147483648"), Check::PagesInvalid, msg::BadPages, info,
            pages, true);
        row("pages negative", every("-3"), Check::PagesInvalid, msg::BadPages, info, pages, true);
        // The other mode's box is never looked at.
        auto even = [](const QString& t) {
            return request([&](SplitRequest& r) {
                r.mode = SplitMode::IntoNDocuments;
                r.newDocsText = t;
                r.pagesText.clear();
            });
        };
        row("new docs blank", even(""), Check::NewDocsMissing, msg::EnterNewDocs, ask, docs, false);
        row("new docs zero", even("00"), Check::NewDocsMissing, msg::EnterNewDocs, ask, docs,
            false);
        row("new docs pasted text", even("3x"), Check::NewDocsInvalid, msg::BadNewDocs, info, docs,
            true);
        auto named = [](NamingMode mode, const QString& t) {
            return request([&](SplitRequest& r) {
                r.naming = mode;
                (mode == NamingMode::FirstCharacters ? r.firstWordsText : r.maskLengthText) = t;
            });
        };
        row("chars zero", named(NamingMode::FirstCharacters, "0"), Check::FirstWordsMissing,
            msg::EmptyNewName, info, chars, false);
        row("chars blank", named(NamingMode::FirstCharacters, ""), Check::FirstWordsMissing,
            msg::EmptyNewName, info, chars, false);
        row("chars not a number", named(NamingMode::FirstCharacters, "ab"),
            Check::FirstWordsInvalid, msg::BadFirstWords, info, chars, true);
        row("digits not a number", named(NamingMode::PaddedSequence, "x"), Check::MaskLengthInvalid,
            msg::BadMaskLength, info, 0, false);
        row("digits too many", named(NamingMode::PaddedSequence, "10"), Check::MaskLengthInvalid,
            msg::BadMaskLength, info, 0, false);
    }
    void refusals() {
        QFETCH(SplitRequest, req);
        QFETCH(int, check);
        QFETCH(QString, message);
        test::ScriptedPrompts p;
        p.answer = true;
        test::FakeWordFactory office;
        const SplitResult r = runSplit(req, p, office);
        QCOMPARE(r.outcome, SplitResult::Outcome::Refused);
        QCOMPARE(office.state().created, 0);
        QVERIFY(p.busy.isEmpty());
        QVERIFY(r.refusal);
        QCOMPARE(int(r.refusal->check), check);
        QCOMPARE(p.messages, message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) QTEST(int(p.icons[0]), "icon");
        QTEST(int(r.refusal->field), "field");
        QTEST(r.refusal->selectAll, "selectAll");
        QCOMPARE(r.refusal->browse, r.refusal->check == Check::OutDirMissing);
    }

    // The separator is added to the folder whatever the answer; only a Yes makes it, and a later
    // check may still refuse.
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
    }

    void firstWordsIgnoredUnderOtherRules() {
        test::ScriptedPrompts p;
        test::FakeWordFactory office;
        runSplit(request([](SplitRequest& r) {
                     r.naming = NamingMode::Sequence;
                     r.firstWordsText = "0";
                 }),
                 p, office);
        QCOMPARE(office.state().created, 1);  // got past the checks
    }
};

QTEST_GUILESS_MAIN(TestSplitChecks)
#include "tst_splitchecks.moc"
