// The program's start-up and its two working windows: which window opens, the office probe,
// switching between the windows, their lists, and the options they keep across runs.

#include "app/mdlmain.h"
#include "app/workingwindows.h"
#include "merge/window/frmunite.h"
#include "split/window/frmsplit.h"
#include "tests/support/testenv.h"
#include "tests/ui/uitestsupport.h"

using namespace pw;
using pw::test::control;
using pw::test::list;

namespace {

void chooseFunction(QWidget& window, int position) {
    auto* combo = control<QComboBox>(window, "CmbFunc");
    combo->setCurrentIndex(position);
    emit combo->activated(position);
}

template <class T = QRadioButton>
T* the(QWidget* window, const char* name) {
    return control<T>(*window, name);
}

}  // namespace

class WorkingWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::WindowCase> ui_;
    test::FakeWordFactory office_;

private slots:
    void init() {
        ui_ = std::make_unique<test::WindowCase>();
        QVERIFY(ui_->dir.isValid());
    }
    void cleanup() { ui_.reset(); }

    // A merge window never shown is not created to be closed, nor are its options written.
    void programIconFontAndTheSplitWindowAlone() {
        setUpApplication(*qApp);
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(!icon.isNull());
        WorkingWindows windows(office_);
        windows.showSplit();
        QCOMPARE(windows.split()->windowIcon().cacheKey(), icon.cacheKey());
        // Message boxes and file dialogs show Chinese in the application's font.
        QVERIFY(QFontMetrics(QApplication::font()).inFont(QChar(u'档')));
        QVERIFY(windows.split()->close());
        QVERIFY(!windows.visibleWindow() && !windows.unite());
        const QSettings stored(ui_->file(), QSettings::IniFormat);
        QCOMPARE(stored.value("Controls/StartForm").toString(), "0");
        QVERIFY(!stored.contains("Controls/ChkPageBreak"));
    }

    // The window StartForm chooses opens centred on the screen, disabled while the office probe
    // runs off its thread. Without an office the message is shown over it and the program ends
    // there, the windows going without their close step: stored settings are left as they were,
    // or not written.
    void startUp_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("firstRun");
        QTest::newRow("office") << true << true;
        QTest::newRow("no office, stored settings") << false << false;
        QTest::newRow("no office, first run") << false << true;
    }
    void startUp() {
        QFETCH(bool, installed);
        QFETCH(bool, firstRun);
        if (!firstRun) {
            QSettings stored(ui_->file(), QSettings::IniFormat);
            stored.setValue("Controls/StartForm", "1");
            stored.setValue("Controls/ChkPageBreak", "1");
        }
        const QByteArray before = test::fileHash(ui_->file());
        {
            test::FakeWordFactory office;
            if (!installed)
                office.addFault({QStringLiteral("create"), {}, word::Error::Kind::NotInstalled});
            WorkingWindows windows(office);
            bool offThread = false, disabled = false;
            office.state().onCreate = [&] {
                offThread = QThread::currentThread() != qApp->thread();
                disabled = !windows.visibleWindow()->isEnabled();
            };
            QCOMPARE(MdlMain(windows, office), installed);
            QWidget* shown = windows.visibleWindow();
            QVERIFY(shown);
            QCOMPARE(shown, firstRun ? static_cast<QWidget*>(windows.split()) : windows.unite());
            const QPoint centre = shown->screen()->availableGeometry().center();
            QVERIFY((shown->frameGeometry().center() - centre).manhattanLength() <= 2);
            QVERIFY(offThread && disabled && shown->isEnabled());
            QCOMPARE(office.state().created, int(installed));
            QCOMPARE(office.state().live, 0);
            QCOMPARE(office.state().count("open"), 0);
            QCOMPARE(ui_->dialogs.messages.size(), installed ? 0 : 1);
            if (installed) return;
            QCOMPARE(ui_->dialogs.messages[0].text, NoOfficeMessage);
            QCOMPARE(ui_->dialogs.messages[0].icon, MessageIcon::Information);
            QCOMPARE(ui_->dialogs.parents.last().data(), shown);
        }
        QCOMPARE(test::fileHash(ui_->file()), before);
    }

    void switchingKeepsEverything() {
        WorkingWindows windows(office_);
        windows.showSplit();
        frmSplit* split = windows.split();
        chooseFunction(*split, 0);  // its own function: nothing happens
        QCOMPARE(windows.visibleWindow(), split);
        QVERIFY(!windows.unite());  // created on first use only
        list(*split).append({"/d/a.docx", "/d/b.doc"});
        the(split, "OptNewDocName3")->click();

        chooseFunction(*split, 1);
        frmUnite* unite = windows.unite();
        QVERIFY(unite);
        QCOMPARE(windows.visibleWindow(), unite);
        the<QCheckBox>(unite, "ChkPageBreak")->setChecked(true);

        chooseFunction(*unite, 1);
        QCOMPARE(windows.visibleWindow(), unite);
        QTest::keyClick(the<QComboBox>(unite, "CmbFunc"), Qt::Key_Up);
        QCOMPARE(windows.visibleWindow(), split);
        QVERIFY(unite->isHidden());
        QCOMPARE(list(*split).entries(), QStringList({"/d/a.docx", "/d/b.doc"}));
        QVERIFY(the(split, "OptNewDocName3")->isChecked());
        // Shown again, the drop-down offers the other window at once.
        QCOMPARE(the<QComboBox>(split, "CmbFunc")->currentIndex(), 0);

        QTest::keyClick(the<QComboBox>(split, "CmbFunc"), Qt::Key_Down);
        QCOMPARE(windows.unite(), unite);  // the same window, not a new one
        QCOMPARE(windows.visibleWindow(), unite);
        QVERIFY(the<QCheckBox>(unite, "ChkPageBreak")->isChecked());
        QCOMPARE(the<QComboBox>(unite, "CmbFunc")->currentIndex(), 1);
        QVERIFY(!ui_->written());  // switching writes nothing
    }

    // Each window's list buttons and About button are wired, and its list takes the drops of its
    // kind: web pages and plain text on the merge list only.
    void listButtonsAndDrops_data() { test::splitAndMergeRows(); }
    void listButtonsAndDrops() {
        QFETCH(bool, split);
        WorkingWindows windows(office_);
        split ? windows.showSplit() : windows.showUnite();
        QWidget* w = windows.visibleWindow();
        ui_->dialogs.openFilesAnswers << QStringList{"/d/x.docx"};
        the<QPushButton>(w, "CmdFile0")->click();
        QVERIFY(test::dropFiles(*w, {"/d/report.DOCX", "/d/page.html"}));
        const QStringList kept{"/d/x.docx", "/d/report.DOCX"};
        QCOMPARE(list(*w).entries(), split ? kept : kept + QStringList{"/d/page.html"});
        the<QPushButton>(w, "CmdAbout")->click();
        QCOMPARE(ui_->dialogs.modalWindows, QStringList{QStringLiteral("frmAbout")});
    }

    // Closing either window closes the other, both writing their options; the window the user
    // closed writes StartForm last.
    void optionsSurviveRestarts() {
        {  // First run: split options changed, then closed in the merge window.
            WorkingWindows windows(office_);
            QVERIFY(MdlMain(windows, office_));
            frmSplit* split = windows.split();
            the(split, "OptSplit1")->click();
            the<QLineEdit>(split, "txtNewDocs")->setText("6");
            the<QComboBox>(split, "CmbNewNameMaskLength")->setCurrentIndex(5);
            the(split, "OptNewDocName0")->click();
            the(split, "OptOutDir1")->click();
            the<QLineEdit>(split, "txtOutDir")->setText("/not/kept");
            the<QLineEdit>(split, "txtFirstWords")->setText("9");
            chooseFunction(*split, 1);
            the<QCheckBox>(windows.unite(), "ChkPageBreak")->setChecked(true);
            the<QLineEdit>(windows.unite(), "txtUnitedFile")->setText("/not/kept.docx");
            QVERIFY(windows.unite()->close());
        }
        {  // Second run opens in the merge window; the split window restores its options.
            WorkingWindows windows(office_);
            QVERIFY(MdlMain(windows, office_));
            QVERIFY(!windows.split());
            QCOMPARE(windows.visibleWindow(), windows.unite());
            QVERIFY(the<QCheckBox>(windows.unite(), "ChkPageBreak")->isChecked());
            QVERIFY(the<QLineEdit>(windows.unite(), "txtUnitedFile")->text().isEmpty());
            chooseFunction(*windows.unite(), 0);
            frmSplit* split = windows.split();
            QCOMPARE(the<QLineEdit>(split, "txtNewDocs")->text(), QStringLiteral("6"));
            QCOMPARE(the<QComboBox>(split, "CmbNewNameMaskLength")->currentText(), "7");
            // The stored naming rule wins over the one the mask length chooses.
            QVERIFY(the(split, "OptNewDocName0")->isChecked() &&
                    the(split, "OptSplit1")->isChecked());
            QVERIFY(the(split, "OptOutDir1")->isChecked());
            QVERIFY(the<QLineEdit>(split, "txtOutDir")->text().isEmpty());
            QCOMPARE(the<QLineEdit>(split, "txtFirstWords")->text(), QStringLiteral("20"));
            the<QCheckBox>(windows.unite(), "ChkPageBreak")->setChecked(false);
            QVERIFY(split->close());
        }
        {  // Third run: back in the split window, and the merge window's change was kept.
            WorkingWindows windows(office_);
            QVERIFY(MdlMain(windows, office_));
            QCOMPARE(windows.visibleWindow(), windows.split());
            QVERIFY(!windows.unite());
            chooseFunction(*windows.split(), 1);
            QVERIFY(!the<QCheckBox>(windows.unite(), "ChkPageBreak")->isChecked());
        }
    }
};

QTEST_MAIN(WorkingWindowsTest)
#include "tst_workingwindows.moc"
