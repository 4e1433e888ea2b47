#include "merge/mergerun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "merge/completionreport.h"
#include "merge/mergemessages.h"
#include "merge/mergeoffice.h"
#include "merge/mergetarget.h"
#include "merge/targetdocument.h"
#include "word/reasons.h"

namespace pw::merge {

namespace {

MergeResult refuse(UserPrompts& prompts, MergeResult result, const QString& text,
                   MessageIcon icon) {
    prompts.message(text, icon);
    result.completionMessage = text;
    return result;
}

// The checks before anything starts: the target's path, or else result holds the refusal, its
// message shown.
QString checkedTarget(const MergeRequest& request, UserPrompts& prompts, MergeResult& result,
                      bool& bareName) {
    using Check = MergeRefusal::Check;
    auto refused = [&](Check check, const QString& text, MessageIcon icon, bool browse = false) {
        result.refusal = MergeRefusal{check, text, icon, browse};
        if (!text.isEmpty()) result = refuse(prompts, result, text, icon);
        return QString();
    };
    if (request.documents.isEmpty())
        return refused(Check::NoDocuments, msg::NoDocuments, MessageIcon::Information);
    if (isMissingTargetName(request.targetText))
        return refused(Check::TargetMissing, msg::TargetMissing, MessageIcon::Information, true);
    const TargetPath target = resolveTarget(request.targetText);
    result.target = target.path;
    bareName = target.bareName;
    // Writing the empty target over a source would destroy that source.
    if (!sourceAt(target.path, request.documents).isEmpty())
        return refused(Check::TargetIsSource, msg::TargetIsSource(target.path),
                       MessageIcon::Exclamation);
    const QFileInfo existing(target.path);
    if (existing.isDir())
        return refused(Check::TargetIsFolder, msg::TargetIsFolder(target.path),
                       MessageIcon::Exclamation);
    if (isExportOnlyFormat(target.path))
        return refused(Check::TargetIsExportOnly, msg::TargetIsExportOnly(target.path),
                       MessageIcon::Exclamation);
    // Hidden files are asked about too: they would be lost just the same.
    if (existing.exists() &&
        !prompts.ask({Question::Kind::OverwriteTarget, msg::OverwriteTarget, true, target.path}))
        return refused(Check::OverwriteDeclined, {}, MessageIcon::Question);
    return target.path;
}

MergeResult failBeforeTarget(UserPrompts& prompts, MergeResult result, MergeResult::Outcome outcome,
                             const QString& source, const QString& cause, const QString& text) {
    result.outcome = outcome;
    result.failures.append({source, cause});
    return refuse(prompts, std::move(result), text, MessageIcon::Exclamation);
}

// A stop asked for before the target was written: nothing went in.
MergeResult cancelBeforeTarget(const MergeRequest& request, UserPrompts& prompts,
                               MergeResult result) {
    result.outcome = MergeResult::Outcome::Cancelled;
    result.failures.clear();
    for (const QString& entry : request.documents)
        result.failures.append({entry, msg::ReasonCancelled});
    const QString text = cancellationMessage(0, result.failures);
    return refuse(prompts, std::move(result), text, MessageIcon::Exclamation);
}

// Why each entry was left out, by its place in the list; none for one that went in.
using Reasons = QList<std::optional<QString>>;

void takeLost(TargetDocument& doc, Reasons& reasons, int& inTarget) {
    for (const auto& [index, reason] : doc.takeLost()) {
        reasons[index] = reason;
        --inTarget;
    }
}

// One pass per entry, in list order; false when all ran, true when cancelled between two.
bool runPasses(const MergeRequest& request, UserPrompts& prompts, TargetDocument& doc,
               Reasons& reasons) {
    const int count = int(request.documents.size());
    int inTarget = 0;
    auto cancelFrom = [&](int from) {
        for (int rest = from; rest < count; ++rest) reasons[rest] = msg::ReasonCancelled;
        return true;
    };
    for (int i = 0; i < count; ++i) {
        const QString& entry = request.documents[i];
        if (prompts.cancelRequested()) return cancelFrom(i);
        prompts.progress(Progress::step(i, count, entry));
        // No break before the first document that goes in.
        const bool pageBreak = request.pageBreaks && inTarget > 0;
        const auto reason = doc.append(i, entry, pageBreak);
        takeLost(doc, reasons, inTarget);
        if (reason) {
            // A stop ends the office under an entry that is still loading.
            if (prompts.cancelRequested()) return cancelFrom(i);
            reasons[i] = *reason;
        } else {
            ++inTarget;
        }
    }
    return false;
}

}  // namespace

MergeResult runMerge(const MergeRequest& request, UserPrompts& prompts,
                     word::ApplicationFactory& office) {
    MergeResult result;
    bool bareName = false;
    const QString target = checkedTarget(request, prompts, result, bareName);
    if (target.isEmpty()) return result;

    auto started = office.create();
    if (!started && prompts.cancelRequested())
        return cancelBeforeTarget(request, prompts, std::move(result));
    if (!started) {
        const QString cause = started.error().message;
        return failBeforeTarget(prompts, std::move(result), MergeResult::Outcome::OfficeFailed, {},
                                cause, msg::OfficeNotStarted(word::reasonText(started.error())));
    }
    const QString& first = request.documents.first();
    auto orientation = readOrientation(**started, first);
    if (!orientation) {
        const QString cause = orientation.error().message;
        started->reset();
        if (prompts.cancelRequested())
            return cancelBeforeTarget(request, prompts, std::move(result));
        if (orientation.error().kind == word::Error::Kind::NotDocument)
            return failBeforeTarget(prompts, std::move(result), MergeResult::Outcome::OfficeFailed,
                                    first, msg::ReasonNotDocument,
                                    msg::FirstEntryUnreadable(first, msg::ReasonNotDocument));
        return failBeforeTarget(
            prompts, std::move(result), MergeResult::Outcome::OfficeFailed, first, cause,
            msg::FirstEntryUnreadable(first, word::reasonText(orientation.error())));
    }

    TargetDocument doc(office, std::move(*started), target, StoreSchedule(request.storeEvery));
    if (auto added = doc.add(); !added) {
        const QString cause = added.error().message;
        doc.finish();
        if (prompts.cancelRequested())
            return cancelBeforeTarget(request, prompts, std::move(result));
        return failBeforeTarget(prompts, std::move(result), MergeResult::Outcome::TargetFailed, {},
                                cause,
                                msg::TargetNotCreated(target, word::reasonText(added.error())));
    }

    WorkScope work(prompts);
    if (bareName) QDir().mkpath(QFileInfo(target).absolutePath());
    if (auto written = doc.writeEmpty(*orientation); !written) {
        const QString cause = written.error().message;
        doc.finish();
        // Whatever the failed write left there is not a merge.
        if (QFileInfo(target).isFile()) QFile::remove(target);
        result.outcome = MergeResult::Outcome::TargetFailed;
        result.failures.append({{}, cause});
        result.completionMessage = msg::TargetNotCreated(target, word::reasonText(written.error()));
        work.end();
        prompts.message(result.completionMessage, MessageIcon::Exclamation);
        return result;
    }
    if (bareName) {
        result.target = doc.fullName();
        result.placedTarget = result.target;
    }

    Reasons reasons(request.documents.size());
    const bool cancelled = runPasses(request, prompts, doc, reasons);
    doc.commit();
    for (const auto& [index, reason] : doc.takeLost())
        reasons[index] = cancelled ? msg::ReasonCancelled : reason;
    doc.finish();
    for (qsizetype i = 0; i < reasons.size(); ++i) {
        if (reasons[i])
            result.failures.append({request.documents[i], *reasons[i]});
        else
            result.merged.append(request.documents[i]);
    }

    if (cancelled) {
        result.outcome = MergeResult::Outcome::Cancelled;
        result.completionMessage = cancellationMessage(int(result.merged.size()), result.failures);
    } else {
        result.outcome = MergeResult::Outcome::Completed;
        result.completionMessage = completionMessage(result.failures);
    }
    // A merge that left something out is not reported like a clean one.
    const bool clean =
        result.outcome == MergeResult::Outcome::Completed && result.failures.isEmpty();
    work.end();
    prompts.message(result.completionMessage,
                    clean ? MessageIcon::Information : MessageIcon::Exclamation);
    return result;
}

}  // namespace pw::merge
