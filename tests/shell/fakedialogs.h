#pragma once

// What the window tests share: a pw::Dialogs answered from queues the test fills (an empty queue
// answers as a cancel: no files, no folder, No) that records every call, each case's own settings
// folder, controls found by objectName, and drops as the platform delivers them.

#include <functional>

#include <QtTest>
#include <QtWidgets>

#include "shell/dialogs.h"

namespace pw::test {

class FakeDialogs final : public Dialogs {
public:
    struct Message {
        QString text;
        MessageIcon icon;
        bool overrideCursor;  // the busy pointer was set when it showed
    };
    struct Question {
        QString text;
        bool defaultNo;
    };

    void message(QWidget* parent, const QString& text, MessageIcon icon) override {
        parents << parent;
        messages << Message{text, icon, QGuiApplication::overrideCursor() != nullptr};
    }
    bool askYesNo(QWidget* parent, const QString& text, bool defaultNo) override {
        parents << parent;
        questions << Question{text, defaultNo};
        return !yesNoAnswers.isEmpty() && yesNoAnswers.takeFirst();
    }
    QStringList openFiles(QWidget* parent, const QString&, const QString& filter) override {
        parents << parent;
        openFilesFilters << filter;
        return openFilesAnswers.isEmpty() ? QStringList() : openFilesAnswers.takeFirst();
    }
    QString saveFile(QWidget* parent, const QString&, const QString& filter,
                     const QString&) override {
        parents << parent;
        saveFileFilters << filter;
        return saveFileAnswers.isEmpty() ? QString() : saveFileAnswers.takeFirst();
    }
    QString existingDirectory(QWidget* parent, const QString& prompt,
                              const QString& start) override {
        parents << parent;
        directoryPrompts << prompt;
        directoryStarts << start;
        return directoryAnswers.isEmpty() ? QString() : directoryAnswers.takeFirst();
    }
    void completion(QWidget* parent, const Completion& completion) override {
        parents << parent;
        completions << completion;
    }
    int showModal(QDialog& dialog) override {
        parents << dialog.parentWidget();
        modalWindows << dialog.objectName();
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        if (onModal) onModal(dialog);
        if (dialog.isVisible()) dialog.close();
        return dialog.result();
    }
    void openUrl(const QUrl& url) override { openedUrls << url; }

    QList<bool> yesNoAnswers;
    QList<QStringList> openFilesAnswers;
    QStringList saveFileAnswers;
    QStringList directoryAnswers;
    // Works a modal window of the program, shown but not run; one still open afterwards is
    // closed with its close box.
    std::function<void(QDialog&)> onModal;

    QList<Message> messages;
    QList<Question> questions;
    QStringList openFilesFilters;
    QStringList saveFileFilters;
    QStringList directoryPrompts;
    QStringList directoryStarts;
    QList<Completion> completions;
    QStringList modalWindows;  // objectNames
    QList<QUrl> openedUrls;
    QList<QPointer<QWidget>> parents;  // of each call, in order
};

// Each case's own settings and dialogs, in place for as long as it lives. The per-user store goes
// to a fresh folder: QSettings caches files by path.
struct WindowCase {
    WindowCase() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path()); }
    QString file() const { return dir.filePath(QStringLiteral("Quillmark/Quillmark.ini")); }
    bool written() const { return QFile::exists(file()); }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    ScopedDialogs use{dialogs};
};

template <class T>
T* control(const QWidget& window, const char* name) {
    auto* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found) qWarning("no control %s", name);
    return found;
}

// Enter, then drop: Qt hands the drop to the widget that took the enter. True when both were
// taken with the proposed effect, or both refused.
inline bool drop(QWidget* target, const QMimeData& data) {
    QDragEnterEvent enter({5, 5}, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &enter);
    QDropEvent dropped({5, 5}, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target, &dropped);
    return enter.isAccepted() == dropped.isAccepted() &&
           (!dropped.isAccepted() || dropped.dropAction() == dropped.proposedAction());
}
inline bool dropFiles(QWidget* target, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    return drop(target, data);
}

}  // namespace pw::test
