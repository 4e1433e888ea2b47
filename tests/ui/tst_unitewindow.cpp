#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "doclist/documentlist.h"
#include "merge/window/frmunite.h"
#include "shell/dialogs.h"
#include "tests/shell/fakedialogs.h"
#include "tests/ui/uitestsupport.h"

using namespace pw;
using pw::test::control;

class UniteWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::IsolatedSettings> settings_;
    std::unique_ptr<test::FakeDialogs> dialogs_;
    std::unique_ptr<ScopedDialogs> useDialogs_;
    std::unique_ptr<test::FakeOffice> office_;
    std::unique_ptr<frmUnite> window_;

    template <class T>
    T* c(const char* name) const {
        return control<T>(*window_, name);
    }

private slots:
    void init() {
        settings_ = std::make_unique<test::IsolatedSettings>();
        QVERIFY(settings_->isValid());
        dialogs_ = std::make_unique<test::FakeDialogs>();
        useDialogs_ = std::make_unique<ScopedDialogs>(*dialogs_);
        office_ = std::make_unique<test::FakeOffice>(false);
        window_ = std::make_unique<frmUnite>(*office_);
    }
    void cleanup() {
        window_.reset();
        useDialogs_.reset();
    }

    void firstRunState() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Pagewright - Word文档合并"));
        QCOMPARE(c<QComboBox>("CmbFunc")->currentIndex(), 1);
        QCOMPARE(c<QComboBox>("CmbFunc")->currentText(), QStringLiteral("Word文档合并"));
        QVERIFY(!c<QCheckBox>("ChkPageBreak")->isChecked());
        QVERIFY(c<QLineEdit>("txtUnitedFile")->text().isEmpty());
        QCOMPARE(c<QListWidget>("LstFiles")->count(), 0);
        QCOMPARE(c<QGroupBox>("FrameTop")->title(), QStringLiteral("待合并文件"));
        QCOMPARE(c<QPushButton>("CmdOp")->text(), QStringLiteral("合并"));
        auto* cmdFile = c<QButtonGroup>("CmdFile");
        QCOMPARE(cmdFile->buttons().size(), 6);
        for (QAbstractButton* b : cmdFile->buttons()) {
            QCOMPARE(b->objectName(), QStringLiteral("CmdFile") + QString::number(cmdFile->id(b)));
        }
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QCOMPARE(settings_->keys(), QStringList());
    }

    // The reading rules are the settings' own; the window ticks what they read.
    void storedPageBreak() {
        settings_->put("ChkPageBreak", "1");
        frmUnite restored(*office_);
        QVERIFY(control<QCheckBox>(restored, "ChkPageBreak")->isChecked());
    }

    void targetFileDialog() {
        dialogs_->saveFileAnswers << QStringLiteral("/docs/all.docx");
        c<QPushButton>("CmdUnitedFile")->click();
        QCOMPARE(c<QLineEdit>("txtUnitedFile")->text(), QStringLiteral("/docs/all.docx"));
        QCOMPARE(dialogs_->saveFileRequests.size(), 1);
        QCOMPARE(dialogs_->saveFileRequests[0].title, QString());
        QCOMPARE(dialogs_->saveFileRequests[0].filter,
                 QStringLiteral("合并到新文档(*.doc;*.docx) (*.doc *.docx)"));
        QCOMPARE(dialogs_->parents.last().data(), window_.get());
        // A cancelled dialog empties the box, even when it held a name.
        c<QPushButton>("CmdUnitedFile")->click();
        QCOMPARE(c<QLineEdit>("txtUnitedFile")->text(), QString());
    }

    void requestTakesTheControls() {
        c<QListWidget>("LstFiles")->findChild<DocumentList*>()->append({"/b.doc", "/a.docx"});
        c<QLineEdit>("txtUnitedFile")->setText(QStringLiteral(" /t.docx"));
        c<QCheckBox>("ChkPageBreak")->setChecked(true);
        const merge::MergeRequest r = window_->request();
        QCOMPARE(r.documents, QStringList({"/b.doc", "/a.docx"}));
        QCOMPARE(r.targetText, QStringLiteral(" /t.docx"));
        QVERIFY(r.pageBreaks);
    }

    void cmdOpRunsTheMerge() {
        QVERIFY(test::pressCmdOp(*window_));
        QCOMPARE(dialogs_->messages.size(), 1);
        QCOMPARE(dialogs_->messages[0].text,
                 QStringLiteral("请添加需要合并到同一个文档的多个文件！"));
        QCOMPARE(dialogs_->messages[0].icon, MessageIcon::Information);
        QCOMPARE(office_->state().count("create"), 0);
        // A missing target name: the message, then the target-file dialog.
        c<QListWidget>("LstFiles")->findChild<DocumentList*>()->append({"/x.docx"});
        dialogs_->saveFileAnswers << QStringLiteral("/chosen.docx");
        QVERIFY(test::pressCmdOp(*window_));
        QCOMPARE(dialogs_->messages.size(), 2);
        QCOMPARE(dialogs_->messages[1].text, QStringLiteral("请输入要合成的目标文档名！"));
        QCOMPARE(c<QLineEdit>("txtUnitedFile")->text(), QStringLiteral("/chosen.docx"));
        QCOMPARE(office_->state().count("create"), 0);
        QVERIFY(c<QPushButton>("CmdOp")->isEnabled());
        QVERIFY(c<QCheckBox>("ChkPageBreak")->isEnabled());
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

    void cmbFuncAsksForTheSplitWindow() {
        QSignalSpy spy(window_.get(), &frmUnite::splitWindowRequested);
        auto* combo = c<QComboBox>("CmbFunc");
        emit combo->activated(1);
        QCOMPARE(spy.count(), 0);
        QTest::keyClick(combo, Qt::Key_Up);
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_MAIN(UniteWindowTest)
#include "tst_unitewindow.moc"
