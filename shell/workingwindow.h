#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QList>
#include <QPointer>
#include <QWidget>

#include "shell/backgroundrun.h"

class QPushButton;

namespace pw {

class RunPanel;
class WindowPrompts;

// What the split and merge windows share: centred on their first showing, a close step that
// runs once and saves the window's options, and operations on a worker thread with progress, a
// stop button and a question before closing during one.
class WorkingWindow : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WorkingWindow)

public:
    ~WorkingWindow() override;

    bool isClosing() const { return m_closing; }
    bool isRunning() const;
    // Takes the other window's place on the screen, for a switch between the two.
    void takePlaceOf(const QWidget& other);

signals:
    // The close step has begun; the other working window must close now, before this one saves.
    void closing();
    // An operation has ended and its completion has been shown.
    void operationFinished();

protected:
    explicit WorkingWindow(QWidget* parent = nullptr);

    // Saves this window's options; called once, by the close step.
    virtual void save() const = 0;

    // The run display goes beside command; controls are disabled while an operation runs.
    // describe words one step; stoppingText says what a stop does.
    void setUpOperations(QPushButton& command, QList<QWidget*> controls,
                         std::function<QString(const Progress&)> describe,
                         const QString& stoppingText);
    using Done = std::function<void(std::optional<BackgroundRun::Message> finalMessage)>;
    // Runs work on a worker thread, its messages and questions shown over this window. done runs
    // on this thread when the work has returned, with the message the work gave at its end,
    // unless the user closed the window meanwhile: the window then just closes.
    void runOperation(std::function<void(UserPrompts&)> work, Done done);
    // Gives the controls back: done may call it before its completion box; after done it is
    // called anyway.
    void giveControlsBack();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void askedToStop();
    void runFinished();

    bool m_centred = false;
    bool m_closing = false;
    bool m_closeAfterRun = false;
    std::unique_ptr<WindowPrompts> m_prompts;
    std::unique_ptr<BackgroundRun> m_run;
    RunPanel* m_panel = nullptr;
    QList<QPointer<QWidget>> m_controls;
    bool m_controlsTaken = false;
    QString m_stoppingText;
    Done m_done;
};

}  // namespace pw
