#pragma once

// What the merge is asked to do, and what it asks of its caller (the merge window, the command
// line, or a test).

#include <QList>
#include <QString>
#include <QStringList>

#include "shell/userprompts.h"

namespace pw::merge {

struct MergeRequest {
    QStringList documents;  // LstFiles, in merge order
    QString targetText;     // txtUnitedFile as typed
    bool pageBreaks = false;  // ChkPageBreak ticked
};

struct MergeProgress {
    int index = 0;  // 0-based entry
    int count = 0;
    QString document;
};

class MergePrompts : public UserPrompts {
public:
    // The target box is read afresh at each use and may be rewritten by the merge.
    virtual QString targetText() const = 0;
    virtual void setTargetText(const QString& text) = 0;
    // The merge window's target-file dialog (CmdUnitedFile).
    virtual void runTargetDialog() = 0;
    virtual void setBusy(bool busy) = 0;            // the wait cursor
    virtual void setControlsEnabled(bool enabled) = 0;  // CmdOp and ChkPageBreak
    virtual void progress(const MergeProgress&) {}
    virtual bool cancelRequested() { return false; }
};

struct MergeFailure {
    QString source;  // empty when the target itself failed
    QString reason;
};

struct MergeResult {
    enum class Outcome { Refused, OfficeFailed, TargetFailed, Completed, Cancelled };
    Outcome outcome = Outcome::Refused;
    QString target;
    QStringList merged;  // entries that went in, in order
    QList<MergeFailure> failures;
    QString completionMessage;
};

}  // namespace pw::merge
