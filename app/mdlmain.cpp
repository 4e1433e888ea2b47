#include "app/mdlmain.h"

#include <QApplication>
#include <QEventLoop>
#include <QFont>
#include <QIcon>
#include <QThread>
#include <QWidget>

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
    // The office takes seconds to start: the probe runs on a thread of its own while the
    // window, shown disabled, goes on painting and moving.
    QWidget* window = windows.visibleWindow();
    if (window) window->setEnabled(false);
    bool started = false;
    std::unique_ptr<QThread> probe(QThread::create([&] {
        auto app = office.create();
        started = app.has_value();  // the probe opens nothing and is quit at once
    }));
    QEventLoop wait;
    QObject::connect(probe.get(), &QThread::finished, &wait, &QEventLoop::quit);
    probe->start();
    wait.exec();
    probe->wait();
    if (window) window->setEnabled(true);
    if (!started) {
        dialogs().message(window, NoOfficeMessage, MessageIcon::Information);
        return false;
    }
    return true;
}

}  // namespace pw
