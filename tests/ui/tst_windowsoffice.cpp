// The start-up and the windows with the real LibreOffice. Only the message boxes are answered
// by the test; the documents reach the lists by drops, the values by typing.

#include <QRegularExpression>

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

}  // namespace

class WindowsOfficeTest : public QObject {
    Q_OBJECT

private slots:
    void splitAndMergeFromTheWindows() {
        QVERIFY2(!word::findSoffice().isEmpty(), "LibreOffice is not installed");
        test::WindowCase ui;
        QTemporaryDir work;
        word::LibreOfficeFactory office;
        const QString source = work.filePath("Report.docx"), first = work.filePath("first.docx"),
                      second = work.filePath("second.doc"), out = work.filePath("parts");
        {
            auto app = office.create();
            QVERIFY(app);
            QVERIFY(test::makeDocument(**app, test::pagedDocument(6, "Report"), source));
            QVERIFY(test::makeDocument(**app, test::DocBuilder().paragraph("Alpha part."), first));
            QVERIFY(test::makeDocument(**app, test::DocBuilder().paragraph("Omega part."), second));
        }
        QVERIFY(QDir().mkpath(out));
        WorkingWindows windows(office);
        QVERIFY(MdlMain(windows, office));
        QVERIFY(ui.dialogs.messages.isEmpty());
        QCOMPARE(windows.visibleWindow(), windows.split());
        // The probe has been told to quit before the user can work.
        QVERIFY(test::waitNoOfficeProcesses());

        frmSplit& split = *windows.split();
        QVERIFY(test::dropFiles(split, {source}));
        type(split, "txtPages", "2");
        control<QRadioButton>(split, "OptNewDocName0")->click();
        control<QRadioButton>(split, "OptOutDir1")->click();
        type(split, "txtOutDir", out);
        QVERIFY(test::pressCmdOp(split));
        QVERIFY(ui.dialogs.messages.isEmpty());
        QCOMPARE(ui.dialogs.completions.size(), 1);
        QVERIFY(ui.dialogs.completions[0].text.startsWith(QStringLiteral("文档分拆完成！\n")));
        QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name),
                 QStringList({"Report1页-2页.docx", "Report3页-4页.docx", "Report5页-6页.docx"}));

        windows.showUnite();
        frmUnite& unite = *windows.unite();
        const QString target = work.filePath("merged.docx");
        QVERIFY(test::dropFiles(unite, {second, out + "/Report3页-4页.docx", first}));
        type(unite, "txtUnitedFile", target);
        control<QCheckBox>(unite, "ChkPageBreak")->setChecked(true);
        QVERIFY(test::pressCmdOp(unite));
        QCOMPARE(ui.dialogs.completions.size(), 2);
        QVERIFY(ui.dialogs.completions[1].text.startsWith(QStringLiteral("文档合并完成！\n")));
        QCOMPARE(ui.dialogs.completions[1].icon, MessageIcon::Information);
        // In list order, the split's part holding just its own pages.
        auto app = office.create();
        QVERIFY(app);
        const QString text = test::documentText(**app, target);
        static const QRegularExpression order(
            "Omega part.*Report page 3.*Report page 4.*Alpha part");
        QVERIFY2(order.match(text).hasMatch(), qPrintable(text));
        QVERIFY2(!text.contains("Report page 5") && !text.contains("Report page 2"),
                 qPrintable(text));
        app->reset();
        QVERIFY(test::waitNoOfficeProcesses());
    }
};

QTEST_MAIN(WindowsOfficeTest)
#include "tst_windowsoffice.moc"
