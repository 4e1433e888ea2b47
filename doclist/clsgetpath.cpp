#include "doclist/clsgetpath.h"

#include "shell/dialogs.h"

namespace pw {

void clsGetPath::GetFolder() {
    const QString prompt = caption_.isEmpty() ? QStringLiteral("Select a Folder...") : caption_;
    folder_ = dialogs().existingDirectory(hwnd_, prompt, start_);
}

QString BrowseForFolder(QWidget* owner, const QString& start) {
    clsGetPath browser;
    browser.setStart(start);
    browser.setCaption(QStringLiteral("请选择一个文件夹"));
    browser.setFlags(0);
    browser.setHwnd(owner);
    browser.GetFolder();
    return browser.Folder();
}

}  // namespace pw
