#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QImage>
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

class DropTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakeDialogs> fake_;
    std::unique_ptr<ScopedDialogs> use_;
    QTemporaryDir dir_;

private slots:
    void init() {
        fake_ = std::make_unique<FakeDialogs>();
        use_ = std::make_unique<ScopedDialogs>(*fake_);
    }
    void cleanup() {
        QVERIFY(fake_->messages.isEmpty());  // a drop never talks
        use_.reset();
        fake_.reset();
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
    }

    void foldersAreIgnored() {
        QVERIFY(dir_.isValid());
        const QString folder = dir_.filePath("docs");
        const QString named = dir_.filePath("named.doc");
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
        fake_->messages.clear();
    }
};

QTEST_MAIN(DropTest)
#include "tst_drops.moc"
