#include "split/splitrun.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "split/completionreport.h"
#include "split/runstate.h"
#include "split/sourcesplitter.h"
#include "split/splitchecks.h"
#include "split/splitmessages.h"

namespace pw::split {

namespace {

// CmdOp back and the pointer restored, on every way out of a busy run.
struct BusyScope {
    SplitPrompts& prompts;
    bool on = true;
    explicit BusyScope(SplitPrompts& p) : prompts(p) { prompts.setBusy(true); }
    void end() {
        if (std::exchange(on, false)) prompts.setBusy(false);
    }
    ~BusyScope() { end(); }
};

// An office that went away on one document is started afresh for the next.
bool ensureOffice(RunState& run, word::ApplicationFactory& factory) {
    if (run.app && run.app->isAlive()) return true;
    run.app.reset();
    Stopwatch watch(run.result.timings.officeStart);
    auto started = factory.create();
    if (!started) return false;
    run.app = std::move(*started);
    return true;
}

}  // namespace

SplitResult runSplit(const SplitRequest& request, SplitPrompts& prompts,
                     word::ApplicationFactory& office) {
    SplitResult result;
    result.outcome = SplitResult::Outcome::Refused;
    const std::optional<SplitSettings> settings = checkRequest(request, prompts);
    if (!settings) return result;

    QElapsedTimer total;
    total.start();
    // The blank copies live here: private to this run, removed with it.
    QTemporaryDir scratch(
        QDir::tempPath() +
        QStringLiteral("/pagewright-split-%1-XXXXXX").arg(QCoreApplication::applicationPid()));
    if (!scratch.isValid()) {
        prompts.message(msg::NoScratchFolder, MessageIcon::Exclamation);
        return result;
    }

    BusyScope busy(prompts);
    RunState run{*settings, prompts, result, {}, scratch.path()};
    {
        Stopwatch watch(result.timings.officeStart);
        auto started = office.create();
        if (!started) {
            busy.end();
            result.outcome = SplitResult::Outcome::OfficeFailed;
            prompts.message(msg::OfficeNotStarted(started.error().message),
                            MessageIcon::Exclamation);
            return result;
        }
        run.app = std::move(*started);
    }

    const int count = int(settings->documents.size());
    for (int i = 0; i < count && !run.cancelled; ++i) {
        // Nothing new starts once a stop was asked for, not even a new office.
        if (prompts.cancelRequested()) {
            run.cancelled = true;
            break;
        }
        if (!ensureOffice(run, office)) {
            for (int k = i; k < count; ++k)
                result.failures.append(
                    {settings->documents.at(k), 0, {}, msg::ReasonOfficeDead, {}});
            break;
        }
        splitSource(run, i);
    }
    // A stop during the last document may have cut it short; that run did not complete.
    if (prompts.cancelRequested() && !result.failures.isEmpty()) run.cancelled = true;

    {
        Stopwatch watch(result.timings.quit);
        run.app.reset();
    }
    result.timings.total = total.elapsed();
    busy.end();
    result.outcome =
        run.cancelled ? SplitResult::Outcome::Cancelled : SplitResult::Outcome::Completed;
    result.completionMessage = completionMessage(result.failures, run.cancelled);
    prompts.message(result.completionMessage, MessageIcon::Information);
    return result;
}

}  // namespace pw::split
