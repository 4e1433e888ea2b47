#include <cstdlib>

#include <QApplication>

#include "app/mdlmain.h"
#include "app/workingwindows.h"
#include "word/libreoffice/libreofficefactory.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pw::setUpApplication(app);
    pw::word::LibreOfficeFactory office;
    pw::WorkingWindows windows(office);
    // Without an office the program ends here: the windows go without their close step, so
    // no setting is written.
    if (!pw::MdlMain(windows, office)) return EXIT_FAILURE;
    return QApplication::exec();
}
