#pragma once

// What a working window shows while its operation runs, in its command bar: a line saying which
// document and part are in hand, a progress bar, and a 取消 button beside the command button.
// Hidden while no operation runs.

#include <functional>

#include <QObject>
#include <QString>

#include "shell/userprompts.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace pw {

class RunPanel final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RunPanel)

public:
    // The widgets go into command's parent, left of and beside command. describe words a step.
    RunPanel(QPushButton& command, std::function<QString(const Progress&)> describe);

    void begin();
    void show(const Progress& progress);
    // A stop was asked for: says what happens next and the button has done its part.
    void stopping(const QString& text);
    void end();

signals:
    void stopClicked();

private:
    void setLine(const QString& text);

    std::function<QString(const Progress&)> m_describe;
    QLabel* m_line;
    QProgressBar* m_bar;
    QPushButton* m_stop;
};

}  // namespace pw
