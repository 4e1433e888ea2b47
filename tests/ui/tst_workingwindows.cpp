#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/mdlmain.h"
#include "app/workingwindows.h"
#include "doclist/documentlist.h"
#include "merge/window/frmunite.h"
#include "shell/dialogs.h"
#include "shell/workingwindow.h"
#include "split/window/frmsplit.h"
#include "tests/shell/fakedialogs.h"
#include "tests/support/testdocs.h"
#include "tests/ui/uitestsupport.h"

using namespace pw;
using pw::test::control;

namespace {

void chooseFunction(QWidget& window, int position) {
    auto* combo = control<QComboBox>(window, "CmbFunc");
    combo->setCurrentIndex(position);
    emit combo->activated(position);
}

void addEntries(QWidget& window, const QStringList& paths) {
    control<QListWidget>(window, "LstFiles")->findChild<DocumentList*>()->append(paths);
}

QStringList entries(QWidget& window) {
    return control<QListWidget>(window, "LstFiles")->findChild<DocumentList*>()->entries();
}

const QStringList SplitKeys = {"CmbNewNameMaskLength", "OptNewDocName", "OptOutDir", "OptSplit",
                               "txtNewDocs",           "txtPages"};

}  // namespace

class WorkingWindowsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::WindowCase> ui_;
    test::FakeOffice office_{true};

    static void bothWindows() {
        QTest::addColumn<bool>("merge");
        QTest::newRow("split") << false;
        QTest::newRow("merge") << true;
    }

private slots:
    void init() {
        ui_ = std::make_unique<test::WindowCase>();
        QVERIFY(ui_->settings.isValid());
    }
    void cleanup() { ui_.reset(); }

    void switchingKeepsEverything() {
        WorkingWindows windows(office_);
        windows.showSplit();
        QVERIFY(!windows.unite());  // created on first use only
        frmSplit& split = *windows.split();
        chooseFunction(split, 0);  // its own function: nothing happens
        QCOMPARE(windows.visibleWindow(), &split);
        QVERIFY(!windows.unite());
        addEntries(split, {"/d/a.docx", "/d/b.doc"});
        control<QRadioButton>(split, "OptSplit1")->click();
        control<QLineEdit>(split, "txtNewDocs")->setText("3");
        control<QRadioButton>(split, "OptNewDocName3")->click();

        chooseFunction(split, 1);
        QVERIFY(windows.unite());
        frmUnite& unite = *windows.unite();
        QCOMPARE(windows.visibleWindow(), &unite);
        QVERIFY(split.isHidden());
        addEntries(unite, {"/m/1.docx", "/m/2.rtf"});
        control<QLineEdit>(unite, "txtUnitedFile")->setText("/m/all.docx");
        control<QCheckBox>(unite, "ChkPageBreak")->setChecked(true);

        chooseFunction(unite, 1);
        QCOMPARE(windows.visibleWindow(), &unite);
        QTest::keyClick(control<QComboBox>(unite, "CmbFunc"), Qt::Key_Up);
        QCOMPARE(windows.visibleWindow(), &split);
        QVERIFY(unite.isHidden());
        QCOMPARE(entries(split), QStringList({"/d/a.docx", "/d/b.doc"}));
        QVERIFY(control<QRadioButton>(split, "OptSplit1")->isChecked());
        QVERIFY(control<QLineEdit>(split, "txtNewDocs")->isEnabled());
        QCOMPARE(control<QLineEdit>(split, "txtNewDocs")->text(), QStringLiteral("3"));
        QVERIFY(control<QRadioButton>(split, "OptNewDocName3")->isChecked());
        // Shown again, the drop-down offers the other window at once.
        QCOMPARE(control<QComboBox>(split, "CmbFunc")->currentIndex(), 0);

        QTest::keyClick(control<QComboBox>(split, "CmbFunc"), Qt::Key_Down);
        QCOMPARE(windows.unite(), &unite);  // the same window, not a new one
        QCOMPARE(windows.visibleWindow(), &unite);
        QCOMPARE(entries(unite), QStringList({"/m/1.docx", "/m/2.rtf"}));
        QCOMPARE(control<QLineEdit>(unite, "txtUnitedFile")->text(), QStringLiteral("/m/all.docx"));
        QVERIFY(control<QCheckBox>(unite, "ChkPageBreak")->isChecked());
        QCOMPARE(control<QComboBox>(unite, "CmbFunc")->currentIndex(), 1);
        // Switching writes nothing.
        QCOMPARE(ui_->settings.keys(), QStringList());
    }

    // Each window's list buttons and About button work, and its list takes the drops of its
    // kind: web pages and plain text on the merge list only.
    void listButtonsAndDrops_data() { bothWindows(); }
    void listButtonsAndDrops() {
        QFETCH(bool, merge);
        WorkingWindows windows(office_);
        merge ? windows.showUnite() : windows.showSplit();
        QWidget& w = *windows.visibleWindow();
        auto* list = control<QListWidget>(w, "LstFiles");
        ui_->dialogs.openFilesAnswers << QStringList{"/d/x.docx", "/d/y.doc"};
        control<QPushButton>(w, "CmdFile0")->click();
        QCOMPARE(list->count(), 2);
        list->setCurrentRow(0);
        control<QPushButton>(w, "CmdFile2")->click();
        QCOMPARE(entries(w), QStringList{"/d/y.doc"});
        ui_->dialogs.yesNoAnswers << true;
        control<QPushButton>(w, "CmdFile3")->click();
        QCOMPARE(list->count(), 0);
        control<QPushButton>(w, "CmdAbout")->click();
        QCOMPARE(ui_->dialogs.modalWindows, QStringList{QStringLiteral("frmAbout")});

        QTemporaryDir dir;
        const QString report = dir.filePath("report.DOCX"), page = dir.filePath("page.html");
        QVERIFY(test::writeFile(report, {}) && test::writeFile(page, {}));
        QVERIFY(test::dropFiles(w, {report, page}));
        QCOMPARE(entries(w), merge ? QStringList({report, page}) : QStringList{report});
        QVERIFY(ui_->dialogs.messages.isEmpty());
    }

    void closingTheSplitWindowAlone() {
        WorkingWindows windows(office_);
        windows.showSplit();
        QVERIFY(windows.split()->close());
        QStringList expected = SplitKeys;
        expected << "StartForm";
        expected.sort();
        QCOMPARE(ui_->settings.keys(), expected);
        QCOMPARE(ui_->settings.value("StartForm"), QStringLiteral("0"));
        QCOMPARE(ui_->settings.value("OptNewDocName"), QStringLiteral("1"));
        QCOMPARE(ui_->settings.value("txtPages"), QString());
        QVERIFY(!windows.unite());
    }

    void closingEitherClosesTheOther_data() {
        QTest::addColumn<bool>("closeSplit");
        QTest::addColumn<bool>("backToSplit");
        QTest::addColumn<QString>("startForm");
        QTest::newRow("merge window closed") << false << false << "1";
        QTest::newRow("back to split, split closed") << true << true << "0";
    }
    void closingEitherClosesTheOther() {
        QFETCH(bool, closeSplit);
        QFETCH(bool, backToSplit);
        QFETCH(QString, startForm);
        WorkingWindows windows(office_);
        windows.showSplit();
        chooseFunction(*windows.split(), 1);
        control<QCheckBox>(*windows.unite(), "ChkPageBreak")->setChecked(true);
        if (backToSplit) chooseFunction(*windows.unite(), 0);
        QWidget* closed = closeSplit ? static_cast<QWidget*>(windows.split()) : windows.unite();
        QVERIFY(closed->close());
        QVERIFY(windows.split()->isClosing());
        QVERIFY(windows.unite()->isClosing());
        QVERIFY(!windows.visibleWindow());
        QStringList expected = SplitKeys;
        expected << "ChkPageBreak"
                 << "StartForm";
        expected.sort();
        QCOMPARE(ui_->settings.keys(), expected);
        QCOMPARE(ui_->settings.value("ChkPageBreak"), QStringLiteral("1"));
        // The window the user closed wrote StartForm last.
        QCOMPARE(ui_->settings.value("StartForm"), startForm);
    }

    void optionsSurviveRestarts() {
        {  // First run: split options changed, then closed in the merge window.
            WorkingWindows windows(office_);
            QVERIFY(MdlMain(windows, office_));
            frmSplit& split = *windows.split();
            control<QLineEdit>(split, "txtNewDocs")->setText("6");
            control<QComboBox>(split, "CmbNewNameMaskLength")->setCurrentIndex(5);
            control<QRadioButton>(split, "OptNewDocName0")->click();
            control<QRadioButton>(split, "OptOutDir1")->click();
            control<QLineEdit>(split, "txtOutDir")->setText("/not/kept");
            control<QLineEdit>(split, "txtFirstWords")->setText("9");
            chooseFunction(split, 1);
            control<QCheckBox>(*windows.unite(), "ChkPageBreak")->setChecked(true);
            control<QLineEdit>(*windows.unite(), "txtUnitedFile")->setText("/not/kept.docx");
            QVERIFY(windows.unite()->close());
        }
        {  // Second run opens in the merge window; the split window restores its options.
            WorkingWindows windows(office_);
            QVERIFY(MdlMain(windows, office_));
            QVERIFY(windows.unite());
            QVERIFY(!windows.split());
            QCOMPARE(windows.visibleWindow(), windows.unite());
            QVERIFY(control<QCheckBox>(*windows.unite(), "ChkPageBreak")->isChecked());
            QVERIFY(control<QLineEdit>(*windows.unite(), "txtUnitedFile")->text().isEmpty());
            chooseFunction(*windows.unite(), 0);
            frmSplit& split = *windows.split();
            QCOMPARE(control<QLineEdit>(split, "txtNewDocs")->text(), QStringLiteral("6"));
            QCOMPARE(control<QComboBox>(split, "CmbNewNameMaskLength")->currentText(), "7");
            QVERIFY(control<QRadioButton>(split, "OptNewDocName0")->isChecked());
            QVERIFY(control<QLineEdit>(split, "txtOutDir")->text().isEmpty());
            QCOMPARE(control<QLineEdit>(split, "txtFirstWords")->text(), QStringLiteral("20"));
            control<QCheckBox>(*windows.unite(), "ChkPageBreak")->setChecked(false);
            QVERIFY(split.close());
        }
        {  // Third run: back in the split window, and the merge window's change was kept.
            WorkingWindows windows(office_);
            QVERIFY(MdlMain(windows, office_));
            QCOMPARE(windows.visibleWindow(), windows.split());
            QVERIFY(!windows.unite());
            QVERIFY(control<QRadioButton>(*windows.split(), "OptNewDocName0")->isChecked());
            chooseFunction(*windows.split(), 1);
            QVERIFY(!control<QCheckBox>(*windows.unite(), "ChkPageBreak")->isChecked());
        }
    }
};

QTEST_MAIN(WorkingWindowsTest)
#include "tst_workingwindows.moc"
