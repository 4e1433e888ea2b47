#pragma once

#include "merge/mergerequest.h"

namespace pw {
class frmUnite;
}

namespace pw::merge {

// The merge's questions and messages as message boxes over the merge window, and its requests
// to the window's controls.
class UniteWindowPrompts final : public MergePrompts {
public:
    explicit UniteWindowPrompts(frmUnite& window) : m_window(window) {}

    void message(const QString& text, MessageIcon icon) override;
    bool askYesNo(const QString& text, bool defaultNo) override;
    QString targetText() const override;
    void setTargetText(const QString& text) override;
    void runTargetDialog() override;
    void setBusy(bool busy) override;
    void setControlsEnabled(bool enabled) override;
    void progress(const MergeProgress& progress) override;

private:
    frmUnite& m_window;
};

}  // namespace pw::merge
