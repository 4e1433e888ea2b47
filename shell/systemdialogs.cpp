#include "shell/systemdialogs.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "shell/appinfo.h"
#include "shell/completionbox.h"

namespace pw {

void SystemDialogs::message(QWidget* parent, const QString& text, MessageIcon icon) {
    QMessageBox box(messageBoxIcon(icon), AppTitle, text, QMessageBox::Ok, parent);
    fitCaption(box);
    box.exec();
}

bool SystemDialogs::askYesNo(QWidget* parent, const QString& text, bool defaultNo) {
    QMessageBox box(QMessageBox::Question, AppTitle, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    fitCaption(box);
    return box.exec() == QMessageBox::Yes;
}

// The filters' descriptions already name their patterns; Qt would name them again.
constexpr QFileDialog::Options FilterOptions = QFileDialog::HideNameFilterDetails;

QStringList SystemDialogs::openFiles(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileNames(parent, title, QString(), filter, nullptr, FilterOptions);
}

QString SystemDialogs::saveFile(QWidget* parent, const QString& title, const QString& filter,
                                const QString& defaultSuffix) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setOptions(FilterOptions);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString SystemDialogs::existingDirectory(QWidget* parent, const QString& prompt,
                                         const QString& start) {
    return QFileDialog::getExistingDirectory(parent, prompt, start.trimmed());
}

void SystemDialogs::completion(QWidget* parent, const Completion& completion) {
    completionBox(parent, completion)->exec();
}

int SystemDialogs::showModal(QDialog& dialog) {
    return dialog.exec();
}

void SystemDialogs::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

}  // namespace pw
