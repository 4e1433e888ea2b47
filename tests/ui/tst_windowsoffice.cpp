// The windows and the start-up with the real LibreOffice. Only the message boxes are answered
// by the test; the documents reach the lists by drops, the values by typing.

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "app/mdlmain.h"
#include "app/workingwindows.h"
#include "merge/window/frmunite.h"
#include "shell/dialogs.h"
#include "split/window/frmsplit.h"
#include "tests/support/testdocs.h"
#include "tests/support/testenv.h"
#include "tests/ui/uitestsupport.h"
#include "word/libreoffice/libreofficefactory.h"

using namespace pw;
using pw::test::control;

namespace {

void type(QWidget& window, const char* box, const QString& text) {
    auto* b = control<QLineEdit>(window, box);
    b->selectAll();
    QTest::keyClick(b, Qt::Key_Backspace);
    QTest::keyClicks(b, text);
}

QString mainText(word::ApplicationFactory& office, const QString& path) {
    auto app = office.create();
    if (!app) return QStringLiteral("<no office: %1>").arg(app.error().message);
    return test::documentText(**app, path);
}

}  // namespace

class WindowsOfficeTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::WindowCase> ui_;
    QTemporaryDir work_;
    word::LibreOfficeFactory office_;

    bool makeDocs(const QList<QPair<QString, test::DocBuilder>>& docs) {
        auto app = office_.create();
        if (!app) {
            qWarning("office did not start: %s", qPrintable(app.error().message));
            return false;
        }
        bool ok = true;
        for (const auto& [path, doc] : docs) ok &= test::makeDocument(**app, doc, path);
        return ok;
    }

private slots:
    void initTestCase() {
        QVERIFY(work_.isValid());
        QVERIFY2(!word::findSoffice().isEmpty(), "LibreOffice is not installed");
    }
    void init() {
        ui_ = std::make_unique<test::WindowCase>();
        QVERIFY(ui_->settings.isValid());
    }
    void cleanup() {
        ui_.reset();
        QVERIFY(test::waitNoOfficeProcesses());
    }

    void startUpWithAnOffice() {
        WorkingWindows windows(office_);
        QVERIFY(MdlMain(windows, office_));
        QVERIFY(ui_->dialogs.messages.isEmpty());
        QCOMPARE(windows.visibleWindow(), windows.split());
        // The probe has been told to quit before the user can work.
        QVERIFY(test::waitNoOfficeProcesses());
    }

    void splitFromTheWindow() {
        const QString source = work_.filePath("Report.docx");
        QVERIFY(makeDocs({{source, test::pagedDocument(6, "Report")}}));
        const QString out = work_.filePath("parts");
        QVERIFY(QDir().mkpath(out));

        frmSplit window(office_);
        window.show();
        QVERIFY(test::dropFiles(window, {source}));
        type(window, "txtPages", "2");
        control<QRadioButton>(window, "OptNewDocName0")->click();
        control<QRadioButton>(window, "OptOutDir1")->click();
        type(window, "txtOutDir", out);
        QVERIFY(test::pressCmdOp(window));

        QVERIFY(ui_->dialogs.messages.isEmpty());
        QCOMPARE(ui_->dialogs.completions.size(), 1);
        QVERIFY(ui_->dialogs.completions[0].text.startsWith(QStringLiteral("文档分拆完成！\n")));
        QCOMPARE(ui_->dialogs.completions[0].folder, QDir(out).absolutePath());
        QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name),
                 QStringList({"Report1页-2页.docx", "Report3页-4页.docx", "Report5页-6页.docx"}));
        const QString second = mainText(office_, out + QStringLiteral("/Report3页-4页.docx"));
        QVERIFY2(second.contains("Report page 3") && !second.contains("Report page 5"),
                 qPrintable(second));
        // The window is ready for the next run.
        QVERIFY(control<QPushButton>(window, "CmdOp")->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(control<QListWidget>(window, "LstFiles")->count(), 1);
    }

    void mergeFromTheWindow() {
        const QString first = work_.filePath("first.docx");
        const QString second = work_.filePath("second.doc");
        QVERIFY(makeDocs({{first, test::DocBuilder().paragraph("Alpha part of the merge.")},
                          {second, test::DocBuilder().paragraph("Omega part of the merge.")}}));
        const QString target = work_.filePath("merged.docx");

        frmUnite window(office_);
        window.show();
        QVERIFY(test::dropFiles(window, {second, first}));
        type(window, "txtUnitedFile", target);
        control<QCheckBox>(window, "ChkPageBreak")->setChecked(true);
        QVERIFY(test::pressCmdOp(window));

        QCOMPARE(ui_->dialogs.completions.size(), 1);
        QVERIFY(ui_->dialogs.completions[0].text.startsWith(QStringLiteral("文档合并完成！\n")));
        QCOMPARE(ui_->dialogs.completions[0].icon, MessageIcon::Information);
        QCOMPARE(ui_->dialogs.completions[0].folder, work_.path());
        QVERIFY(QFile::exists(target));
        const QString text = mainText(office_, target);
        const auto omega = text.indexOf(QStringLiteral("Omega part"));
        const auto alpha = text.indexOf(QStringLiteral("Alpha part"));
        QVERIFY2(omega >= 0 && alpha > omega, qPrintable(text));  // in list order
        QVERIFY(control<QPushButton>(window, "CmdOp")->isEnabled());
        QVERIFY(control<QCheckBox>(window, "ChkPageBreak")->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(WindowsOfficeTest)
#include "tst_windowsoffice.moc"
