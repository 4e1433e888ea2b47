#include "merge/mergerun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "merge/mergeoffice.h"
#include "merge/mergetarget.h"
#include "merge/mergetexts.h"
#include "merge/targetdocument.h"

namespace pw::merge {

namespace {

MergeResult refuse(MergePrompts& prompts, MergeResult result, const QString& text,
                   MessageIcon icon) {
    prompts.message(text, icon);
    result.completionMessage = text;
    return result;
}

// The checks before anything starts; an empty path means the merge was refused.
QString checkedTarget(const MergeRequest& request, MergePrompts& prompts, MergeResult& result,
                      bool& bareName) {
    if (request.documents.isEmpty()) {
        result = refuse(prompts, result, texts::noDocuments(), MessageIcon::Information);
        return {};
    }
    if (isMissingTargetName(prompts.targetText())) {
        result = refuse(prompts, result, texts::targetMissing(), MessageIcon::Information);
        prompts.runTargetDialog();
        return {};
    }
    const TargetPath target = resolveTarget(prompts.targetText());
    result.target = target.path;
    bareName = target.bareName;
    // Writing the empty target over a source would destroy that source.
    if (!sourceAt(target.path, request.documents).isEmpty()) {
        result =
            refuse(prompts, result, texts::targetIsSource(target.path), MessageIcon::Exclamation);
        return {};
    }
    const QFileInfo existing(target.path);
    if (existing.isDir()) {
        result =
            refuse(prompts, result, texts::targetIsFolder(target.path), MessageIcon::Exclamation);
        return {};
    }
    if (isExportOnlyFormat(target.path)) {
        result = refuse(prompts, result, texts::targetIsExportOnly(target.path),
                        MessageIcon::Exclamation);
        return {};
    }
    // Hidden files are asked about too: they would be lost just the same.
    if (existing.exists() && !prompts.askYesNo(texts::overwriteTarget(), true)) return {};
    return target.path;
}

// Disables the merge window's controls and shows the busy pointer for as long as it lives;
// the end of a merge goes pointer, message, controls.
class BusyWindow {
public:
    explicit BusyWindow(MergePrompts& prompts) : m_prompts(prompts) {
        m_prompts.setControlsEnabled(false);
        m_prompts.setBusy(true);
    }
    ~BusyWindow() { end({}, MessageIcon::Information); }
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

    void end(const QString& message, MessageIcon icon) {
        if (m_ended) return;
        m_ended = true;
        m_prompts.setBusy(false);
        if (!message.isEmpty()) m_prompts.message(message, icon);
        m_prompts.setControlsEnabled(true);
    }

private:
    MergePrompts& m_prompts;
    bool m_ended = false;
};

MergeResult failBeforeTarget(MergePrompts& prompts, MergeResult result,
                             MergeResult::Outcome outcome, const QString& source,
                             const QString& cause, const QString& text) {
    result.outcome = outcome;
    result.failures.append({source, cause});
    return refuse(prompts, std::move(result), text, MessageIcon::Exclamation);
}

// A stop asked for before the target was written: nothing went in.
MergeResult cancelBeforeTarget(const MergeRequest& request, MergePrompts& prompts,
                               MergeResult result) {
    result.outcome = MergeResult::Outcome::Cancelled;
    result.failures.clear();
    for (const QString& entry : request.documents)
        result.failures.append({entry, texts::cancelled()});
    const QString text = texts::cancellation(0, result.failures);
    return refuse(prompts, std::move(result), text, MessageIcon::Exclamation);
}

// One pass per entry, in list order; false when all ran, true when cancelled between two.
bool runPasses(const MergeRequest& request, MergePrompts& prompts, TargetDocument& doc,
               MergeResult& result) {
    const int count = int(request.documents.size());
    for (int i = 0; i < count; ++i) {
        const QString& entry = request.documents[i];
        if (prompts.cancelRequested()) {
            for (int rest = i; rest < count; ++rest)
                result.failures.append({request.documents[rest], texts::cancelled()});
            return true;
        }
        prompts.progress({i, count, entry});
        // No break before the first document that goes in.
        const bool pageBreak = request.pageBreaks && !result.merged.isEmpty();
        if (auto reason = doc.append(entry, pageBreak)) {
            // A stop ends the office under an entry that is still loading.
            if (prompts.cancelRequested()) {
                for (int rest = i; rest < count; ++rest)
                    result.failures.append({request.documents[rest], texts::cancelled()});
                return true;
            }
            result.failures.append({entry, *reason});
        } else {
            result.merged.append(entry);
        }
    }
    return false;
}

}  // namespace

MergeResult runMerge(const MergeRequest& request, MergePrompts& prompts,
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
                                cause, texts::officeNotStarted(cause));
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
                                    first, texts::notDocument(),
                                    texts::firstEntryUnreadable(first, texts::notDocument()));
        return failBeforeTarget(prompts, std::move(result), MergeResult::Outcome::OfficeFailed,
                                first, cause, texts::firstEntryUnreadable(first, cause));
    }

    TargetDocument doc(office, std::move(*started), target);
    if (auto added = doc.add(); !added) {
        const QString cause = added.error().message;
        doc.finish();
        if (prompts.cancelRequested())
            return cancelBeforeTarget(request, prompts, std::move(result));
        return failBeforeTarget(prompts, std::move(result), MergeResult::Outcome::TargetFailed, {},
                                cause, texts::targetNotCreated(target, cause));
    }

    BusyWindow busy(prompts);
    if (bareName) QDir().mkpath(QFileInfo(target).absolutePath());
    if (auto written = doc.writeEmpty(*orientation); !written) {
        const QString cause = written.error().message;
        doc.finish();
        // Whatever the failed write left there is not a merge.
        if (QFileInfo(target).isFile()) QFile::remove(target);
        result.outcome = MergeResult::Outcome::TargetFailed;
        result.failures.append({{}, cause});
        result.completionMessage = texts::targetNotCreated(target, cause);
        busy.end(result.completionMessage, MessageIcon::Exclamation);
        return result;
    }
    if (bareName) {
        result.target = doc.fullName();
        prompts.setTargetText(result.target);
    }

    const bool cancelled = runPasses(request, prompts, doc, result);
    doc.finish();

    if (cancelled) {
        result.outcome = MergeResult::Outcome::Cancelled;
        result.completionMessage = texts::cancellation(int(result.merged.size()), result.failures);
    } else {
        result.outcome = MergeResult::Outcome::Completed;
        result.completionMessage = texts::completion(result.failures);
    }
    // A merge that left something out is not reported like a clean one.
    const bool clean =
        result.outcome == MergeResult::Outcome::Completed && result.failures.isEmpty();
    busy.end(result.completionMessage, clean ? MessageIcon::Information : MessageIcon::Exclamation);
    return result;
}

}  // namespace pw::merge
