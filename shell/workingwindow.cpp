#include "shell/workingwindow.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>

#include "shell/dialogs.h"
#include "shell/runpanel.h"
#include "shell/windowprompts.h"

namespace pw {

namespace {

const QString StopAndClose = QStringLiteral("文档正在处理中，是否停止处理并关闭窗口？");

}  // namespace

WorkingWindow::WorkingWindow(QWidget* parent)
    : QWidget(parent),
      m_prompts(std::make_unique<WindowPrompts>(*this, QList<QWidget*>{}, false)),
      m_run(std::make_unique<BackgroundRun>(*m_prompts)) {
    connect(m_run.get(), &BackgroundRun::finished, this, &WorkingWindow::runFinished);
}

WorkingWindow::~WorkingWindow() {
    m_run.reset();  // waits for a run still going, before the prompts go
}

bool WorkingWindow::isRunning() const {
    return m_run->isRunning();
}

void WorkingWindow::takePlaceOf(const QWidget& other) {
    m_centred = true;
    move(other.pos());
}

void WorkingWindow::setUpOperations(QPushButton& command, QList<QWidget*> controls,
                                    std::function<QString(const Progress&)> describe,
                                    const QString& stoppingText) {
    m_panel = new RunPanel(command, std::move(describe));
    for (QWidget* c : controls) m_controls.append(c);
    m_stoppingText = stoppingText;
    connect(m_panel, &RunPanel::stopClicked, this, &WorkingWindow::askedToStop);
    connect(m_run.get(), &BackgroundRun::progressed, m_panel, &RunPanel::show);
}

void WorkingWindow::runOperation(std::function<void(UserPrompts&)> work, Done done) {
    if (isRunning()) return;
    m_done = std::move(done);
    m_controlsTaken = true;
    for (const QPointer<QWidget>& c : m_controls)
        if (c) c->setEnabled(false);
    setCursor(Qt::BusyCursor);
    if (m_panel) m_panel->begin();
    m_run->start(std::move(work));
}

void WorkingWindow::giveControlsBack() {
    if (!std::exchange(m_controlsTaken, false)) return;
    for (const QPointer<QWidget>& c : m_controls)
        if (c) c->setEnabled(true);
}

void WorkingWindow::askedToStop() {
    m_run->requestStop();
    if (m_panel) m_panel->stopping(m_stoppingText);
}

void WorkingWindow::runFinished() {
    unsetCursor();
    if (m_panel) m_panel->end();
    const Done done = std::exchange(m_done, nullptr);
    if (m_closeAfterRun) {
        giveControlsBack();
        close();
        return;
    }
    if (done) done(m_run->takeFinalMessage());
    giveControlsBack();
    emit operationFinished();
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
    if (isRunning()) {
        // The office is at work: the run stops at its next stopping point and the window then
        // closes as usual.
        event->ignore();
        if (m_closeAfterRun || !dialogs().askYesNo(this, StopAndClose, true)) return;
        if (isRunning()) {
            m_closeAfterRun = true;
            askedToStop();
            return;
        }
        // The run ended while the question was open: its completion has been shown.
    }
    if (!m_closing) {
        m_closing = true;
        emit closing();
        save();
    }
    event->accept();
}

}  // namespace pw
