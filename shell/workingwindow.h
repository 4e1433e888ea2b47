#pragma once

#include <functional>

#include <QWidget>

namespace pw {

// What the split and merge windows share: centred on their first showing, a close step that
// runs once and saves the window's options, and no closing while an operation runs.
class WorkingWindow : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WorkingWindow)

public:
    bool isClosing() const { return m_closing; }

signals:
    // The close step has begun; the other working window must close now, before this one saves.
    void closing();

protected:
    explicit WorkingWindow(QWidget* parent = nullptr);

    // Saves this window's options; called once, by the close step.
    virtual void save() const = 0;
    // Runs an operation during which a close request is refused: closing would end the program
    // under the office.
    void runOperation(const std::function<void()>& operation);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_centred = false;
    bool m_closing = false;
    bool m_running = false;
};

}  // namespace pw
