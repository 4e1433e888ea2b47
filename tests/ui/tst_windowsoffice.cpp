// The start-up and a window's run on its worker thread with the real LibreOffice: the probe's
// office ends and the parts are really written. The document reaches the list by a drop.

#include "app/mdlmain.h"
#include "app/workingwindows.h"
#include "split/window/frmsplit.h"
#include "tests/support/testdocs.h"
#include "tests/support/testenv.h"
#include "tests/ui/uitestsupport.h"
#include "word/libreoffice/libreofficefactory.h"

using namespace pw;
using pw::test::control;

class WindowsOfficeTest : public QObject {
    Q_OBJECT

private slots:
    void splitFromTheWindow() {
        QVERIFY2(!word::findSoffice().isEmpty(), "LibreOffice is not installed");
        test::WindowCase ui;
        word::LibreOfficeFactory office;
        const QString source = ui.dir.filePath("Report.docx"), out = ui.dir.filePath("parts");
        {
            auto app = office.create();
            QVERIFY(app);
            QVERIFY(test::makeDocument(**app, test::pagedDocument(6, "Report"), source));
        }
        QVERIFY(QDir().mkpath(out));
        WorkingWindows windows(office);
        QVERIFY(MdlMain(windows, office));
        // The probe has been told to quit before the user can work.
        QVERIFY(test::waitNoOfficeProcesses());

        frmSplit& split = *windows.split();
        QVERIFY(test::dropFiles(split, {source}));
        control<QLineEdit>(split, "txtPages")->setText("2");
        control<QRadioButton>(split, "OptNewDocName0")->click();
        control<QRadioButton>(split, "OptOutDir1")->click();
        control<QLineEdit>(split, "txtOutDir")->setText(out);
        QVERIFY(test::pressCmdOp(split));
        QVERIFY(ui.dialogs.messages.isEmpty());
        QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name),
                 QStringList({"Report1页-2页.docx", "Report3页-4页.docx", "Report5页-6页.docx"}));
        QCOMPARE(ui.dialogs.completions.size(), 1);
        QVERIFY(test::waitNoOfficeProcesses());
    }
};

QTEST_MAIN(WindowsOfficeTest)
#include "tst_windowsoffice.moc"
