#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QtTest>

#include "doclist/documentlist.h"
#include "shell/dialogs.h"
#include "tests/doclist/listwindow.h"
#include "tests/shell/fakedialogs.h"

using namespace pw;
using pw::test::FakeDialogs;
using pw::test::ListWindow;

namespace {

const QStringList Five{"/d/1.doc", "/d/2.doc", "/d/3.doc", "/d/4.doc", "/d/5.doc"};

// Answers FrmPath with a folder and the tick, then OK.
std::function<void(QDialog&)> chooseFolder(const QString& folder, bool subfolders) {
    return [=](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("txtFolder")->setText(folder);
        dialog.findChild<QCheckBox*>("ChkSubdir")->setChecked(subfolders);
        dialog.findChild<QPushButton*>("CmdOK")->click();
    };
}

}  // namespace

class DocumentListTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakeDialogs> fake_;
    std::unique_ptr<ScopedDialogs> use_;

private slots:
    void init() {
        fake_ = std::make_unique<FakeDialogs>();
        use_ = std::make_unique<ScopedDialogs>(*fake_);
    }
    void cleanup() {
        use_.reset();
        fake_.reset();
    }

    void addOneFile() {
        ListWindow w(DocumentListKind::Split);
        fake_->openFilesAnswers << QStringList{"/home/u/Report.docx"};
        QTest::mouseClick(w.button(0), Qt::LeftButton);
        QCOMPARE(w.entries(), QStringList({"/home/u/Report.docx"}));
        QCOMPARE(fake_->openFilesRequests.size(), 1);
        QCOMPARE(fake_->openFilesRequests[0].title, QString("新增"));
        QCOMPARE(fake_->openFilesRequests[0].filter,
                 QString("Word文档(*.doc;*.docx) (*.doc *.docx)"));
        QCOMPARE(fake_->parents.value(0).data(), &w.window);
        // Duplicates and other types are added; a cancel adds nothing.
        fake_->openFilesAnswers << QStringList{"/home/u/Report.docx", "/d/n.txt"};
        w.files->CmdFileClick(0);
        w.files->CmdFileClick(0);
        QCOMPARE(w.entries(),
                 QStringList({"/home/u/Report.docx", "/home/u/Report.docx", "/d/n.txt"}));
        QVERIFY(fake_->messages.isEmpty());
    }

    // In the dialog's order, each path as the dialog gave it: one separator also at the root.
    void addSeveralFilesOfOneFolder() {
        ListWindow w(DocumentListKind::Merge);
        w.fill({"/first.doc"});
        w.select(0);
        fake_->openFilesAnswers << QStringList{"/d/a/c.doc", "/d/a/a.docx", "/d/a/b.doc"}
                                << QStringList{"/x.doc", "/y.doc"};
        w.files->CmdFileClick(0);
        w.files->CmdFileClick(0);
        QCOMPARE(w.entries(), QStringList({"/first.doc", "/d/a/c.doc", "/d/a/a.docx", "/d/a/b.doc",
                                           "/x.doc", "/y.doc"}));
        QCOMPARE(w.selectedRow(), 0);  // adding keeps the selection
    }

    void remove() {
        ListWindow w(DocumentListKind::Split);
        w.fill(Five);
        QTest::mouseClick(w.button(2), Qt::LeftButton);  // nothing selected
        QCOMPARE(w.entries(), Five);
        w.select(1);
        QTest::mouseClick(w.button(2), Qt::LeftButton);
        QCOMPARE(w.entries(), QStringList({"/d/1.doc", "/d/3.doc", "/d/4.doc", "/d/5.doc"}));
        QCOMPARE(w.selectedRow(), -1);
        QCOMPARE(w.list->currentRow(), -1);
        QTest::mouseClick(w.button(2), Qt::LeftButton);  // a second press does nothing
        QCOMPARE(w.entries().size(), 4);
        w.select(3);
        w.files->CmdFileClick(2);
        QCOMPARE(w.entries(), QStringList({"/d/1.doc", "/d/3.doc", "/d/4.doc"}));
        w.select(0);
        QTest::keyClick(w.list, Qt::Key_Delete);  // the key does what the button does
        QCOMPARE(w.entries(), QStringList({"/d/3.doc", "/d/4.doc"}));
        w.files->append({"/d/a long path.doc"});
        QCOMPARE(w.list->item(2)->toolTip(), QString("/d/a long path.doc"));  // shown whole
    }

    void clear() {
        ListWindow w(DocumentListKind::Merge);
        w.files->CmdFileClick(3);  // empty: no question
        QVERIFY(fake_->questions.isEmpty());

        w.fill(Five);
        w.select(2);
        fake_->yesNoAnswers << false << true;
        QTest::mouseClick(w.button(3), Qt::LeftButton);
        QCOMPARE(w.entries(), Five);
        QCOMPARE(fake_->questions.size(), 1);
        QCOMPARE(fake_->questions[0].text, QString("确定要清空处理列表吗？"));
        QCOMPARE(fake_->questions[0].defaultNo, true);  // Enter keeps the list
        QTest::mouseClick(w.button(3), Qt::LeftButton);
        QCOMPARE(w.entries(), QStringList());
        QCOMPARE(w.list->currentRow(), -1);
    }

    void moves() {
        ListWindow w(DocumentListKind::Merge);
        w.fill(Five);
        w.files->CmdFileClick(4);  // nothing selected: nothing moves
        w.files->CmdFileClick(5);
        QCOMPARE(w.entries(), Five);
        w.select(0);
        QTest::mouseClick(w.button(4), Qt::LeftButton);  // the first does not go up
        QCOMPARE(w.entries(), Five);
        QCOMPARE(w.selectedRow(), 0);
        w.select(4);
        QTest::mouseClick(w.button(5), Qt::LeftButton);  // the last does not go down
        QCOMPARE(w.entries(), Five);
        QCOMPARE(w.selectedRow(), 4);

        w.select(2);
        QTest::mouseClick(w.button(4), Qt::LeftButton);  // the third becomes the second
        QCOMPARE(w.entries(),
                 QStringList({"/d/1.doc", "/d/3.doc", "/d/2.doc", "/d/4.doc", "/d/5.doc"}));
        QCOMPARE(w.selectedRow(), 1);
        QCOMPARE(w.list->currentRow(), 1);
        QTest::mouseClick(w.button(5), Qt::LeftButton);
        QTest::mouseClick(w.button(5), Qt::LeftButton);
        QCOMPARE(w.entries(),
                 QStringList({"/d/1.doc", "/d/2.doc", "/d/4.doc", "/d/3.doc", "/d/5.doc"}));
        QCOMPARE(w.selectedRow(), 3);
    }

    void splitListHasNoMoves() {
        ListWindow w(DocumentListKind::Split);
        w.fill(Five);
        w.select(2);
        w.files->CmdFileClick(4);
        w.files->CmdFileClick(5);
        w.files->CmdFileClick(6);
        w.files->CmdFileClick(-1);
        QCOMPARE(w.entries(), Five);
        QCOMPARE(w.selectedRow(), 2);
    }

    void capacity() {
        ListWindow w(DocumentListKind::Merge);
        QStringList many;
        for (int i = 0; i < DocumentList::Capacity - 2; ++i) many << QString("/m/%1.doc").arg(i);
        QCOMPARE(w.files->append(many), DocumentList::Capacity - 2);
        QVERIFY(fake_->messages.isEmpty());
        fake_->openFilesAnswers << QStringList{"/a.doc", "/b.doc", "/c.doc", "/d.doc", "/e.doc"};
        w.files->CmdFileClick(0);
        QCOMPARE(w.files->count(), DocumentList::Capacity);
        QCOMPARE(w.entries().last(), QString("/b.doc"));
        QCOMPARE(fake_->messages.size(), 1);
        QVERIFY(fake_->messages[0].text.contains("32767"));
        QVERIFY(fake_->messages[0].text.contains("3个文件未能加入"));
        QCOMPARE(fake_->messages[0].icon, MessageIcon::Information);
        QCOMPARE(w.files->append({"/f.doc"}), 0);
        QCOMPARE(fake_->messages.size(), 2);
        QVERIFY(fake_->messages[1].text.contains("1个文件未能加入"));
    }

    // The scan runs under the busy pointer and gets the folder with its separator.
    void busyPointerAroundTheScan() {
        ListWindow w(DocumentListKind::Merge);
        QStringList calls;
        w.files->setFolderScanner([&](QStringList& found, const QString& folder, bool sub) {
            const QCursor* cursor = QApplication::overrideCursor();
            calls << QString("%1 %2 %3").arg(folder).arg(sub).arg(cursor ? cursor->shape() : -1);
            found << folder + "x.doc";
        });
        fake_->onModal = chooseFolder(" /some where", true);
        w.files->CmdFileClick(1);
        QCOMPARE(calls, QStringList({QString(" /some where/ 1 %1").arg(Qt::WaitCursor)}));
        QCOMPARE(w.entries(), QStringList({" /some where/x.doc"}));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void blankFolderTextNeverScans() {
        ListWindow w(DocumentListKind::Split);
        int scans = 0;
        w.files->setFolderScanner([&](QStringList&, const QString&, bool) { ++scans; });
        fake_->onModal = chooseFolder("   ", true);
        w.files->CmdFileClick(1);
        fake_->onModal = nullptr;  // the close box
        w.files->CmdFileClick(1);
        QCOMPARE(fake_->modalWindows.size(), 2);
        QCOMPARE(scans, 0);
        QCOMPARE(w.entries(), QStringList());
    }

    void missingFolderAddsNothingQuietly() {
        ListWindow w(DocumentListKind::Split);
        fake_->onModal = chooseFolder("/no/such/folder", true);
        w.files->CmdFileClick(1);
        QCOMPARE(w.entries(), QStringList());
        QVERIFY(fake_->messages.isEmpty());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void folderPastCapacityIsToldAfterThePointer() {
        ListWindow w(DocumentListKind::Split);
        QStringList many;
        for (int i = 0; i < DocumentList::Capacity; ++i) many << QString("/m/%1.doc").arg(i);
        w.files->append(many);
        w.files->setFolderScanner([](QStringList& found, const QString&, bool) {
            found << "/a.doc"
                  << "/b.doc";
        });
        fake_->onModal = chooseFolder("/x", false);
        w.files->CmdFileClick(1);
        QCOMPARE(fake_->messages.size(), 1);
        QVERIFY(fake_->messages[0].text.contains("2个文件未能加入"));
        QVERIFY(!fake_->messages[0].overrideCursor);
    }
};

QTEST_MAIN(DocumentListTest)
#include "tst_documentlist.moc"
