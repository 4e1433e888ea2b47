#include "split/parallelsplit.h"

#include <condition_variable>
#include <mutex>
#include <thread>

#include <QDir>
#include <QFile>

#include "shell/filenames.h"
#include "split/partnaming.h"
#include "split/sourcesplitter.h"
#include "split/splitmessages.h"

namespace pw::split {

namespace {

// The user's stop, asked from the workers; nothing else of the prompts is used off this thread.
class SharedStop final : public UserPrompts {
public:
    explicit SharedStop(UserPrompts& prompts) : m_prompts(prompts) {}
    void message(const QString&, MessageIcon) override {}
    bool ask(const Question&) override { return false; }
    bool cancelRequested() override {
        std::lock_guard lock(m_mutex);
        return m_prompts.cancelRequested();
    }

private:
    UserPrompts& m_prompts;
    std::mutex m_mutex;
};

// One part stored under a scratch name gets the name it would have had, in turn.
void namePart(RunState& run, int index, const DeferredEvent& e, int partCount) {
    const SplitSettings& s = run.settings;
    const QString source = s.documents.at(index);
    PartNameInput in{s.ownFolder ? GetFileFolder(source) : s.outDir,
                     GetFileBaseName(source),
                     GetFileExt(source),
                     e.part,
                     e.firstPage,
                     e.lastPage,
                     e.characters};
    using Stage = DeferredEvent::Stage;
    const bool namedByContent = s.naming.mode == NamingMode::FirstCharacters;
    QString target = namedByContent ? QString() : partName(s.naming, in, run.sequence);
    QString written;
    auto fail = [&](const QString& reason, const QString& detail) {
        run.result.failures.append({source, e.part, target, reason, detail});
    };
    if (e.stage == Stage::Copy || e.stage == Stage::Characters) {
        fail(e.failure.reason, e.failure.detail);
    } else {
        if (namedByContent) target = partName(s.naming, in, run.sequence);
        target = freeName(target);
        if (nameTooLong(target)) {
            run.prompts.message(msg::NameTooLong, MessageIcon::Exclamation);
            fail(msg::ReasonNameTooLong, {});
        } else if (e.stage == Stage::Save) {
            fail(e.failure.reason, e.failure.detail);
        } else if (!QFile::rename(e.scratch, target)) {
            fail(msg::ReasonSave, {});
        } else {
            run.result.written.append(target);
            written = target;
        }
    }
    QFile::remove(e.scratch);
    Progress p = Progress::step(index, int(s.documents.size()), source);
    p.partIndex = e.part;
    p.written = written;
    p.partCount = partCount;
    run.prompts.progress(p);
}

}  // namespace

EarlyOffice::EarlyOffice(word::ApplicationFactory& factory) {
    m_thread = std::thread([this, &factory] {
        auto made = factory.create();
        std::unique_lock lock(m_mutex);
        if (made) m_app = std::move(*made);
        m_ready = true;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_done; });
        m_app.reset();
    });
}

EarlyOffice::~EarlyOffice() {
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

std::unique_ptr<word::Application> EarlyOffice::take() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_ready; });
    return std::move(m_app);
}

void splitInParallel(RunState& run, word::ApplicationFactory& factory, int jobs,
                     EarlyOffice* second) {
    const int count = int(run.settings.documents.size());
    SharedStop stop(run.prompts);
    std::vector<std::vector<DeferredEvent>> logs(static_cast<size_t>(count));
    std::vector<char> done(static_cast<size_t>(count), 0), started(static_cast<size_t>(count), 0);
    std::vector<SplitResult> results(static_cast<size_t>(jobs));
    std::mutex mutex;
    std::condition_variable changed;
    int next = 0, working = jobs;
    bool cancelled = false;

    auto worker = [&](int k, std::unique_ptr<word::Application> app) {
        const QString scratch = run.scratchDir + QStringLiteral("/job-%1").arg(k);
        QDir().mkpath(scratch);
        RunState own{run.settings, stop, results[size_t(k)], std::move(app), scratch};
        for (;;) {
            int i = 0;
            {
                std::lock_guard lock(mutex);
                if (next >= count || cancelled) break;
                i = next++;
                started[size_t(i)] = 1;
            }
            own.deferred = &logs[size_t(i)];
            bool stopHere = false;
            if (stop.cancelRequested()) {
                own.cancelled = true;
                stopHere = true;
            } else if (!own.app || !own.app->isAlive()) {
                own.app.reset();
                auto made = factory.create();
                if (made) {
                    own.app = std::move(*made);
                } else {
                    DeferredEvent failed{DeferredEvent::Kind::Failure};
                    failed.failure = {
                        run.settings.documents.at(i), 0, {}, msg::ReasonOfficeDead, {}};
                    own.deferred->push_back(failed);
                    stopHere = true;
                }
            }
            if (!stopHere) splitSource(own, i, factory);
            {
                std::lock_guard lock(mutex);
                done[size_t(i)] = 1;
                if (own.cancelled) cancelled = true;
            }
            changed.notify_all();
            if (stopHere) break;
        }
        own.app.reset();
        {
            std::lock_guard lock(mutex);
            --working;
        }
        changed.notify_all();
    };

    std::vector<std::thread> threads;
    threads.emplace_back(worker, 0, std::move(run.app));
    // An office that did not start is started again for the worker's first document.
    if (second) threads.emplace_back([&] { worker(1, second->take()); });
    for (int k = int(threads.size()); k < jobs; ++k) threads.emplace_back(worker, k, nullptr);

    // Taken over in document order as each is done.
    for (int i = 0; i < count; ++i) {
        {
            std::unique_lock lock(mutex);
            changed.wait(lock,
                         [&] { return done[size_t(i)] || (working == 0 && !started[size_t(i)]); });
            if (!done[size_t(i)]) {
                // Never begun: the run was stopped, or no office would start.
                if (!cancelled)
                    for (int k = i; k < count; ++k)
                        run.result.failures.append(
                            {run.settings.documents.at(k), 0, {}, msg::ReasonOfficeDead, {}});
                break;
            }
        }
        int partCount = 0;
        for (const DeferredEvent& e : logs[size_t(i)]) {
            switch (e.kind) {
                case DeferredEvent::Kind::Progress:
                    partCount = e.progress.partCount;
                    run.prompts.progress(e.progress);
                    break;
                case DeferredEvent::Kind::Failure:
                    run.result.failures.append(e.failure);
                    break;
                case DeferredEvent::Kind::PageCount:
                    run.result.pageCounts.append(e.pages);
                    break;
                case DeferredEvent::Kind::Part:
                    namePart(run, i, e, partCount);
                    break;
            }
        }
    }
    for (std::thread& t : threads) t.join();
    if (cancelled) run.cancelled = true;
}

}  // namespace pw::split
