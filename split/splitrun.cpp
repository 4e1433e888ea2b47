#include "split/splitrun.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>

#include "split/completionreport.h"
#include "split/parallelsplit.h"
#include "split/runstate.h"
#include "split/sourcesplitter.h"
#include "split/splitchecks.h"
#include "split/splitmessages.h"
#include "word/reasons.h"

namespace pw::split {

namespace {

// An office that went away on one document is started afresh for the next.
bool ensureOffice(RunState& run, word::ApplicationFactory& factory) {
    if (run.app && run.app->isAlive()) return true;
    run.app.reset();
    StepScope step(run.observer, SplitStep::OfficeStart);
    auto started = factory.create();
    if (!started) return false;
    run.app = std::move(*started);
    return true;
}

}  // namespace

SplitResult runSplit(const SplitRequest& request, UserPrompts& prompts,
                     word::ApplicationFactory& office, SplitObserver* observer) {
    SplitResult result;
    result.outcome = SplitResult::Outcome::Refused;
    CheckedRequest checked = checkRequest(request, prompts);
    result.outDirText = checked.outDirText;
    // The blank copies live here: private to this run, removed with it.
    std::optional<QTemporaryDir> scratch;
    if (checked.settings) {
        scratch.emplace(
            QDir::tempPath() +
            QStringLiteral("/pagewright-split-%1-XXXXXX").arg(QCoreApplication::applicationPid()));
        if (!scratch->isValid()) {
            checked.settings.reset();
            checked.refusal = {SplitRefusal::Check::NoScratchFolder, msg::NoScratchFolder,
                               MessageIcon::Exclamation};
        }
    }
    if (!checked.settings) {
        if (!checked.refusal.message.isEmpty())
            prompts.message(checked.refusal.message, checked.refusal.icon);
        result.refusal = checked.refusal;
        return result;
    }
    const std::optional<SplitSettings>& settings = checked.settings;

    WorkScope work(prompts);
    RunState run{*settings, prompts, result, {}, scratch->path()};
    run.observer = observer;
    const int count = int(settings->documents.size());
    const int jobs = std::min(request.jobs, count);
    // The second office starts beside the first, and is quit unused when the first cannot.
    std::optional<EarlyOffice> second;
    if (jobs > 1) second.emplace(office);
    {
        StepScope step(observer, SplitStep::OfficeStart);
        auto started = office.create();
        if (!started) {
            work.end();
            result.outcome = SplitResult::Outcome::OfficeFailed;
            prompts.message(msg::OfficeNotStarted(word::reasonText(started.error())),
                            MessageIcon::Exclamation);
            return result;
        }
        run.app = std::move(*started);
    }

    if (jobs > 1) splitInParallel(run, office, jobs, &*second);
    for (int i = 0; jobs <= 1 && i < count && !run.cancelled; ++i) {
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
        splitSource(run, i, office);
    }
    // A stop during the last document may have cut it short; that run did not complete.
    if (prompts.cancelRequested() && !result.failures.isEmpty()) run.cancelled = true;

    {
        StepScope step(observer, SplitStep::Quit);
        run.app.reset();
    }
    work.end();
    result.outcome =
        run.cancelled ? SplitResult::Outcome::Cancelled : SplitResult::Outcome::Completed;
    result.completionMessage = completionMessage(result.failures, run.cancelled);
    prompts.message(result.completionMessage, MessageIcon::Information);
    return result;
}

}  // namespace pw::split
