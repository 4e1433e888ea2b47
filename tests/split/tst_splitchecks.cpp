// The checks before the office starts: their order, texts, icons and focus. No office is ever
// started by a refused run.

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "split/splitmessages.h"
#include "split/splitrun.h"
#include "tests/split/scriptedprompts.h"
#include "tests/support/fakeword.h"

using namespace pw;
using namespace pw::split;
using pw::test::ScriptedPrompts;

class TestSplitChecks : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    SplitRequest request() const {
        SplitRequest r;
        r.documents = {m_dir.filePath("missing.docx")};
        r.pagesText = "3";
        r.newDocsText = "2";
        return r;
    }

    // Runs the request and checks that it was refused before any office was asked for.
    static SplitResult refused(const SplitRequest& r, ScriptedPrompts& prompts) {
        pw::test::FakeWordFactory office;
        const SplitResult result = runSplit(r, prompts, office);
        [&] {
            QCOMPARE(result.outcome, SplitResult::Outcome::Refused);
            QCOMPARE(office.state().created, 0);
            QCOMPARE(office.state().calls.size(), 0);
            QVERIFY(prompts.busy.isEmpty());
        }();
        return result;
    }

    static void expectOne(const ScriptedPrompts& p, const QString& text, MessageIcon icon) {
        QCOMPARE(p.messages.size(), 1);
        QCOMPARE(p.messages[0].text, text);
        QCOMPARE(p.messages[0].icon, icon);
    }

private slots:
    void emptyListComesFirst() {
        SplitRequest r = request();
        r.documents.clear();
        r.pagesText.clear();  // would fail a later check
        r.outDirMode = 1;
        ScriptedPrompts p;
        refused(r, p);
        expectOne(p, msg::NoDocuments, MessageIcon::Information);
    }

    void emptyOutDirRunsTheBrowse() {
        SplitRequest r = request();
        r.outDirMode = 1;
        r.outDirText = "   ";
        ScriptedPrompts p;
        refused(r, p);
        expectOne(p, msg::EnterOutDir, MessageIcon::Information);
        QCOMPARE(p.browses, 1);
    }

    void missingOutDirAnsweredNo() {
        SplitRequest r = request();
        r.outDirMode = 1;
        r.outDirText = m_dir.filePath("out");
        ScriptedPrompts p;
        p.answers = {false};
        refused(r, p);
        QCOMPARE(p.outDir, m_dir.filePath("out") + "/");  // the separator stays appended
        QCOMPARE(p.questions, QStringList{msg::CreateOutDir});
        QCOMPARE(p.focus.size(), 1);
        QCOMPARE(p.focus[0].field, SplitField::OutDir);
        QVERIFY(p.focus[0].selectAll);
        QVERIFY(!QDir(m_dir.filePath("out")).exists());
    }

    void outDirThatCannotBeMade() {
        SplitRequest r = request();
        r.outDirMode = 1;
        r.outDirText = m_dir.filePath("no/such/parent/");
        ScriptedPrompts p;
        p.answers = {true};
        refused(r, p);
        expectOne(p, msg::OutDirNotCreated(r.outDirText), MessageIcon::Exclamation);
    }

    void outDirMadeThenLaterCheckFails() {
        SplitRequest r = request();
        r.outDirMode = 1;
        r.outDirText = m_dir.filePath("made/");
        r.pagesText.clear();
        ScriptedPrompts p;
        p.answers = {true};
        refused(r, p);
        QVERIFY(QDir(m_dir.filePath("made")).exists());
        QCOMPARE(p.outDir, QString());  // already ended with the separator
        expectOne(p, msg::EnterPages, MessageIcon::Question);
    }

    void pagesChecks_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");  // empty: refused without a word
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("field");
        QTest::newRow("pages empty")
            << 0 << " " << msg::EnterPages << int(MessageIcon::Question) << int(SplitField::Pages);
        QTest::newRow("pages zero") << 0 << "0" << QString() << 0 << 0;
        QTest::newRow("pages not whole") << 0 << "2.5" << msg::BadPages
                                         << int(MessageIcon::Information) << int(SplitField::Pages);
        QTest::newRow("pages beyond 32 bits")
            << 0 << "2147483648" << msg::BadPages << int(MessageIcon::Information)
            << int(SplitField::Pages);
        QTest::newRow("pages negative") << 0 << "-3" << msg::BadPages
                                        << int(MessageIcon::Information) << int(SplitField::Pages);
        QTest::newRow("new docs empty") << 1 << "" << msg::EnterNewDocs
                                        << int(MessageIcon::Question) << int(SplitField::NewDocs);
        QTest::newRow("new docs zero") << 1 << "00" << msg::EnterNewDocs
                                       << int(MessageIcon::Question) << int(SplitField::NewDocs);
        QTest::newRow("new docs pasted text")
            << 1 << "3x" << msg::BadNewDocs << int(MessageIcon::Information)
            << int(SplitField::NewDocs);
    }
    void pagesChecks() {
        QFETCH(int, mode);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(int, field);
        SplitRequest r = request();
        r.splitMode = mode;
        (mode == 0 ? r.pagesText : r.newDocsText) = text;
        // The other mode's box is never looked at.
        (mode == 0 ? r.newDocsText : r.pagesText) = "";
        ScriptedPrompts p;
        refused(r, p);
        if (message.isEmpty()) {
            QVERIFY(p.messages.isEmpty());
            QVERIFY(p.focus.isEmpty());
            return;
        }
        expectOne(p, message, MessageIcon(icon));
        QCOMPARE(p.focus.size(), 1);
        QCOMPARE(int(p.focus[0].field), field);
    }

    void firstWordsChecks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero") << "0" << msg::EmptyNewName;
        QTest::newRow("empty") << "" << msg::EmptyNewName;
        QTest::newRow("not a number") << "ab" << msg::BadFirstWords;
    }
    void firstWordsChecks() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        SplitRequest r = request();
        r.splitMode = 1;  // the check does not depend on the split mode
        r.namingMode = 2;
        r.firstWordsText = text;
        ScriptedPrompts p;
        refused(r, p);
        expectOne(p, message, MessageIcon::Information);
        QCOMPARE(p.focus.size(), 1);
        QCOMPARE(p.focus[0].field, SplitField::FirstWords);
    }

    void firstWordsIgnoredUnderOtherRules() {
        SplitRequest r = request();
        r.namingMode = 3;
        r.firstWordsText = "0";
        ScriptedPrompts p;
        pw::test::FakeWordFactory office;
        runSplit(r, p, office);
        QCOMPARE(office.state().created, 1);  // got past the checks
    }

    void maskLengthChecked() {
        SplitRequest r = request();
        r.namingMode = 4;
        r.maskLengthText = "x";
        ScriptedPrompts p;
        refused(r, p);
        expectOne(p, msg::BadMaskLength, MessageIcon::Information);
    }
};

QTEST_GUILESS_MAIN(TestSplitChecks)
#include "tst_splitchecks.moc"
