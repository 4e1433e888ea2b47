#include "shell/workingwindow.h"

#include <QCloseEvent>
#include <QScreen>

namespace pw {

WorkingWindow::WorkingWindow(QWidget* parent) : QWidget(parent) {}

void WorkingWindow::runOperation(const std::function<void()>& operation) {
    m_running = true;
    operation();
    m_running = false;
}

void WorkingWindow::showEvent(QShowEvent* event) {
    if (!m_centred) {
        m_centred = true;
        if (const QScreen* s = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QWidget::showEvent(event);
}

void WorkingWindow::closeEvent(QCloseEvent* event) {
    if (m_running) {
        event->ignore();  // the operation finishes first
        return;
    }
    if (!m_closing) {
        m_closing = true;
        emit closing();
        save();
    }
    event->accept();
}

}  // namespace pw
