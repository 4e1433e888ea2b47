#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "doclist/clsgetpath.h"
#include "doclist/frmpath.h"
#include "shell/dialogs.h"
#include "tests/doclist/listwindow.h"
#include "tests/shell/fakedialogs.h"

using namespace pw;
using pw::test::FakeDialogs;
using pw::test::ListWindow;

namespace {

QLineEdit* txtFolder(QDialog& d) {
    return d.findChild<QLineEdit*>("txtFolder");
}
QCheckBox* chkSubdir(QDialog& d) {
    return d.findChild<QCheckBox*>("ChkSubdir");
}
QPushButton* button(QDialog& d, const char* name) {
    return d.findChild<QPushButton*>(name);
}

}  // namespace

class FrmPathTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakeDialogs> fake_;
    std::unique_ptr<ScopedDialogs> use_;
    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        for (const char* name : {"top.doc", "sub/deep.docx"}) {
            const QString path = dir_.filePath(name);
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
    void init() {
        fake_ = std::make_unique<FakeDialogs>();
        use_ = std::make_unique<ScopedDialogs>(*fake_);
        FrmPath::instance().reject();  // every case starts from a fresh window
        fake_->parents.clear();
    }
    void cleanup() {
        use_.reset();
        fake_.reset();
    }

    void oneFixedWindow() {
        FrmPath& w = FrmPath::instance();
        QCOMPARE(&FrmPath::instance(), &w);
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(!button(w, "CmdFolder")->icon().isNull());
    }

    // OK on one window's list; the other window's list finds the same folder and tick.
    void okKeepsStateAcrossBothWindows() {
        ListWindow split(DocumentListKind::Split);
        ListWindow merge(DocumentListKind::Merge);
        fake_->onModal = [&](QDialog& d) {
            txtFolder(d)->setText(dir_.path());
            chkSubdir(d)->setChecked(true);
            button(d, "CmdOK")->click();
        };
        split.files->CmdFileClick(1);
        QCOMPARE(split.entries().size(), 2);

        QString shownFolder;
        bool shownTick = false;
        fake_->onModal = [&](QDialog& d) {
            shownFolder = txtFolder(d)->text();
            shownTick = chkSubdir(d)->isChecked();
            button(d, "CmdOK")->click();
        };
        merge.files->CmdFileClick(1);
        QCOMPARE(shownFolder, dir_.path());
        QVERIFY(shownTick);
        QCOMPARE(merge.entries(), split.entries());
        QCOMPARE(fake_->modalWindows, QStringList({"FrmPath", "FrmPath"}));
    }

    void cancelAndCloseBoxStartFresh_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("cancel") << false;
        QTest::newRow("close box") << true;
    }
    void cancelAndCloseBoxStartFresh() {
        QFETCH(bool, closeBox);
        ListWindow w(DocumentListKind::Merge);
        fake_->onModal = [&](QDialog& d) {
            txtFolder(d)->setText(dir_.path());
            chkSubdir(d)->setChecked(true);
            if (closeBox) {
                d.close();
            } else {
                button(d, "CmdCancel")->click();
            }
        };
        w.files->CmdFileClick(1);
        QCOMPARE(w.entries(), QStringList());

        QString shownFolder = "unset";
        bool shownTick = true;
        fake_->onModal = [&](QDialog& d) {
            shownFolder = txtFolder(d)->text();
            shownTick = chkSubdir(d)->isChecked();
            d.reject();
        };
        w.files->CmdFileClick(1);
        QCOMPARE(shownFolder, QString());
        QVERIFY(!shownTick);
    }

    void browseFillsTheFolderAndCancelEmptiesIt() {
        ListWindow w(DocumentListKind::Split);
        QStringList shown;
        fake_->directoryAnswers << dir_.path();  // then a cancel
        fake_->onModal = [&](QDialog& d) {
            txtFolder(d)->setText("/typed");
            button(d, "CmdFolder")->click();
            shown << txtFolder(d)->text();
            button(d, "CmdFolder")->click();
            shown << txtFolder(d)->text();
            button(d, "CmdFolder")->click();  // the fake cancels again
            shown << txtFolder(d)->text();
            txtFolder(d)->setText(dir_.path());
            button(d, "CmdOK")->click();
        };
        w.files->CmdFileClick(1);
        QCOMPARE(shown, QStringList({dir_.path(), "", ""}));
        QCOMPARE(fake_->directoryPrompts, QStringList(3, "请选择一个文件夹"));
        QCOMPARE(fake_->parents.value(1).data(), &FrmPath::instance());  // the browser's owner
        QCOMPARE(w.entries(), QStringList({dir_.path() + "/top.doc"}));  // no tick: own files
    }

    void getPathPrompt() {
        QWidget owner;
        clsGetPath browser;
        browser.setHwnd(&owner);
        browser.setFolder("/before");
        browser.setFlags(0);
        browser.GetFolder();
        QCOMPARE(fake_->directoryPrompts, QStringList({"Select a Folder..."}));
        QCOMPARE(browser.Folder(), QString());  // cancelled
        QCOMPARE(fake_->parents.value(0).data(), &owner);

        fake_->directoryAnswers << "/chosen";
        browser.setCaption("Pick");
        browser.GetFolder();
        QCOMPARE(fake_->directoryPrompts.last(), QString("Pick"));
        QCOMPARE(browser.Folder(), QString("/chosen"));

        fake_->directoryAnswers << "/out";
        QCOMPARE(BrowseForFolder(&owner, "/typed"), QString("/out"));
        QCOMPARE(fake_->directoryPrompts.last(), QString("请选择一个文件夹"));
        QCOMPARE(fake_->directoryStarts.last(), QString("/typed"));  // opens where the box points
    }

    // The hidden window does not keep the program running once the working window closes.
    void hiddenWindowDoesNotKeepTheProgram() {
        ListWindow w(DocumentListKind::Split);
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        fake_->onModal = [&](QDialog& d) {
            txtFolder(d)->setText("/x");
            button(d, "CmdOK")->click();
        };
        w.files->CmdFileClick(1);
        QVERIFY(!FrmPath::instance().isVisible());
        // The program's end is seen only in its event loop; the watchdog fails a hang.
        QTimer::singleShot(0, &w.window, &QWidget::close);
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }
};

QTEST_MAIN(FrmPathTest)
#include "tst_frmpath.moc"
