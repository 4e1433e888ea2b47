#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QThread>
#include <QtTest>

#include "app/mdlmain.h"
#include "app/workingwindows.h"
#include "merge/window/frmunite.h"
#include "shell/dialogs.h"
#include "split/window/frmsplit.h"
#include "tests/shell/fakedialogs.h"
#include "tests/support/testenv.h"
#include "tests/ui/uitestsupport.h"
#include "word/libreoffice/libreofficefactory.h"

using namespace pw;

namespace {

const QString ExpectedNoOffice = QStringLiteral(
    "本软件只能在安装了Microsoft Word（2000及以上版本）的系统中使用。\r\n"
    "系统检测未发现安装了上述版本的Microsoft Word软件！");

}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::WindowCase> ui_;

private slots:
    void init() {
        ui_ = std::make_unique<test::WindowCase>();
        QVERIFY(ui_->settings.isValid());
    }
    void cleanup() { ui_.reset(); }

    void programIconAndFont() {
        setUpApplication(*qApp);
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(!icon.isNull());
        for (int size : {16, 32, 48, 256}) {
            QCOMPARE(icon.pixmap(size, size).size(), QSize(size, size));
        }
        test::FakeOffice office(true);
        WorkingWindows windows(office);
        windows.showSplit();
        QCOMPARE(windows.split()->windowIcon().cacheKey(), icon.cacheKey());
        // Message boxes and file dialogs show Chinese in the application's font.
        QVERIFY(QFontMetrics(QApplication::font()).inFont(QChar(u'档')));
    }

    void startFormChoosesTheWindow_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("merge");
        QTest::newRow("absent") << QString() << false;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("7") << "7" << true;
    }
    void startFormChoosesTheWindow() {
        QFETCH(QString, stored);
        QFETCH(bool, merge);
        if (!stored.isNull()) ui_->settings.put("StartForm", stored);
        test::FakeOffice office(true);
        WorkingWindows windows(office);
        QVERIFY(MdlMain(windows, office));
        QWidget* shown = windows.visibleWindow();
        QVERIFY(shown);
        QCOMPARE(shown->objectName(),
                 merge ? QStringLiteral("frmUnite") : QStringLiteral("frmSplit"));
        // Centred on the screen when first shown.
        const QPoint centre = shown->screen()->availableGeometry().center();
        QVERIFY((shown->frameGeometry().center() - centre).manhattanLength() <= 2);
        // Only the chosen window is loaded.
        QCOMPARE(windows.split() != nullptr, !merge);
        QCOMPARE(windows.unite() != nullptr, merge);
        QVERIFY(ui_->dialogs.messages.isEmpty());
    }

    // The probe runs off the window's thread, the window disabled meanwhile.
    void probeIsQuitAndOpensNothing() {
        test::FakeOffice office(true);
        WorkingWindows windows(office);
        bool offThread = false, disabled = false;
        office.state().onCreate = [&] {
            offThread = QThread::currentThread() != qApp->thread();
            disabled = !windows.visibleWindow()->isEnabled();
        };
        QVERIFY(MdlMain(windows, office));
        QVERIFY(offThread && disabled);
        QVERIFY(windows.visibleWindow()->isEnabled());
        QCOMPARE(office.state().created, 1);
        QCOMPARE(office.state().live, 0);  // the probe is released, not kept
        QCOMPARE(office.state().count("open"), 0);
    }

    void withoutAnOffice_data() {
        QTest::addColumn<bool>("realBackend");
        QTest::newRow("no office") << false;
        QTest::newRow("LibreOffice not found") << true;
    }
    void withoutAnOffice() {
        QFETCH(bool, realBackend);
        ui_->settings.put("StartForm", "1");
        ui_->settings.put("ChkPageBreak", "1");
        const QByteArray before = test::fileHash(ui_->settings.file());
        {
            test::FakeOffice fake(false);
            word::LibreOfficeFactory missing(
                word::LibreOfficeOptions{.sofficePath = QStringLiteral("/nonexistent/soffice")});
            word::ApplicationFactory& office =
                realBackend ? static_cast<word::ApplicationFactory&>(missing) : fake;
            WorkingWindows windows(office);
            QVERIFY(!MdlMain(windows, office));
            QCOMPARE(ui_->dialogs.messages.size(), 1);
            QCOMPARE(ui_->dialogs.messages[0].text, ExpectedNoOffice);
            QCOMPARE(ui_->dialogs.messages[0].text.split(QStringLiteral("\r\n")).size(), 2);
            QCOMPARE(ui_->dialogs.messages[0].icon, MessageIcon::Information);
            // Shown over the window that was opened first.
            QVERIFY(windows.unite());
            QCOMPARE(ui_->dialogs.parents.last().data(), windows.unite());
            // The program ends here: the windows go without their close step.
        }
        QCOMPARE(test::fileHash(ui_->settings.file()), before);
        QCOMPARE(ui_->settings.keys(), QStringList({"ChkPageBreak", "StartForm"}));
    }

    void withoutAnOfficeOnFirstRunWritesNothing() {
        test::FakeOffice office(false);
        {
            WorkingWindows windows(office);
            QVERIFY(!MdlMain(windows, office));
            QVERIFY(windows.split());
        }
        QVERIFY(!QFile::exists(ui_->settings.file()));
    }
};

QTEST_MAIN(StartUpTest)
#include "tst_startup.moc"
