#pragma once

// Every modal thing the windows show the user goes through this interface: message boxes, the
// standard file dialogs, the folder browser, the program's own modal windows, and links handed
// to the desktop. The program uses the system implementation; a test installs its own with
// ScopedDialogs and answers each call at once, without timers.
//
//     pw::dialogs().message(this, text, pw::MessageIcon::Information);
//
//     // in a test
//     FakeDialogs fake;                 // implements pw::Dialogs
//     pw::ScopedDialogs use(fake);      // every pw::dialogs() call now reaches fake
//
// Everything runs on the user-interface thread.

#include <QString>
#include <QStringList>

#include "shell/userprompts.h"

class QDialog;
class QUrl;
class QWidget;

namespace pw {

// The end of an operation: its text, the full list of what failed as copyable details (none
// when empty), and a button that opens folder (none when empty).
struct Completion {
    QString text;
    QString details;
    MessageIcon icon = MessageIcon::Information;
    QString folder;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message with an OK button and the given icon, captioned pw::AppTitle.
    virtual void message(QWidget* parent, const QString& text, MessageIcon icon) = 0;
    // A Yes/No question with the question icon, captioned pw::AppTitle; true for Yes.
    // defaultNo makes No the default button.
    virtual bool askYesNo(QWidget* parent, const QString& text, bool defaultNo) = 0;
    // The open dialog with multiple selection of existing files. filter is in Qt's form
    // ("Word (*.doc *.docx)"; see shell/filefilter.h). The chosen files' full paths in the
    // dialog's order; empty when cancelled.
    virtual QStringList openFiles(QWidget* parent, const QString& title, const QString& filter) = 0;
    // The save dialog, which asks before replacing an existing file. An empty title leaves the
    // dialog's own; a name typed without an extension gets defaultSuffix. The chosen full path;
    // empty when cancelled.
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& defaultSuffix) = 0;
    // The folder browser showing prompt, opened at start when it names a folder. The chosen
    // folder's path; empty when cancelled.
    virtual QString existingDirectory(QWidget* parent, const QString& prompt,
                                      const QString& start) = 0;
    // The completion message of an operation.
    virtual void completion(QWidget* parent, const Completion& completion) = 0;
    // Shows one of the program's own windows modally and returns its QDialog result. A test
    // works the dialog's controls (found by objectName) and presses its buttons here.
    virtual int showModal(QDialog& dialog) = 0;
    // Hands a link (web address, mailto:) to the desktop; the result is not used.
    virtual void openUrl(const QUrl& url) = 0;
};

// The implementation in use: the installed one, or the system's.
Dialogs& dialogs();

// Installs an implementation for its own lifetime; scopes nest.
class ScopedDialogs {
public:
    explicit ScopedDialogs(Dialogs& dialogs);
    ~ScopedDialogs();
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

private:
    Dialogs* previous_;
};

}  // namespace pw
