#include <QDropEvent>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include "doclist/documentlist.h"
#include "merge/window/frmunite.h"
#include "shell/dialogs.h"
#include "split/window/frmsplit.h"
#include "tests/shell/fakedialogs.h"
#include "tests/ui/uitestsupport.h"

using namespace pw;
using pw::test::control;

// Drops reach each window's list as the file manager delivers them: a QDropEvent on the list.
// What a list keeps of a drop is tested with the list itself; here, that each window's list
// takes the drops of its kind.
class DropTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::IsolatedSettings> settings_;
    std::unique_ptr<test::FakeDialogs> dialogs_;
    std::unique_ptr<ScopedDialogs> useDialogs_;
    std::unique_ptr<QTemporaryDir> files_;
    test::FakeOffice office_{false};

    QString make(const QString& name) const {
        const QString path = files_->filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) qWarning("cannot write %s", qPrintable(path));
        return path;
    }
    static QMimeData* urls(const QStringList& paths) {
        auto* data = new QMimeData;
        QList<QUrl> list;
        for (const QString& p : paths) list << QUrl::fromLocalFile(p);
        data->setUrls(list);
        return data;
    }
    // Drops data on the list's visible area; true when the drop was taken.
    static bool drop(QWidget& window, QMimeData* data) {
        auto* list = control<QListWidget>(window, "LstFiles");
        std::unique_ptr<QMimeData> owned(data);
        QWidget* target = list->viewport();
        const QPointF at(10, 10);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent dropped(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &dropped);
        return dropped.isAccepted();
    }
    static QStringList rows(QWidget& window) {
        QStringList r;
        auto* list = control<QListWidget>(window, "LstFiles");
        for (int i = 0; i < list->count(); ++i) r << list->item(i)->text();
        return r;
    }

private slots:
    void init() {
        settings_ = std::make_unique<test::IsolatedSettings>();
        dialogs_ = std::make_unique<test::FakeDialogs>();
        useDialogs_ = std::make_unique<ScopedDialogs>(*dialogs_);
        files_ = std::make_unique<QTemporaryDir>();
        QVERIFY(files_->isValid());
    }
    void cleanup() { useDialogs_.reset(); }

    // Web pages and plain text on the merge list only.
    void eachListKeepsItsTypes() {
        const QString report = make("report.DOCX");
        const QString page = make("page.html");
        frmSplit split(office_);
        frmUnite unite(office_);
        QVERIFY(drop(split, urls({report, page})));
        QVERIFY(drop(unite, urls({report, page})));
        QCOMPARE(rows(split), QStringList({report}));
        QCOMPARE(rows(unite), QStringList({report, page}));
        QVERIFY(dialogs_->messages.isEmpty());
    }
};

QTEST_MAIN(DropTest)
#include "tst_windowdrops.moc"
