// The split and merge windows' own controls: first state, the options' interplay, the boxes'
// filters, the dialogs they open, the request they make, and refusals applied to them.

#include "merge/window/frmunite.h"
#include "split/window/frmsplit.h"
#include "tests/ui/uitestsupport.h"

using namespace pw;
using pw::test::control;
using pw::test::list;

class FormsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::WindowCase> ui_;
    std::unique_ptr<test::FakeWordFactory> office_;
    std::unique_ptr<frmSplit> window_;
    std::unique_ptr<frmUnite> unite_;

    template <class T>
    T* c(const char* name) const {
        return control<T>(*window_, name);
    }
    template <class T>
    T* u(const char* name) const {
        return control<T>(*unite_, name);
    }
    QLineEdit* box(const char* name) const { return c<QLineEdit>(name); }
    bool on(const char* name) const { return c<QRadioButton>(name)->isChecked(); }
    void click(const char* name) const { c<QAbstractButton>(name)->click(); }

private slots:
    void init() {
        ui_ = std::make_unique<test::WindowCase>();
        QVERIFY(ui_->dir.isValid());
        office_ = std::make_unique<test::FakeWordFactory>();
        window_ = std::make_unique<frmSplit>(*office_);
        unite_ = std::make_unique<frmUnite>(*office_);
    }
    void cleanup() {
        window_.reset();
        unite_.reset();
        ui_.reset();
    }

    void firstRunState() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Pagewright - Word文档拆分"));
        QCOMPARE(unite_->windowTitle(), QStringLiteral("Pagewright - Word文档合并"));
        QCOMPARE(c<QComboBox>("CmbFunc")->currentIndex(), 0);
        QCOMPARE(u<QComboBox>("CmbFunc")->currentIndex(), 1);
        QVERIFY(on("OptSplit0") && on("OptNewDocName1") && on("OptOutDir0"));
        QVERIFY(box("txtPages")->isEnabled() && !box("txtOutDir")->isEnabled());
        QCOMPARE(c<QComboBox>("CmbNewNameMaskLength")->currentText(), QStringLiteral("2"));
        QVERIFY(!u<QCheckBox>("ChkPageBreak")->isChecked());
        for (QWidget* w : QList<QWidget*>{window_.get(), unite_.get()}) {
            QCOMPARE(w->minimumSize(), w->maximumSize());
            QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        }
        QVERIFY(!ui_->written());
    }

    // Choosing the count mode back is seen by the digit filter case, which types in txtPages.
    void optionInterplay() {
        // Clicking the text after the count box chooses its option.
        QTest::mouseClick(c<QLabel>("Label2"), Qt::LeftButton);
        QVERIFY(on("OptSplit1"));
        QVERIFY(box("txtNewDocs")->isEnabled() && !box("txtPages")->isEnabled());
        click("OptOutDir1");
        QVERIFY(box("txtOutDir")->isEnabled() && c<QPushButton>("CmdOutDir")->isEnabled());
        click("OptOutDir0");
        QVERIFY(!box("txtOutDir")->isEnabled() && !c<QPushButton>("CmdOutDir")->isEnabled());
        QTest::mouseClick(c<QLabel>("lblNewNameMaskLength"), Qt::LeftButton);
        QVERIFY(on("OptNewDocName4"));
        click("OptNewDocName3");
        // A click on a label that names nothing chooses nothing.
        QTest::mouseClick(c<QLabel>("Label1"), Qt::LeftButton);
        QVERIFY(on("OptSplit1") && on("OptNewDocName3"));
    }

    void digitFilter() {
        click("OptSplit1");
        QTest::keyClicks(box("txtNewDocs"), "a1");
        QCOMPARE(box("txtNewDocs")->text(), QStringLiteral("1"));
        click("OptSplit0");
        QVERIFY(!box("txtNewDocs")->isEnabled());
        QLineEdit* b = box("txtPages");
        QSignalSpy returns(b, &QLineEdit::returnPressed);
        QTest::keyClicks(b, "a-x. ");
        QCOMPARE(b->text(), QString());
        QTest::keyClicks(b, "12");
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
    }

    void firstWordsChoosesItsRule() {
        QLineEdit* b = box("txtFirstWords");
        click("OptNewDocName0");
        QTest::keyClick(b, 'x');
        QCOMPARE(b->text(), QStringLiteral("20"));
        QVERIFY(on("OptNewDocName2"));
        click("OptNewDocName0");
        b->end(false);
        QTest::keyClick(b, Qt::Key_Backspace);
        QCOMPARE(b->text(), QStringLiteral("2"));
        QVERIFY(on("OptNewDocName0"));  // backspace alone keeps the rule
        QTest::keyClick(b, '5');
        QCOMPARE(b->text(), QStringLiteral("25"));
        QVERIFY(on("OptNewDocName2"));
        QTest::keyClick(b, '7');
        QCOMPARE(b->text(), QStringLiteral("25"));  // two digits at most
    }

    // The longest example, rebuilt from its template after another length.
    void maskLengthExample() {
        const QString label = QStringLiteral("位格式化数字序号，如：000000001.doc");
        auto* combo = c<QComboBox>("CmbNewNameMaskLength");
        auto* lbl = c<QLabel>("lblNewNameMaskLength");
        combo->setCurrentIndex(4);
        click("OptNewDocName0");
        combo->setCurrentIndex(7);
        QCOMPARE(lbl->text(), label);
        QVERIFY(on("OptNewDocName4"));
        QVERIFY2(lbl->fontMetrics().horizontalAdvance(lbl->text()) <= lbl->width(),
                 "the example is clipped");
        // Choosing the item that is already shown chooses the rule too.
        click("OptNewDocName1");
        emit combo->activated(7);
        QVERIFY(on("OptNewDocName4"));
        QCOMPARE(lbl->text(), label);
    }

    // The browse buttons open their dialogs over their windows; a cancel empties the box. The
    // refusals below see an answer fill it.
    void browseButtons() {
        click("OptOutDir1");
        box("txtOutDir")->setText("/old");
        click("CmdOutDir");
        QCOMPARE(box("txtOutDir")->text(), QString());
        u<QLineEdit>("txtUnitedFile")->setText("/old.docx");
        u<QPushButton>("CmdUnitedFile")->click();
        QCOMPARE(u<QLineEdit>("txtUnitedFile")->text(), QString());
        QCOMPARE(ui_->dialogs.saveFileFilters.value(0),
                 QStringLiteral("合并到新文档(*.doc;*.docx) (*.doc *.docx)"));
        QCOMPARE(ui_->dialogs.parents, QList<QPointer<QWidget>>({window_.get(), unite_.get()}));
    }

    void requestTakesTheControls() {
        list(*window_).append({"/a/one.docx", "/b/two.doc", "/a/one.docx"});
        click("OptSplit1");
        box("txtNewDocs")->setText("3");
        box("txtPages")->setText("8");
        c<QComboBox>("CmbNewNameMaskLength")->setCurrentIndex(3);
        click("OptNewDocName2");
        box("txtFirstWords")->setText("15");
        click("OptOutDir1");
        box("txtOutDir")->setText(" /out ");
        const split::SplitRequest r = window_->request();
        QCOMPARE(r.documents, QStringList({"/a/one.docx", "/b/two.doc", "/a/one.docx"}));
        QCOMPARE(r.mode, split::SplitMode::IntoNDocuments);
        QCOMPARE(r.newDocsText + r.pagesText + r.maskLengthText + r.firstWordsText, "38515");
        QCOMPARE(r.naming, split::NamingMode::FirstCharacters);
        QCOMPARE(r.output, split::OutputRule::ChosenFolder);
        QCOMPARE(r.outDirText, QStringLiteral(" /out "));

        list(*unite_).append({"/b.doc", "/a.docx"});
        u<QLineEdit>("txtUnitedFile")->setText(QStringLiteral(" /t.docx"));
        u<QCheckBox>("ChkPageBreak")->setChecked(true);
        const merge::MergeRequest m = unite_->request();
        QCOMPARE(m.documents, QStringList({"/b.doc", "/a.docx"}));
        QCOMPARE(m.targetText, QStringLiteral(" /t.docx"));
        QVERIFY(m.pageBreaks);
    }

    // A refusal sends the user to its box: the folder browser for a blank folder, the folder
    // box (separator added, all selected) for one not created, the count box otherwise.
    void refusalsWorkTheSplitWindow() {
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QVERIFY(test::pressCmdOp(*window_));
        QVERIFY(c<QPushButton>("CmdOp")->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());
        list(*window_).append({"/nowhere/a.docx"});
        click("OptOutDir1");
        ui_->dialogs.directoryAnswers << QStringLiteral("/chosen");
        QVERIFY(test::pressCmdOp(*window_));
        QCOMPARE(ui_->dialogs.directoryPrompts.size(), 1);
        QCOMPARE(box("txtOutDir")->text(), QStringLiteral("/chosen"));

        box("txtOutDir")->setText(ui_->dir.filePath("new"));
        ui_->dialogs.yesNoAnswers << false;
        QVERIFY(test::pressCmdOp(*window_));
        QCOMPARE(ui_->dialogs.questions.size(), 1);
        QVERIFY(box("txtOutDir")->hasFocus());
        QCOMPARE(box("txtOutDir")->selectedText(), ui_->dir.filePath("new/"));

        box("txtOutDir")->setText(ui_->dir.path());
        QVERIFY(test::pressCmdOp(*window_));
        QCOMPARE(ui_->dialogs.messages.size(), 3);
        QVERIFY(box("txtPages")->hasFocus());
        QCOMPARE(box("txtOutDir")->text(), ui_->dir.path() + "/");
        QCOMPARE(ui_->dialogs.parents.last().data(), window_.get());
    }

    // An empty list, then a missing target name: the message, then the target-file dialog.
    void refusalsWorkTheMergeWindow() {
        QVERIFY(test::pressCmdOp(*unite_));
        QCOMPARE(ui_->dialogs.messages.size(), 1);
        list(*unite_).append({"/x.docx"});
        ui_->dialogs.saveFileAnswers << QStringLiteral("/chosen.docx");
        QVERIFY(test::pressCmdOp(*unite_));
        QCOMPARE(ui_->dialogs.messages.size(), 2);
        QCOMPARE(u<QLineEdit>("txtUnitedFile")->text(), QStringLiteral("/chosen.docx"));
        QVERIFY(u<QPushButton>("CmdOp")->isEnabled() && u<QCheckBox>("ChkPageBreak")->isEnabled());
    }
};

QTEST_MAIN(FormsTest)
#include "tst_forms.moc"
