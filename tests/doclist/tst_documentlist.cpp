#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
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

std::unique_ptr<QMimeData> fileList(const QStringList& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    return data;
}

// Delivers a drop the way the platform does: enter, then drop, on the list's viewport. Qt hands
// the drop to the widget that accepted the enter.
bool drop(ListWindow& w, const QMimeData& data, QWidget* target = nullptr) {
    if (!target) target = w.list->viewport();
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent dropEvent(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                         Qt::NoModifier);
    QApplication::sendEvent(target, &dropEvent);
    if (enter.isAccepted() != dropEvent.isAccepted()) return false;
    // The effect stays as proposed.
    return !dropEvent.isAccepted() || dropEvent.dropAction() == dropEvent.proposedAction();
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

    // A blank folder text or the close box never scans; a missing folder adds nothing, quietly.
    void folderChoicesThatAddNothing_data() {
        QTest::addColumn<QString>("folder");  // empty: the close box
        QTest::newRow("blank") << "   ";
        QTest::newRow("close box") << QString();
        QTest::newRow("missing") << "/no/such/folder";
    }
    void folderChoicesThatAddNothing() {
        QFETCH(QString, folder);
        ListWindow w(DocumentListKind::Split);
        int scans = 0;
        if (!folder.startsWith("/no/"))  // the missing folder is scanned for real
            w.files->setFolderScanner([&](QStringList&, const QString&, bool) { ++scans; });
        if (!folder.isEmpty()) fake_->onModal = chooseFolder(folder, true);
        w.files->CmdFileClick(1);
        QCOMPARE(fake_->modalWindows.size(), 1);
        QCOMPARE(scans, 0);
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

    void keptTypesPerList_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<QStringList>("kept");
        const QStringList example{"/d/report.DOCX", "/d/notes.Rtf", "/d/page.html"};
        const int split = int(DocumentListKind::Split);
        const int merge = int(DocumentListKind::Merge);
        QTest::newRow("example on split") << split << example << example.mid(0, 2);
        QTest::newRow("example on merge") << merge << example << example;
        const QStringList others{"/d/a.txt", "/d/b.HTM", "/d/c.doc", "/d/d.TXT"};
        QTest::newRow("web and text on split") << split << others << QStringList{"/d/c.doc"};
        QTest::newRow("web and text on merge") << merge << others << others;
        const QStringList refused{"/d/a.doc.bak", "/d/a.docm", "/d/doc", "/d/a.rtf.txt.old",
                                  "/d/a.xhtml5"};
        QTest::newRow("look-alikes on split") << split << refused << QStringList();
        QTest::newRow("look-alikes on merge") << merge << refused << QStringList();
        QTest::newRow("repeated file")
            << merge << QStringList(2, "/d/a.doc") << QStringList(2, "/d/a.doc");
        QTest::newRow("mixed, in order")
            << merge << QStringList{"/d/3.txt", "/d/skip.exe", "/d/1.doc", "/d/2.htm"}
            << QStringList{"/d/3.txt", "/d/1.doc", "/d/2.htm"};
        // No existence test: the path is kept as delivered.
        QTest::newRow("missing file")
            << split << QStringList{"/nowhere/x.doc"} << QStringList{"/nowhere/x.doc"};
    }
    void keptTypesPerList() {
        QFETCH(int, kind);
        QFETCH(QStringList, dropped);
        QFETCH(QStringList, kept);
        ListWindow w(static_cast<DocumentListKind>(kind));
        w.fill({"/already.doc"});
        w.select(0);
        QVERIFY(drop(w, *fileList(dropped)));
        QCOMPARE(w.entries(), QStringList{"/already.doc"} + kept);
        QCOMPARE(w.selectedRow(), 0);
        QVERIFY(fake_->messages.isEmpty());  // a drop never talks
    }

    void foldersAreIgnored() {
        QTemporaryDir dir;
        const QString folder = dir.filePath("docs");
        const QString named = dir.filePath("named.doc");
        QDir().mkpath(folder);
        QDir().mkpath(named);
        QFile inside(folder + "/inside.doc");
        QVERIFY(inside.open(QIODevice::WriteOnly));
        for (const auto kind : {DocumentListKind::Split, DocumentListKind::Merge}) {
            ListWindow w(kind);
            QVERIFY(drop(w, *fileList({folder, named, folder + "/"})));
            QCOMPARE(w.entries(), QStringList());
        }
    }

    void dataWithoutFilesIsIgnored() {
        ListWindow w(DocumentListKind::Merge);
        QMimeData text;
        text.setText("/d/a.doc");
        QMimeData image;
        image.setImageData(QImage(4, 4, QImage::Format_RGB32));
        QMimeData web;
        web.setUrls({QUrl("https://example.org/a.doc")});
        QVERIFY(drop(w, text));
        QVERIFY(drop(w, image));
        QVERIFY(drop(w, web));
        QCOMPARE(w.entries(), QStringList());
        // The pointer refuses data without a file list.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.list->viewport(), &enter);
        QVERIFY(!enter.isAccepted());
    }

    // Drops delivered to the list itself (not its viewport) land the same way.
    void dropOnTheListWidget() {
        ListWindow w(DocumentListKind::Split);
        QVERIFY(drop(w, *fileList({"/d/a.doc"}), w.list));
        QCOMPARE(w.entries(), QStringList({"/d/a.doc"}));
    }

    void fullListTellsHowManyWereLeftOut() {
        ListWindow w(DocumentListKind::Split);
        QStringList many;
        for (int i = 0; i < DocumentList::Capacity - 1; ++i) many << QString("/m/%1.doc").arg(i);
        w.files->append(many);
        QVERIFY(drop(w, *fileList({"/d/a.doc", "/d/b.doc", "/d/c.txt", "/d/d.rtf"})));
        QCOMPARE(w.files->count(), DocumentList::Capacity);
        QCOMPARE(w.entries().last(), QString("/d/a.doc"));
        QCOMPARE(fake_->messages.size(), 1);
        QVERIFY(fake_->messages[0].text.contains("2个文件未能加入"));
    }
};

QTEST_MAIN(DocumentListTest)
#include "tst_documentlist.moc"
