#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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
    std::unique_ptr<test::WindowCase> ui_;
    std::unique_ptr<test::FakeOffice> office_;
    std::unique_ptr<frmUnite> window_;

    template <class T>
    T* c(const char* name) const {
        return control<T>(*window_, name);
    }

private slots:
    void init() {
        ui_ = std::make_unique<test::WindowCase>();
        QVERIFY(ui_->settings.isValid());
        office_ = std::make_unique<test::FakeOffice>(false);
        window_ = std::make_unique<frmUnite>(*office_);
    }
    void cleanup() {
        window_.reset();
        ui_.reset();
    }

    void firstRunState() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Pagewright - Word文档合并"));
        QCOMPARE(c<QComboBox>("CmbFunc")->currentIndex(), 1);
        QVERIFY(!c<QCheckBox>("ChkPageBreak")->isChecked());
        QVERIFY(c<QLineEdit>("txtUnitedFile")->text().isEmpty());
        QCOMPARE(c<QListWidget>("LstFiles")->count(), 0);
        auto* cmdFile = c<QButtonGroup>("CmdFile");
        QCOMPARE(cmdFile->buttons().size(), 6);
        for (QAbstractButton* b : cmdFile->buttons()) {
            QCOMPARE(b->objectName(), QStringLiteral("CmdFile") + QString::number(cmdFile->id(b)));
        }
        QCOMPARE(window_->minimumSize(), window_->maximumSize());
        QCOMPARE(ui_->settings.keys(), QStringList());
    }

    void targetFileDialog() {
        ui_->dialogs.saveFileAnswers << QStringLiteral("/docs/all.docx");
        c<QPushButton>("CmdUnitedFile")->click();
        QCOMPARE(c<QLineEdit>("txtUnitedFile")->text(), QStringLiteral("/docs/all.docx"));
        QCOMPARE(ui_->dialogs.saveFileRequests.size(), 1);
        QCOMPARE(ui_->dialogs.saveFileRequests[0].title, QString());
        QCOMPARE(ui_->dialogs.saveFileRequests[0].filter,
                 QStringLiteral("合并到新文档(*.doc;*.docx) (*.doc *.docx)"));
        QCOMPARE(ui_->dialogs.parents.last().data(), window_.get());
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
        QCOMPARE(ui_->dialogs.messages.size(), 1);
        QCOMPARE(ui_->dialogs.messages[0].text,
                 QStringLiteral("请添加需要合并到同一个文档的多个文件！"));
        QCOMPARE(ui_->dialogs.messages[0].icon, MessageIcon::Information);
        QCOMPARE(office_->state().count("create"), 0);
        // A missing target name: the message, then the target-file dialog.
        c<QListWidget>("LstFiles")->findChild<DocumentList*>()->append({"/x.docx"});
        ui_->dialogs.saveFileAnswers << QStringLiteral("/chosen.docx");
        QVERIFY(test::pressCmdOp(*window_));
        QCOMPARE(ui_->dialogs.messages.size(), 2);
        QCOMPARE(ui_->dialogs.messages[1].text, QStringLiteral("请输入要合成的目标文档名！"));
        QCOMPARE(c<QLineEdit>("txtUnitedFile")->text(), QStringLiteral("/chosen.docx"));
        QCOMPARE(office_->state().count("create"), 0);
        QVERIFY(c<QPushButton>("CmdOp")->isEnabled());
        QVERIFY(c<QCheckBox>("ChkPageBreak")->isEnabled());
    }
};

QTEST_MAIN(UniteWindowTest)
#include "tst_unitewindow.moc"
