#include "tests/shell/fakedialogs.h"

#include <QDialog>
#include <QGuiApplication>

namespace pw::test {

namespace {

template <typename T>
T takeOr(QList<T>& queue, T fallback) {
    return queue.isEmpty() ? fallback : queue.takeFirst();
}

}  // namespace

void FakeDialogs::message(QWidget* parent, const QString& text, MessageIcon icon) {
    parents << parent;
    messages << Message{text, icon, QGuiApplication::overrideCursor() != nullptr};
}

bool FakeDialogs::askYesNo(QWidget* parent, const QString& text, bool defaultNo) {
    parents << parent;
    questions << Question{text, defaultNo};
    return takeOr(yesNoAnswers, false);
}

QStringList FakeDialogs::openFiles(QWidget* parent, const QString& title, const QString& filter) {
    parents << parent;
    openFilesRequests << FileRequest{title, filter};
    return takeOr(openFilesAnswers, QStringList());
}

QString FakeDialogs::saveFile(QWidget* parent, const QString& title, const QString& filter,
                              const QString&) {
    parents << parent;
    saveFileRequests << FileRequest{title, filter};
    return takeOr(saveFileAnswers, QString());
}

QString FakeDialogs::existingDirectory(QWidget* parent, const QString& prompt,
                                       const QString& start) {
    parents << parent;
    directoryPrompts << prompt;
    directoryStarts << start;
    return takeOr(directoryAnswers, QString());
}

int FakeDialogs::showModal(QDialog& dialog) {
    parents << dialog.parentWidget();
    modalWindows << dialog.objectName();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (onModal) onModal(dialog);
    if (dialog.isVisible()) dialog.close();
    return dialog.result();
}

void FakeDialogs::completion(QWidget* parent, const Completion& completion) {
    parents << parent;
    completions << completion;
}

void FakeDialogs::openUrl(const QUrl& url) {
    openedUrls << url;
}

}  // namespace pw::test
