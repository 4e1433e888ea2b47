#pragma once

// What the merge is asked to do and what it reports (to the merge window, the command line, or
// a test).

#include <optional>

#include <QList>
#include <QString>
#include <QStringList>

#include "shell/userprompts.h"

namespace pw::merge {

struct MergeRequest {
    QStringList documents;    // in merge order
    QString targetText;       // the target's name as typed
    bool pageBreaks = false;  // a page break between documents
    // 0: the target is stored on a schedule by time; n > 0: after every n-th entry.
    int storeEvery = 0;
};

// A failed check: nothing was started. The message (none when the overwrite question was
// answered No) has been shown; with browse the window then runs its target-file dialog.
struct MergeRefusal {
    enum class Check {
        NoDocuments,
        TargetMissing,
        TargetIsSource,
        TargetIsFolder,
        TargetIsExportOnly,
        OverwriteDeclined,
    };
    Check check = Check::NoDocuments;
    QString message;
    MessageIcon icon = MessageIcon::Information;
    bool browse = false;
};

struct MergeFailure {
    QString source;  // empty when the target itself failed
    QString reason;
};

struct MergeResult {
    enum class Outcome { Refused, OfficeFailed, TargetFailed, Completed, Cancelled };
    Outcome outcome = Outcome::Refused;
    QString target;
    // The full path a name typed without a folder was given, once the target was written
    // there; the window shows it in its box.
    QString placedTarget;
    QStringList merged;  // entries that went in, in order
    QList<MergeFailure> failures;
    QString completionMessage;
    std::optional<MergeRefusal> refusal;
};

}  // namespace pw::merge
