#pragma once

#include <optional>

#include <QList>
#include <QPointer>

#include "shell/userprompts.h"

class QWidget;

namespace pw {

// Controls disabled and the wait pointer shown for as long as it lives; each is given back once.
class BusyGuard {
public:
    explicit BusyGuard(QList<QWidget*> controls);
    ~BusyGuard();
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
    void restorePointer();

private:
    QList<QPointer<QWidget>> m_controls;
    bool m_pointer = true;
};

// An engine's messages and questions as message boxes over a working window, and the window
// busy while the work runs.
class WindowPrompts final : public UserPrompts {
public:
    // controls are disabled while the work runs. The pointer comes back before the completion
    // message; with controlsAfterMessage the controls only when this object goes, after it.
    WindowPrompts(QWidget& window, QList<QWidget*> controls, bool controlsAfterMessage);

    void message(const QString& text, MessageIcon icon) override;
    bool ask(const Question& question) override;
    void progress(const Progress& progress) override;

private:
    QWidget& m_window;
    QList<QWidget*> m_controls;
    bool m_controlsAfterMessage;
    std::optional<BusyGuard> m_busy;
};

}  // namespace pw
