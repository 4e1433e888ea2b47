#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "split/runstate.h"

namespace pw::split {

// An office started on a thread of its own, beside the run's first: a start takes seconds.
// The thread stays until this object goes, since an office is stopped when the thread that
// started it ends; an office never taken is quit there.
class EarlyOffice {
public:
    explicit EarlyOffice(word::ApplicationFactory& factory);
    ~EarlyOffice();
    EarlyOffice(const EarlyOffice&) = delete;
    EarlyOffice& operator=(const EarlyOffice&) = delete;

    // Waits for the start; null when the office did not start.
    std::unique_ptr<word::Application> take();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_ready = false, m_done = false;
    std::unique_ptr<word::Application> m_app;
    std::thread m_thread;
};

// Splits the run's documents with up to jobs offices at once, run.app being the first. What
// each document did is taken over in document order (names, the run-wide sequence, failures,
// messages and progress), so the run ends exactly as if one office had done them in turn.
// second, when given, has the second office, started beside the first; it must outlive the
// call.
void splitInParallel(RunState& run, word::ApplicationFactory& factory, int jobs,
                     EarlyOffice* second = nullptr);

}  // namespace pw::split
