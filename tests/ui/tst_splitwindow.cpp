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
#include "split/window/splitwindowprompts.h"
#include "tests/shell/fakedialogs.h"
#include "tests/ui/uitestsupport.h"

using namespace pw;
using pw::test::control;

class SplitWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::IsolatedSettings> settings_;
    std::unique_ptr<test::FakeDialogs> dialogs_;
    std::unique_ptr<ScopedDialogs> useDialogs_;
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
        settings_ = std::make_unique<test::IsolatedSettings>();
        QVERIFY(settings_->isValid());
        dialogs_ = std::make_unique<test::FakeDialogs>();
        useDialogs_ = std::make_unique<ScopedDialogs>(*dialogs_);
        office_ = std::make_unique<test::FakeOffice>(false);
        window_ = std::make_unique<frmSplit>(*office_);
    }
    void cleanup() {
        window_.reset();
        useDialogs_.reset();
    }

    void firstRunState() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Pagewright - Word文档拆分"));
        QCOMPARE(c<QComboBox>("CmbFunc")->currentIndex(), 0);
        QCOMPARE(c<QComboBox>("CmbFunc")->currentText(), QStringLiteral("Word文档拆分"));
        QVERIFY(on("OptSplit0"));
        QVERIFY(box("txtPages")->isEnabled());
        QVERIFY(box("txtPages")->text().isEmpty());
        QVERIFY(!box("txtNewDocs")->isEnabled());
        QVERIFY(on("OptNewDocName1"));
        QCOMPARE(c<QComboBox>("CmbNewNameMaskLength")->currentText(), QStringLiteral("2"));
        QCOMPARE(c<QLabel>("lblNewNameMaskLength")->text(),
                 QStringLiteral("位格式化数字序号，如：01.doc"));
        QVERIFY(on("OptOutDir0"));
        QVERIFY(!box("txtOutDir")->isEnabled());
        QVERIFY(!c<QPushButton>("CmdOutDir")->isEnabled());
        QCOMPARE(box("txtFirstWords")->text(), QStringLiteral("20"));
        QCOMPARE(c<QListWidget>("LstFiles")->count(), 0);
        // Exactly one option of each group is on, and the groups number their buttons.
        for (const char* group : {"OptSplit", "OptNewDocName", "OptOutDir"}) {
            auto* g = c<QButtonGroup>(group);
            QVERIFY(g->exclusive());
            int checked = 0;
            for (QAbstractButton* b : g->buttons()) {
                QCOMPARE(b->objectName(), QString::fromLatin1(group) + QString::number(g->id(b)));
                checked += b->isChecked() ? 1 : 0;
            }
            QCOMPARE(checked, 1);
        }
        QCOMPARE(c<QButtonGroup>("OptNewDocName")->buttons().size(), 5);
        QCOMPARE(c<QButtonGroup>("CmdFile")->buttons().size(), 4);
    }

    void designOfTheWindow() {
        QCOMPARE(window_->size(), QSize(707, 568));
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
        // Positions in twips of the design, relative to each control's container.
        const struct {
            const char* name;
            const char* container;
            int x, y, w, h;
        } design[] = {
            {"CmbFunc", "frmSplit", 960, 10, 2775, 300},
            {"FrameTop", "frmSplit", 0, 480, 10575, 2895},
            {"LstFiles", "FrameTop", 120, 240, 9255, 2550},
            {"CmdFile2", "FrameTop", 9480, 1680, 975, 375},
            {"Frame1", "frmSplit", 0, 3720, 10575, 3735},
            {"txtPages", "Frame1", 1800, 360, 735, 375},
            {"OptSplit1", "Frame1", 4920, 400, 2295, 255},
            {"Frame2", "Frame1", 120, 1080, 10335, 2415},
            {"txtFirstWords", "Frame2", 7320, 320, 495, 330},
            {"CmbNewNameMaskLength", "Frame2", 3960, 720, 615, 300},
            {"Frame3", "Frame2", 120, 1200, 10095, 1095},
            {"txtOutDir", "Frame3", 4800, 540, 4815, 375},
            {"CmdOutDir", "Frame3", 9600, 540, 495, 375},
            {"Frame4", "frmSplit", 0, 7680, 10575, 735},
            {"CmdOp", "Frame4", 4680, 240, 1215, 375},
            {"CmdAbout", "Frame4", 9600, 240, 855, 375},
        };
        for (const auto& d : design) {
            auto* w = c<QWidget>(d.name);
            QVERIFY2(w, d.name);
            QCOMPARE(w->parentWidget()->objectName(), QString::fromLatin1(d.container));
            QCOMPARE(w->geometry(), QRect(qRound(d.x / 15.0), qRound(d.y / 15.0),
                                          qRound(d.w / 15.0), qRound(d.h / 15.0)));
        }
        QCOMPARE(c<QGroupBox>("FrameTop")->title(), QStringLiteral("待拆分文件"));
        QCOMPARE(c<QPushButton>("CmdOp")->text(), QStringLiteral("拆 分"));
        QCOMPARE(box("txtFirstWords")->maxLength(), 2);
        QVERIFY(c<QLabel>("Label3")->font().bold());
        // The window's own font carries the Chinese glyphs; no fallback is needed to show them.
        QVERIFY(QFontMetrics(window_->font()).inFont(QChar(u'拆')));
        QVERIFY(QFontMetrics(c<QLabel>("Label3")->font()).inFont(QChar(u'功')));
        QVERIFY(c<QListWidget>("LstFiles")->acceptDrops());
        QCOMPARE(c<QListWidget>("LstFiles")->selectionMode(), QAbstractItemView::SingleSelection);
    }

    void tabOrder() {
        const QStringList order = {"OptSplit0",      "OptSplit1",
                                   "txtNewDocs",     "CmbFunc",
                                   "OptNewDocName0", "OptNewDocName1",
                                   "CmdOp",          "CmdFile2",
                                   "CmdFile1",       "CmdFile3",
                                   "CmdFile0",       "LstFiles",
                                   "txtPages",       "CmdOutDir",
                                   "txtOutDir",      "OptOutDir1",
                                   "OptOutDir0",     "CmdAbout",
                                   "txtFirstWords",  "OptNewDocName2",
                                   "OptNewDocName3", "CmbNewNameMaskLength",
                                   "OptNewDocName4"};
        QCOMPARE(test::tabOrder(*window_, order), order);
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
        QInputMethodEvent fullWidth;
        fullWidth.setCommitString(QStringLiteral("３４"));
        QCoreApplication::sendEvent(b, &fullWidth);
        QCOMPARE(b->text(), QStringLiteral("1"));
        QInputMethodEvent mixed;
        mixed.setCommitString(QStringLiteral("５6"));
        QCoreApplication::sendEvent(b, &mixed);
        QCOMPARE(b->text(), QStringLiteral("16"));
        // The paste shortcut is a typed control character and is dropped.
        QGuiApplication::clipboard()->setText(QStringLiteral("99"));
        QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(b->text(), QStringLiteral("16"));
        // Keys that type nothing still move the cursor.
        QTest::keyClick(b, Qt::Key_Home);
        QCOMPARE(b->cursorPosition(), 0);
        QTest::keyClick(b, Qt::Key_Delete);
        QCOMPARE(b->text(), QStringLiteral("6"));
        // What arrives without typing (the context menu's paste) is left to the run's checks.
        QGuiApplication::clipboard()->setText(QStringLiteral("7a"));
        b->paste();
        QCOMPARE(b->text(), QStringLiteral("7a6"));
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
        QTest::newRow("3") << 1 << QStringLiteral("位格式化数字序号，如：001.doc");
        QTest::newRow("4") << 2 << QStringLiteral("位格式化数字序号，如：0001.doc");
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
        settings_->put("OptSplit", "1");
        settings_->put("txtPages", "");
        settings_->put("txtNewDocs", "4");
        settings_->put("CmbNewNameMaskLength", "3");
        settings_->put("OptNewDocName", "0");
        settings_->put("OptOutDir", "1");
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
        QCOMPARE(settings_->keys().size(), 6);
    }

    void outputFolderBrowse() {
        c<QRadioButton>("OptOutDir1")->click();
        dialogs_->directoryAnswers << QStringLiteral("/srv/parts");
        c<QPushButton>("CmdOutDir")->click();
        QCOMPARE(box("txtOutDir")->text(), QStringLiteral("/srv/parts"));
        QCOMPARE(dialogs_->directoryPrompts, QStringList{QStringLiteral("请选择一个文件夹")});
        QCOMPARE(dialogs_->parents.last().data(), window_.get());
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
        QCOMPARE(r.splitMode, 1);
        QCOMPARE(r.newDocsText, QStringLiteral("3"));
        QCOMPARE(r.pagesText, QStringLiteral("8"));
        QCOMPARE(r.maskLengthText, QStringLiteral("5"));
        QCOMPARE(r.namingMode, 2);
        QCOMPARE(r.firstWordsText, QStringLiteral("15"));
        QCOMPARE(r.outDirMode, 1);
        QCOMPARE(r.outDirText, QStringLiteral(" /out "));
    }

    void promptsWorkTheWindow() {
        showActive();
        split::SplitWindowPrompts prompts(*window_);
        c<QRadioButton>("OptOutDir1")->click();
        prompts.setOutDirText(QStringLiteral("/x/y"));
        QCOMPARE(prompts.outDirText(), QStringLiteral("/x/y"));
        prompts.focusField(split::SplitField::OutDir, true);
        QVERIFY(box("txtOutDir")->hasFocus());
        QCOMPARE(box("txtOutDir")->selectedText(), QStringLiteral("/x/y"));
        prompts.focusField(split::SplitField::Pages, false);
        QVERIFY(box("txtPages")->hasFocus());
        prompts.focusField(split::SplitField::FirstWords, false);
        QVERIFY(box("txtFirstWords")->hasFocus());

        prompts.setBusy(true);
        QVERIFY(!c<QPushButton>("CmdOp")->isEnabled());
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        prompts.setBusy(false);
        QVERIFY(c<QPushButton>("CmdOp")->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());

        prompts.message(QStringLiteral("m"), MessageIcon::Exclamation);
        QCOMPARE(dialogs_->messages.size(), 1);
        QCOMPARE(dialogs_->messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(dialogs_->parents.last().data(), window_.get());
        dialogs_->yesNoAnswers << true;
        QVERIFY(prompts.askYesNo(QStringLiteral("q"), true));
        QVERIFY(dialogs_->questions[0].defaultNo);
        dialogs_->directoryAnswers << QStringLiteral("/chosen");
        prompts.browseOutDir();
        QCOMPARE(box("txtOutDir")->text(), QStringLiteral("/chosen"));
    }

    void cmdOpRunsTheSplit() {
        // An empty list is refused by the run's first check; no office is started.
        c<QPushButton>("CmdOp")->click();
        QCOMPARE(dialogs_->messages.size(), 1);
        QCOMPARE(dialogs_->messages[0].text, QStringLiteral("没有需要拆分的文档！"));
        QCOMPARE(dialogs_->messages[0].icon, MessageIcon::Information);
        QCOMPARE(office_->state().count("create"), 0);
        QVERIFY(c<QPushButton>("CmdOp")->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void closingDuringARunWaitsForIt() {
        showActive();
        c<QListWidget>("LstFiles")->findChild<DocumentList*>()->append({"/nowhere/a.docx"});
        box("txtPages")->setText("2");
        bool closed = true;
        office_->state().onCreate = [&] { closed = window_->close(); };
        c<QPushButton>("CmdOp")->click();
        QCOMPARE(office_->state().count("create"), 1);
        QVERIFY(!closed);
        QVERIFY(!window_->isClosing());
        QVERIFY(window_->isVisible());
        QCOMPARE(settings_->keys(), QStringList());
        QVERIFY(c<QPushButton>("CmdOp")->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());
        // Once the run is over the window closes as usual.
        QVERIFY(window_->close());
        QVERIFY(window_->isClosing());
    }

    void listAndAboutButtonsAreWired() {
        dialogs_->openFilesAnswers << QStringList{"/d/x.docx", "/d/y.doc"};
        c<QPushButton>("CmdFile0")->click();
        QCOMPARE(c<QListWidget>("LstFiles")->count(), 2);
        c<QListWidget>("LstFiles")->setCurrentRow(0);
        c<QPushButton>("CmdFile2")->click();
        QCOMPARE(c<QListWidget>("LstFiles")->item(0)->text(), QStringLiteral("/d/y.doc"));
        dialogs_->yesNoAnswers << true;
        c<QPushButton>("CmdFile3")->click();
        QCOMPARE(c<QListWidget>("LstFiles")->count(), 0);
        c<QPushButton>("CmdAbout")->click();
        QCOMPARE(dialogs_->modalWindows, QStringList{QStringLiteral("frmAbout")});
    }

    void cmbFuncAsksForTheMergeWindow() {
        QSignalSpy spy(window_.get(), &frmSplit::mergeWindowRequested);
        auto* combo = c<QComboBox>("CmbFunc");
        emit combo->activated(0);
        QCOMPARE(spy.count(), 0);
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(spy.count(), 1);
        window_->resetFunction();
        QCOMPARE(combo->currentIndex(), 0);
    }
};

QTEST_MAIN(SplitWindowTest)
#include "tst_splitwindow.moc"
