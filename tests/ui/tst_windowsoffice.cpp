// The start-up and the windows with the real LibreOffice: the probe's office ends, the parts and
// the merged document are really written. The documents reach the lists by drops.

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

        windows.showUnite();
        frmUnite& unite = *windows.unite();
        const QString target = work.filePath("merged.docx");
        QVERIFY(test::dropFiles(unite, {second, out + "/Report3页-4页.docx", first}));
        control<QLineEdit>(unite, "txtUnitedFile")->setText(target);
        control<QCheckBox>(unite, "ChkPageBreak")->setChecked(true);
        QVERIFY(test::pressCmdOp(unite));
        QCOMPARE(ui.dialogs.completions.size(), 2);
        QCOMPARE(ui.dialogs.completions[1].icon, MessageIcon::Information);  // nothing left out
        // In list order.
        auto app = office.create();
        QVERIFY(app);
        const QString text = test::documentText(**app, target);
        static const QRegularExpression order(
            "Omega part.*Report page 3.*Report page 4.*Alpha part");
        QVERIFY2(order.match(text).hasMatch(), qPrintable(text));
        app->reset();
        QVERIFY(test::waitNoOfficeProcesses());
    }
};

QTEST_MAIN(WindowsOfficeTest)
#include "tst_windowsoffice.moc"
