#pragma once

class QCoreApplication;

namespace pw {

// Qt's own texts (standard buttons, file dialogs) in Simplified Chinese, like the program's, and
// the Chinese locale for dates and numbers. False when Qt's translations are not installed.
bool installChineseTranslations(QCoreApplication& app);

}  // namespace pw
