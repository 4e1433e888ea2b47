#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "doclist/documentlist.h"
#include "shell/dialogs.h"
#include "split/window/frmsplit.h"
#include "tests/shell/fakedialogs.h"
#include "tests/ui/uitestsupport.h"

using namespace pw;
using pw::test::control;

class SplitWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::WindowCase> ui_;
    std::unique_ptr<test::FakeOffice> office_;
    std::unique_ptr<frmSplit> window_;

    template <class T>
    T* c(const char* name) const {
        return control<T>(*window_, name);
    }
    QLineEdit* box(const char* name) const { return c<QLineEdit>(name); }
    bool on(const char* name) const { return c<QRadioButton>(name)->isChecked(); }
    void showActive() {
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

private slots:
    void init() {
        ui_ = std::make_unique<test::WindowCase>();
        QVERIFY(ui_->settings.isValid());
        office_ = std::make_unique<test::FakeOffice>(false);
        window_ = std::make_unique<frmSplit>(*office_);
    }
    void cleanup() {
        window_.reset();
        ui_.reset();
    }

    void firstRunState() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Pagewright - Word文档拆分"));
        QCOMPARE(c<QComboBox>("CmbFunc")->currentIndex(), 0);
        QVERIFY(on("OptSplit0"));
        QVERIFY(box("txtPages")->isEnabled());
        QVERIFY(box("txtPages")->text().isEmpty());
        QVERIFY(!box("txtNewDocs")->isEnabled() && box("txtNewDocs")->text().isEmpty());
        QVERIFY(on("OptNewDocName1"));
        QCOMPARE(c<QComboBox>("CmbNewNameMaskLength")->currentText(), QStringLiteral("2"));
        QVERIFY(on("OptOutDir0"));
        QVERIFY(!box("txtOutDir")->isEnabled());
        QVERIFY(!c<QPushButton>("CmdOutDir")->isEnabled());
        QCOMPARE(box("txtFirstWords")->text(), QStringLiteral("20"));
        QCOMPARE(c<QListWidget>("LstFiles")->count(), 0);
        QCOMPARE(c<QButtonGroup>("CmdFile")->buttons().size(), 4);
    }

    void fixedSizeAndFont() {
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
        // The window's own font carries the Chinese glyphs; no fallback is needed to show them.
        QVERIFY(QFontMetrics(window_->font()).inFont(QChar(u'拆')));
    }

    void optionInterplay() {
        c<QRadioButton>("OptSplit1")->click();
        QVERIFY(!box("txtPages")->isEnabled());
        QVERIFY(box("txtNewDocs")->isEnabled());
        c<QRadioButton>("OptSplit0")->click();
        QVERIFY(box("txtPages")->isEnabled());
        QVERIFY(!box("txtNewDocs")->isEnabled());
        // Clicking the text after the count box chooses its option.
        QTest::mouseClick(c<QLabel>("Label2"), Qt::LeftButton);
        QVERIFY(on("OptSplit1"));
        QVERIFY(box("txtNewDocs")->isEnabled());
        QVERIFY(!box("txtPages")->isEnabled());

        c<QRadioButton>("OptOutDir1")->click();
        QVERIFY(box("txtOutDir")->isEnabled());
        QVERIFY(c<QPushButton>("CmdOutDir")->isEnabled());
        c<QRadioButton>("OptOutDir0")->click();
        QVERIFY(!box("txtOutDir")->isEnabled());
        QVERIFY(!c<QPushButton>("CmdOutDir")->isEnabled());
        // The output options are a group of their own.
        QVERIFY(on("OptSplit1"));
        QVERIFY(on("OptNewDocName1"));

        QTest::mouseClick(c<QLabel>("lblNewNameMaskLength"), Qt::LeftButton);
        QVERIFY(on("OptNewDocName4"));
        c<QRadioButton>("OptNewDocName3")->click();
        QVERIFY(!on("OptNewDocName4"));
        // A click on a label that names nothing chooses nothing.
        QTest::mouseClick(c<QLabel>("Label1"), Qt::LeftButton);
        QVERIFY(on("OptSplit1"));
        QVERIFY(on("OptNewDocName3"));
    }

    void digitFilter_data() {
        QTest::addColumn<QString>("boxName");
        QTest::newRow("txtPages") << "txtPages";
        QTest::newRow("txtNewDocs") << "txtNewDocs";
    }
    void digitFilter() {
        QFETCH(QString, boxName);
        c<QRadioButton>(boxName == "txtPages" ? "OptSplit0" : "OptSplit1")->click();
        QLineEdit* b = box(boxName.toLatin1().constData());
        QSignalSpy returns(b, &QLineEdit::returnPressed);
        QTest::keyClicks(b, "a-x. ");
        QCOMPARE(b->text(), QString());
        QTest::keyClicks(b, "12");
        QCOMPARE(b->text(), QStringLiteral("12"));
        QTest::keyClick(b, Qt::Key_Return);
        QCOMPARE(returns.count(), 0);
        QTest::keyClick(b, Qt::Key_Backspace);
        QCOMPARE(b->text(), QStringLiteral("1"));
        // Full-width digits come from an input method; only ASCII digits pass.
        QInputMethodEvent mixed;
        mixed.setCommitString(QStringLiteral("５6"));
        QCoreApplication::sendEvent(b, &mixed);
        QCOMPARE(b->text(), QStringLiteral("16"));
        // The paste shortcut is a typed control character and is dropped.
        QGuiApplication::clipboard()->setText(QStringLiteral("99"));
        QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(b->text(), QStringLiteral("16"));
        // Keys that type nothing still work; what arrives without typing (the context menu's
        // paste) is left to the run's checks.
        QTest::keyClick(b, Qt::Key_Home);
        QGuiApplication::clipboard()->setText(QStringLiteral("7a"));
        b->paste();
        QCOMPARE(b->text(), QStringLiteral("7a16"));
    }

    void firstWordsChoosesItsRule() {
        QLineEdit* b = box("txtFirstWords");
        c<QRadioButton>("OptNewDocName0")->click();
        QTest::keyClick(b, 'x');
        QCOMPARE(b->text(), QStringLiteral("20"));
        QVERIFY(on("OptNewDocName2"));

        c<QRadioButton>("OptNewDocName0")->click();
        b->end(false);
        QTest::keyClick(b, Qt::Key_Backspace);
        QCOMPARE(b->text(), QStringLiteral("2"));
        QVERIFY(on("OptNewDocName0"));  // backspace alone keeps the rule

        QTest::keyClick(b, '5');
        QCOMPARE(b->text(), QStringLiteral("25"));
        QVERIFY(on("OptNewDocName2"));

        // A third digit is refused by the length limit, yet still chooses the rule.
        c<QRadioButton>("OptNewDocName3")->click();
        QTest::keyClick(b, '7');
        QCOMPARE(b->text(), QStringLiteral("25"));
        QVERIFY(on("OptNewDocName2"));

        c<QRadioButton>("OptNewDocName1")->click();
        QInputMethodEvent ime;
        ime.setCommitString(QStringLiteral("１"));
        QCoreApplication::sendEvent(b, &ime);
        QCOMPARE(b->text(), QStringLiteral("25"));
        QVERIFY(on("OptNewDocName2"));
    }

    void maskLengthExample_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("label");
        QTest::newRow("2") << 0 << QStringLiteral("位格式化数字序号，如：01.doc");
        QTest::newRow("9") << 7 << QStringLiteral("位格式化数字序号，如：000000001.doc");
    }
    void maskLengthExample() {
        QFETCH(int, position);
        QFETCH(QString, label);
        auto* combo = c<QComboBox>("CmbNewNameMaskLength");
        auto* lbl = c<QLabel>("lblNewNameMaskLength");
        // Start from another length so that the label is rebuilt from its template each time.
        combo->setCurrentIndex(position == 4 ? 5 : 4);
        c<QRadioButton>("OptNewDocName0")->click();
        combo->setCurrentIndex(position);
        QCOMPARE(lbl->text(), label);
        QVERIFY(on("OptNewDocName4"));
        QVERIFY2(lbl->fontMetrics().horizontalAdvance(lbl->text()) <= lbl->width(),
                 "the example is clipped");
        // Choosing the item that is already shown chooses the rule too.
        c<QRadioButton>("OptNewDocName1")->click();
        emit combo->activated(position);
        QVERIFY(on("OptNewDocName4"));
        QCOMPARE(lbl->text(), label);
    }

    void storedOptionsAreRestored() {
        ui_->settings.put("OptSplit", "1");
        ui_->settings.put("txtPages", "");
        ui_->settings.put("txtNewDocs", "4");
        ui_->settings.put("CmbNewNameMaskLength", "3");
        ui_->settings.put("OptNewDocName", "0");
        ui_->settings.put("OptOutDir", "1");
        frmSplit restored(*office_);
        auto radio = [&](const char* n) { return control<QRadioButton>(restored, n)->isChecked(); };
        QVERIFY(radio("OptSplit1"));
        QVERIFY(!control<QLineEdit>(restored, "txtPages")->isEnabled());
        QCOMPARE(control<QLineEdit>(restored, "txtNewDocs")->text(), QStringLiteral("4"));
        QCOMPARE(control<QComboBox>(restored, "CmbNewNameMaskLength")->currentText(), "5");
        QCOMPARE(control<QLabel>(restored, "lblNewNameMaskLength")->text(),
                 QStringLiteral("位格式化数字序号，如：00001.doc"));
        // The stored naming rule wins over the one the mask length chooses.
        QVERIFY(radio("OptNewDocName0"));
        QVERIFY(radio("OptOutDir1"));
        QVERIFY(control<QLineEdit>(restored, "txtOutDir")->isEnabled());
        // Only the close step writes.
        QCOMPARE(ui_->settings.keys().size(), 6);
    }

    void outputFolderBrowse() {
        c<QRadioButton>("OptOutDir1")->click();
        ui_->dialogs.directoryAnswers << QStringLiteral("/srv/parts");
        c<QPushButton>("CmdOutDir")->click();
        QCOMPARE(box("txtOutDir")->text(), QStringLiteral("/srv/parts"));
        QCOMPARE(ui_->dialogs.directoryPrompts, QStringList{QStringLiteral("请选择一个文件夹")});
        QCOMPARE(ui_->dialogs.parents.last().data(), window_.get());
        // Cancelling empties the box.
        c<QPushButton>("CmdOutDir")->click();
        QCOMPARE(box("txtOutDir")->text(), QString());
    }

    void requestTakesTheControls() {
        auto* list = c<QListWidget>("LstFiles");
        list->findChild<DocumentList*>()->append({"/a/one.docx", "/b/two.doc", "/a/one.docx"});
        c<QRadioButton>("OptSplit1")->click();
        box("txtNewDocs")->setText("3");
        box("txtPages")->setText("8");
        c<QComboBox>("CmbNewNameMaskLength")->setCurrentIndex(3);
        c<QRadioButton>("OptNewDocName2")->click();
        box("txtFirstWords")->setText("15");
        c<QRadioButton>("OptOutDir1")->click();
        box("txtOutDir")->setText(" /out ");
        const split::SplitRequest r = window_->request();
        QCOMPARE(r.documents, QStringList({"/a/one.docx", "/b/two.doc", "/a/one.docx"}));
        QCOMPARE(r.mode, split::SplitMode::IntoNDocuments);
        QCOMPARE(r.newDocsText, QStringLiteral("3"));
        QCOMPARE(r.pagesText, QStringLiteral("8"));
        QCOMPARE(r.maskLengthText, QStringLiteral("5"));
        QCOMPARE(r.naming, split::NamingMode::FirstCharacters);
        QCOMPARE(r.firstWordsText, QStringLiteral("15"));
        QCOMPARE(r.output, split::OutputRule::ChosenFolder);
        QCOMPARE(r.outDirText, QStringLiteral(" /out "));
        c<QRadioButton>("OptNewDocName4")->click();
        QCOMPARE(window_->request().naming, split::NamingMode::PaddedSequence);
    }

    // A refusal sends the user to its box: the folder browser for a blank folder, the folder
    // box (separator added, all selected) for one not created, the count box otherwise.
    void refusalsWorkTheWindow() {
        showActive();
        QTemporaryDir tmp;
        // An empty list is refused by the run's first check; no office is started.
        QVERIFY(test::pressCmdOp(*window_));
        QCOMPARE(ui_->dialogs.messages[0].text, QStringLiteral("没有需要拆分的文档！"));
        QCOMPARE(ui_->dialogs.messages[0].icon, MessageIcon::Information);
        QCOMPARE(office_->state().count("create"), 0);
        QVERIFY(c<QPushButton>("CmdOp")->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());
        c<QListWidget>("LstFiles")->findChild<DocumentList*>()->append({"/nowhere/a.docx"});
        c<QRadioButton>("OptOutDir1")->click();
        ui_->dialogs.directoryAnswers << QStringLiteral("/chosen");
        QVERIFY(test::pressCmdOp(*window_));
        QCOMPARE(ui_->dialogs.messages.last().text, QStringLiteral("请输入新文档输出文件夹！"));
        QCOMPARE(ui_->dialogs.directoryPrompts.size(), 1);
        QCOMPARE(box("txtOutDir")->text(), QStringLiteral("/chosen"));

        box("txtOutDir")->setText(tmp.filePath("new"));
        ui_->dialogs.yesNoAnswers << false;
        QVERIFY(test::pressCmdOp(*window_));
        QCOMPARE(ui_->dialogs.questions.size(), 1);
        QVERIFY(!ui_->dialogs.questions[0].defaultNo);
        QVERIFY(box("txtOutDir")->hasFocus());
        QCOMPARE(box("txtOutDir")->selectedText(), tmp.filePath("new/"));

        box("txtOutDir")->setText(tmp.path());
        QVERIFY(test::pressCmdOp(*window_));
        QCOMPARE(ui_->dialogs.messages.last().text,
                 QStringLiteral("请输入每几页分拆为一个新文件？"));
        QCOMPARE(ui_->dialogs.messages.last().icon, MessageIcon::Question);
        QVERIFY(box("txtPages")->hasFocus());
        QCOMPARE(box("txtOutDir")->text(), tmp.path() + "/");
        QCOMPARE(office_->state().created, 0);
        QCOMPARE(ui_->dialogs.parents.last().data(), window_.get());
    }
};

QTEST_MAIN(SplitWindowTest)
#include "tst_splitwindow.moc"
