#pragma once

// An operation on a worker thread while its window stays responsive. Whatever the work asks of
// the user is answered on the window's thread by the window's own prompts, the work waiting for
// the answer; how far it has come reaches the window as a signal; a stop asked for is seen at the
// work's next stopping point, as Ctrl+C is on the command line.
//
//     run.start([request](pw::UserPrompts& prompts) { runSplit(request, prompts, office); });
//     connect(&run, &BackgroundRun::finished, ...);  // then takeFinalMessage()

#include <atomic>
#include <functional>
#include <optional>

#include <QObject>
#include <QPointer>

#include "shell/userprompts.h"

class QThread;

namespace pw {

class BackgroundRun final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BackgroundRun)

public:
    // answers lives on this object's thread and outlives every run.
    explicit BackgroundRun(UserPrompts& answers, QObject* parent = nullptr);
    // A run still going is told to stop and is waited for; its questions are answered No.
    ~BackgroundRun() override;

    // False while a run is going.
    bool start(std::function<void(UserPrompts&)> work);
    bool isRunning() const { return m_thread != nullptr; }
    void requestStop() { m_stop = true; }
    bool stopRequested() const { return m_stop; }

    // A message the work gave after its work ended (its completion), held back so that the
    // window can show it its own way.
    struct Message {
        QString text;
        MessageIcon icon = MessageIcon::Information;
    };
    std::optional<Message> takeFinalMessage() { return std::exchange(m_final, std::nullopt); }

signals:
    void progressed(const pw::Progress& progress);
    // The work has returned; every progress report came before this.
    void finished();

private:
    class WorkerPrompts;

    UserPrompts& m_answers;
    QThread* m_thread = nullptr;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_abandoned{false};
    std::optional<Message> m_final;
};

}  // namespace pw
