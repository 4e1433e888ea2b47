#include "shell/systemdialogs.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

#include "shell/appinfo.h"

namespace pw {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
    }
    return QMessageBox::Information;
}

}  // namespace

void SystemDialogs::message(QWidget* parent, const QString& text, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), AppTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

bool SystemDialogs::askYesNo(QWidget* parent, const QString& text, bool defaultNo) {
    QMessageBox box(QMessageBox::Question, AppTitle, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(defaultNo ? QMessageBox::No : QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QStringList SystemDialogs::openFiles(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileNames(parent, title, QString(), filter);
}

QString SystemDialogs::saveFile(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, QString(), filter);
}

QString SystemDialogs::existingDirectory(QWidget* parent, const QString& prompt) {
    return QFileDialog::getExistingDirectory(parent, prompt);
}

int SystemDialogs::showModal(QDialog& dialog) {
    return dialog.exec();
}

void SystemDialogs::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

}  // namespace pw
