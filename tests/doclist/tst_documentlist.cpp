// The list of documents in a working window: its buttons, drops and limit, and the folder window
// (FrmPath) that adds a folder's documents.

#include "doclist/documentlist.h"
#include "doclist/frmpath.h"
#include "tests/shell/fakedialogs.h"

using namespace pw;
using test::control;
using test::dropFiles;

namespace {

const QStringList Five{"/d/1.doc", "/d/2.doc", "/d/3.doc", "/d/4.doc", "/d/5.doc"};

// A stand-in for a working window: LstFiles and the CmdFile buttons, as a .ui places them.
struct ListWindow {
    explicit ListWindow(DocumentListKind kind, const QStringList& entries = {}, int row = -1) {
        list = new QListWidget(&window);
        auto* group = new QButtonGroup(&window);
        // Added out of order: the ids come from the names.
        for (int i = kind == DocumentListKind::Merge ? 5 : 3; i >= 0; --i) {
            auto* button = new QPushButton(&window);
            button->setObjectName(QString("CmdFile%1").arg(i));
            group->addButton(button);
        }
        files = new DocumentList(list, group, kind);
        list->addItems(entries);
        if (row >= 0) list->setCurrentRow(row);
    }
    void press(int index) {
        QTest::mouseClick(window.findChild<QPushButton*>(QString("CmdFile%1").arg(index)),
                          Qt::LeftButton);
    }
    QStringList entries() const { return files->entries(); }
    int selectedRow() const {
        const auto rows = list->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    QWidget window;
    QListWidget* list;
    DocumentList* files;
};

}  // namespace

class DocumentListTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowCase> ui_;
    QTemporaryDir dir_;  // top.doc, sub/deep.docx, and folders that look like documents

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        for (const char* name : {"top.doc", "sub/deep.docx", "named.doc/inside.doc"}) {
            QDir().mkpath(QFileInfo(dir_.filePath(name)).path());
            QFile file(dir_.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
    }
    void init() {
        ui_.reset();  // the dialogs' scope ends before the next begins
        ui_ = std::make_unique<test::WindowCase>();
        FrmPath::instance().reject();  // every case starts from a fresh folder window
    }

    // In the dialog's order, as the dialog gave them, duplicates and other types too; a cancel
    // adds nothing and adding keeps the selection.
    void addFiles() {
        ListWindow w(DocumentListKind::Merge, {"/first.doc"}, 0);
        ui_->dialogs.openFilesAnswers << QStringList{"/d/c.doc", "/d/a.docx", "/d/c.doc", "/n.txt"};
        w.press(0);
        w.press(0);
        QCOMPARE(w.entries(),
                 QStringList({"/first.doc", "/d/c.doc", "/d/a.docx", "/d/c.doc", "/n.txt"}));
        QCOMPARE(w.selectedRow(), 0);
        QCOMPARE(ui_->dialogs.openFilesFilters.value(0),
                 QString("Word文档(*.doc;*.docx) (*.doc *.docx)"));
        QCOMPARE(ui_->dialogs.parents.value(0).data(), &w.window);
    }

    // An empty list is cleared without a question; otherwise only after Yes, No the default.
    void clear() {
        ListWindow w(DocumentListKind::Merge);
        w.press(3);
        QVERIFY(ui_->dialogs.questions.isEmpty());
        w.files->append(Five);
        ui_->dialogs.yesNoAnswers << false << true;
        w.press(3);
        QCOMPARE(w.entries(), Five);
        QCOMPARE(ui_->dialogs.questions.size(), 1);
        QCOMPARE(ui_->dialogs.questions[0].text, QString("确定要清空处理列表吗？"));
        QVERIFY(ui_->dialogs.questions[0].defaultNo);
        w.press(3);
        QCOMPARE(w.entries(), QStringList());
    }

    // Up and down move the selected entry and the selection with it, never past the ends; the
    // split list has no moves. Remove (-2: the Delete key) takes the selected entry and leaves
    // nothing selected.
    void moves_data() {
        QTest::addColumn<bool>("merge");
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("buttons");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<int>("selected");
        using L = QList<int>;
        const L same{1, 2, 3, 4, 5};
        QTest::newRow("first up") << true << 0 << L{4} << same << 0;
        QTest::newRow("last down") << true << 4 << L{5} << same << 4;
        QTest::newRow("up, down, down") << true << 2 << L{4, 5, 5} << L{1, 2, 4, 3, 5} << 3;
        QTest::newRow("split") << false << 2 << L{4, 5, 6, -1} << same << 2;
        QTest::newRow("remove, remove") << true << 1 << L{2, 2} << L{1, 3, 4, 5} << -1;
        QTest::newRow("Delete key") << false << 1 << L{-2} << L{1, 3, 4, 5} << -1;
    }
    void moves() {
        QFETCH(bool, merge);
        QFETCH(int, row);
        QFETCH(QList<int>, buttons);
        QFETCH(QList<int>, order);
        ListWindow w(merge ? DocumentListKind::Merge : DocumentListKind::Split, Five, row);
        for (int b : buttons)
            b == -2 ? QTest::keyClick(w.list, Qt::Key_Delete) : w.files->CmdFileClick(b);
        QStringList expected;
        for (int k : order) expected << QString("/d/%1.doc").arg(k);
        QCOMPARE(w.entries(), expected);
        QTEST(w.selectedRow(), "selected");
        if (row >= 0) QTEST(w.list->currentRow(), "selected");
    }

    // Past the limit, the list is filled up and the user told how many were left out, after the
    // busy pointer the scan ran under is gone; by a folder, or by a drop, which counts only what it
    // would keep. The file dialog adds as a drop does.
    void capacity_data() {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<int>("room");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<QString>("last");
        QTest::addColumn<int>("leftOut");
        QTest::newRow("folder") << true << 0 << QStringList{"/a.doc", "/b.doc"} << "/m/32766.doc"
                                << 2;
        QTest::newRow("drop") << false << 1
                              << QStringList{"/d/a.doc", "/d/b.doc", "/d/c.txt", "/d/d.rtf"}
                              << "/d/a.doc" << 2;
    }
    void capacity() {
        QFETCH(bool, folder);
        QFETCH(int, room);
        QFETCH(QStringList, offered);
        ListWindow w(DocumentListKind::Split);
        QStringList full;
        for (int i = 0; i < DocumentList::Capacity - room; ++i) full << QString("/m/%1.doc").arg(i);
        QCOMPARE(w.files->append(full), full.size());
        bool busy = false;
        w.files->setFolderScanner([&](QStringList& found, const QString&, bool) {
            const QCursor* cursor = QApplication::overrideCursor();
            busy = cursor && cursor->shape() == Qt::WaitCursor;
            found << offered;
        });
        ui_->dialogs.onModal = [](QDialog& d) {
            control<QLineEdit>(d, "txtFolder")->setText("/x");
            control<QPushButton>(d, "CmdOK")->click();
        };
        if (folder)
            w.press(1);
        else
            QVERIFY(dropFiles(w.list->viewport(), offered));
        QCOMPARE(w.files->count(), DocumentList::Capacity);
        QTEST(w.entries().last(), "last");
        QFETCH(int, leftOut);
        QCOMPARE(ui_->dialogs.messages.size(), 1);
        QCOMPARE(ui_->dialogs.messages[0].text,
                 QString("处理列表最多只能容纳32767个文件，另有%1个文件未能加入！").arg(leftOut));
        QVERIFY(!ui_->dialogs.messages[0].overrideCursor);
        QCOMPARE(busy, folder);
    }

    // Each list keeps its own types from a drop, in order, as delivered, the whole path shown on
    // hover; folders are not documents, whatever their name.
    void drops_data() {
        QTest::addColumn<bool>("merge");
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<QStringList>("kept");
        const QStringList kept{"/d/report.DOCX", "/d/notes.Rtf", "/d/c.doc"},
            web{"/d/page.html", "/d/b.HTM", "/d/a.txt"},
            refused{"/d/a.doc.bak", "/d/a.docm", "/d/doc", "/d/a.rtf.txt.old", "/d/a.xhtml5"};
        QTest::newRow("split") << false << web + kept + refused << kept;
        QTest::newRow("merge") << true << web + refused + kept << web + kept;
        QTest::newRow("repeated, missing")
            << false << QStringList(2, "/nowhere/a.doc") << QStringList(2, "/nowhere/a.doc");
        const QString d = dir_.path();
        QTest::newRow("folders") << true << QStringList{d + "/sub", d + "/named.doc", d + "/sub/"}
                                 << QStringList();
    }
    void drops() {
        QFETCH(bool, merge);
        QFETCH(QStringList, dropped);
        QFETCH(QStringList, kept);
        ListWindow w(merge ? DocumentListKind::Merge : DocumentListKind::Split, {"/a.doc"}, 0);
        QVERIFY(dropFiles(w.list->viewport(), dropped));
        QCOMPARE(w.entries(), QStringList{"/a.doc"} + kept);
        if (!kept.isEmpty()) QCOMPARE(w.list->item(kept.size())->toolTip(), kept.last());
        QCOMPARE(w.selectedRow(), 0);
        QVERIFY(ui_->dialogs.messages.isEmpty());  // a drop never talks
    }

    // Text and web addresses are not files: nothing is added, and the pointer refuses
    // what has no address.
    void dataWithoutFilesIsRefused() {
        ListWindow w(DocumentListKind::Merge);
        QMimeData text, web;
        text.setText("/d/a.doc");
        web.setUrls({QUrl("https://example.org/a.doc")});
        for (const QMimeData* data : {&text, &web}) QVERIFY(test::drop(w.list->viewport(), *data));
        QCOMPARE(w.entries(), QStringList());
        QDragEnterEvent enter({5, 5}, Qt::CopyAction, &text, Qt::LeftButton, {});
        QApplication::sendEvent(w.list->viewport(), &enter);
        QVERIFY(!enter.isAccepted());
    }

    // A blank folder text or Cancel never scans nor talks; Cancel leaves the window fresh for
    // next time.
    void folderChoicesThatAddNothing_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("leave");
        QTest::newRow("blank") << "   "
                               << "CmdOK";
        QTest::newRow("cancel") << dir_.path() << "CmdCancel";
    }
    void folderChoicesThatAddNothing() {
        QFETCH(QString, folder);
        QFETCH(QString, leave);
        ListWindow w(DocumentListKind::Split);
        int scans = 0;
        w.files->setFolderScanner([&](QStringList&, const QString&, bool) { ++scans; });
        ui_->dialogs.onModal = [&](QDialog& d) {
            control<QLineEdit>(d, "txtFolder")->setText(folder);
            control<QCheckBox>(d, "ChkSubdir")->setChecked(true);
            control<QPushButton>(d, qPrintable(leave))->click();
        };
        w.press(1);
        QCOMPARE(scans, 0);
        QCOMPARE(w.entries(), QStringList());
        QVERIFY(ui_->dialogs.messages.isEmpty());
        if (leave == "CmdOK") return;
        ui_->dialogs.onModal = [&](QDialog& d) {
            QCOMPARE(control<QLineEdit>(d, "txtFolder")->text(), QString());
            QVERIFY(!control<QCheckBox>(d, "ChkSubdir")->isChecked());
        };
        w.press(1);
        QCOMPARE(ui_->dialogs.modalWindows, QStringList({"FrmPath", "FrmPath"}));
    }

    // The browse button fills the folder box, a cancel empties it; the browser opens over the
    // folder window with the program's prompt, where the box points. The other window's list
    // finds the same folder and tick; without the tick, only the folder's own files.
    void browseInTheFolderWindow() {
        ListWindow w(DocumentListKind::Split), merge(DocumentListKind::Merge);
        QStringList shown;
        ui_->dialogs.directoryAnswers << dir_.path();  // then a cancel
        ui_->dialogs.onModal = [&](QDialog& d) {
            QVERIFY(!control<QPushButton>(d, "CmdFolder")->icon().isNull());
            control<QLineEdit>(d, "txtFolder")->setText("/typed");
            for (int i = 0; i < 3; ++i) {
                control<QPushButton>(d, "CmdFolder")->click();
                shown << control<QLineEdit>(d, "txtFolder")->text();
            }
            control<QLineEdit>(d, "txtFolder")->setText(dir_.path());
            control<QCheckBox>(d, "ChkSubdir")->setChecked(true);
            control<QPushButton>(d, "CmdOK")->click();
        };
        w.press(1);
        QCOMPARE(shown, QStringList({dir_.path(), "", ""}));
        QCOMPARE(ui_->dialogs.directoryPrompts, QStringList(3, "请选择一个文件夹"));
        QCOMPARE(ui_->dialogs.directoryStarts, QStringList({"/typed", dir_.path(), ""}));
        QCOMPARE(ui_->dialogs.parents.value(1).data(), &FrmPath::instance());
        QCOMPARE(w.entries(),
                 QStringList({dir_.filePath("top.doc"), dir_.filePath("named.doc/inside.doc"),
                              dir_.filePath("sub/deep.docx")}));
        ui_->dialogs.onModal = [&](QDialog& d) {
            QCOMPARE(control<QLineEdit>(d, "txtFolder")->text(), dir_.path());
            QVERIFY(control<QCheckBox>(d, "ChkSubdir")->isChecked());
            control<QCheckBox>(d, "ChkSubdir")->setChecked(false);
            control<QPushButton>(d, "CmdOK")->click();
        };
        merge.press(1);
        QCOMPARE(merge.entries(), QStringList({dir_.filePath("top.doc")}));
    }
};

QTEST_MAIN(DocumentListTest)
#include "tst_documentlist.moc"
