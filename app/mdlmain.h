#pragma once

// The entry procedure: the window used last, then the check that an office can be started.

#include <QString>

class QApplication;

namespace pw::word {
class ApplicationFactory;
}

namespace pw {

class WorkingWindows;

// Shown when no office can be started; the program then ends without saving anything.
inline const QString NoOfficeMessage = QStringLiteral(
    "本软件只能在安装了Microsoft Word（2000及以上版本）的系统中使用。\r\n"
    "系统检测未发现安装了上述版本的Microsoft Word软件！");

// Icon, fonts and names shared by every window of the program.
void setUpApplication(QApplication& app);

// Shows the window StartForm chooses, then starts and quits one office as a probe. False when
// none could be started: the message has been shown and the program must end at once.
bool MdlMain(WorkingWindows& windows, word::ApplicationFactory& office);

}  // namespace pw
