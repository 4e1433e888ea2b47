#include "shell/windowprompts.h"

#include <QApplication>
#include <QWidget>

#include "shell/dialogs.h"

namespace pw {

BusyGuard::BusyGuard(QList<QWidget*> controls) {
    for (QWidget* c : controls) {
        c->setEnabled(false);
        m_controls.append(c);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyGuard::~BusyGuard() {
    restorePointer();
    for (const QPointer<QWidget>& c : m_controls)
        if (c) c->setEnabled(true);
}

void BusyGuard::restorePointer() {
    if (std::exchange(m_pointer, false)) QApplication::restoreOverrideCursor();
}

WindowPrompts::WindowPrompts(QWidget& window, QList<QWidget*> controls, bool controlsAfterMessage)
    : m_window(window),
      m_controls(std::move(controls)),
      m_controlsAfterMessage(controlsAfterMessage) {}

void WindowPrompts::message(const QString& text, MessageIcon icon) {
    dialogs().message(&m_window, text, icon);
}

bool WindowPrompts::ask(const Question& question) {
    return dialogs().askYesNo(&m_window, question.text, question.defaultNo);
}

void WindowPrompts::progress(const Progress& progress) {
    switch (progress.stage) {
        case Progress::Stage::WorkBegins:
            m_busy.emplace(m_controls);
            break;
        case Progress::Stage::WorkEnds:
            if (m_busy && m_controlsAfterMessage)
                m_busy->restorePointer();
            else
                m_busy.reset();
            break;
        case Progress::Stage::Step:
            break;
    }
}

}  // namespace pw
