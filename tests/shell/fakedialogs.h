#pragma once

// A pw::Dialogs for tests: answers come from queues filled by the test, every call is recorded.
// An empty queue answers as a cancel (no files, no folder, No). Installed with ScopedDialogs.

#include <functional>

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QUrl>

#include "shell/dialogs.h"

namespace pw::test {

class FakeDialogs final : public Dialogs {
public:
    struct Message {
        QString text;
        MessageIcon icon;
        bool overrideCursor;  // an override cursor (the busy pointer) was set when it showed
    };
    struct Question {
        QString text;
        bool defaultNo;
    };
    struct FileRequest {
        QString title;
        QString filter;
        QString defaultSuffix;
    };

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

    // Answers, taken from the front.
    QList<bool> yesNoAnswers;
    QList<QStringList> openFilesAnswers;
    QStringList saveFileAnswers;
    QStringList directoryAnswers;
    // Works a modal window of the program, shown but not run (find its controls, press its
    // buttons); a window still open afterwards is closed with its close box.
    std::function<void(QDialog&)> onModal;

    // What was asked, in order.
    QList<Message> messages;
    QList<Question> questions;
    QList<FileRequest> openFilesRequests;
    QList<FileRequest> saveFileRequests;
    QStringList directoryPrompts;
    QStringList directoryStarts;
    QList<Completion> completions;
    QStringList modalWindows;  // objectNames
    QList<QUrl> openedUrls;
    QList<QPointer<QWidget>> parents;  // the parent of each call, in order
};

}  // namespace pw::test
