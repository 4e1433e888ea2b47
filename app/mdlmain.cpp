#include "app/mdlmain.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

#include "app/workingwindows.h"
#include "shell/appinfo.h"
#include "shell/dialogs.h"
#include "shell/translations.h"
#include "shell/windowsettings.h"
#include "word/documentengine.h"

static void initResources() {
    Q_INIT_RESOURCE(pagewright);
}

namespace pw {

void setUpApplication(QApplication& app) {
    initResources();
    QApplication::setApplicationName(AppTitle);
    QApplication::setApplicationVersion(AppVersion);
    QGuiApplication::setDesktopFileName(QStringLiteral("pagewright"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/pagewright/pagewright-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
    installChineseTranslations(app);
    // The windows' texts are Simplified Chinese; message boxes and dialogs use this font too.
    QFont font = app.font();
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("SimSun")});
    font.setPointSize(9);
    QApplication::setFont(font);
}

bool MdlMain(WorkingWindows& windows, word::ApplicationFactory& office) {
    if (readStartForm(SettingsStore()) == 0) {
        windows.showSplit();
    } else {
        windows.showUnite();
    }
    // The window is painted before the probe blocks the thread.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    auto probe = office.create();
    if (!probe) {
        dialogs().message(windows.visibleWindow(), NoOfficeMessage, MessageIcon::Information);
        return false;
    }
    probe->reset();  // the probe opens nothing
    return true;
}

}  // namespace pw
