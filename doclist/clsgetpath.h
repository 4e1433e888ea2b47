#pragma once

// The folder browser, for one use: set Caption, Flags and hwnd, call GetFolder, read Folder.
// The browser is pw::dialogs().existingDirectory, so tests answer it through that seam.

#include <QString>
#include <QtGlobal>

class QWidget;

namespace pw {

class clsGetPath final {
public:
    // The browser's prompt; empty gives "Select a Folder...".
    void setCaption(const QString& caption) { caption_ = caption; }
    const QString& Caption() const { return caption_; }
    // Kept for callers that set them; the Qt folder dialog takes no option flags.
    void setFlags(qint16 flags) { flags_ = flags; }
    qint16 Flags() const { return flags_; }
    // The window that owns the browser.
    void setHwnd(QWidget* owner) { hwnd_ = owner; }
    QWidget* hwnd() const { return hwnd_; }
    void setFolder(const QString& folder) { folder_ = folder; }
    // Where the browser opens, when it names a folder.
    void setStart(const QString& folder) { start_ = folder; }
    const QString& Folder() const { return folder_; }

    // Shows the browser; Folder becomes the chosen folder, or empty when it was cancelled.
    void GetFolder();

private:
    QString caption_;
    QWidget* hwnd_ = nullptr;
    qint16 flags_ = 0;
    QString folder_;
    QString start_;
};

// What both callers do: prompt "请选择一个文件夹", no flags, owner as the owner, opened at the
// folder already typed; the chosen folder or empty.
QString BrowseForFolder(QWidget* owner, const QString& start);

}  // namespace pw
