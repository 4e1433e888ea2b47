#pragma once

#include "shell/dialogs.h"

namespace pw {

// QMessageBox, QFileDialog, QDialog::exec and QDesktopServices.
class SystemDialogs final : public Dialogs {
public:
    void message(QWidget* parent, const QString& text, MessageIcon icon) override;
    bool askYesNo(QWidget* parent, const QString& text, bool defaultNo) override;
    QStringList openFiles(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& defaultSuffix) override;
    QString existingDirectory(QWidget* parent, const QString& prompt,
                              const QString& start) override;
    void completion(QWidget* parent, const Completion& completion) override;
    int showModal(QDialog& dialog) override;
    void openUrl(const QUrl& url) override;
};

}  // namespace pw
