#include "shell/backgroundrun.h"

#include <QCoreApplication>
#include <QThread>

namespace pw {

// The prompts the work sees on its own thread.
class BackgroundRun::WorkerPrompts final : public UserPrompts {
public:
    explicit WorkerPrompts(BackgroundRun& run) : m_run(run) {}

    void message(const QString& text, MessageIcon icon) override {
        if (m_workEnded) {
            m_run.m_final = Message{text, icon};
            return;
        }
        onWindowThread([&] { m_run.m_answers.message(text, icon); });
    }
    bool ask(const Question& question) override {
        bool yes = false;
        onWindowThread([&] { yes = m_run.m_answers.ask(question); });
        return yes;
    }
    void progress(const Progress& progress) override {
        if (progress.stage != Progress::Stage::Step)
            m_workEnded = progress.stage == Progress::Stage::WorkEnds;
        BackgroundRun* run = &m_run;
        QMetaObject::invokeMethod(
            run, [run, progress] { emit run->progressed(progress); }, Qt::QueuedConnection);
    }
    bool cancelRequested() override { return m_run.m_stop; }

private:
    // Waits for f to run on the window's thread; a window going away answers nothing.
    void onWindowThread(const std::function<void()>& f) {
        BackgroundRun* run = &m_run;
        QMetaObject::invokeMethod(
            run,
            [run, &f] {
                if (!run->m_abandoned) f();
            },
            Qt::BlockingQueuedConnection);
    }

    BackgroundRun& m_run;
    bool m_workEnded = false;
};

BackgroundRun::BackgroundRun(UserPrompts& answers, QObject* parent)
    : QObject(parent), m_answers(answers) {}

BackgroundRun::~BackgroundRun() {
    if (!m_thread) return;
    disconnect(this, nullptr, nullptr, nullptr);
    m_abandoned = true;
    m_stop = true;
    // Questions already on their way are let through (unanswered) until the work returns.
    while (m_thread && !m_thread->wait(QDeadlineTimer(20))) QCoreApplication::processEvents();
    delete m_thread;
}

bool BackgroundRun::start(std::function<void(UserPrompts&)> work) {
    if (m_thread) return false;
    m_stop = false;
    m_final.reset();
    m_thread = QThread::create([this, work = std::move(work)] {
        WorkerPrompts prompts(*this);
        work(prompts);
    });
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->wait();
        delete std::exchange(m_thread, nullptr);
        emit finished();
    });
    m_thread->start();
    return true;
}

}  // namespace pw
