#pragma once

#include "split/splitrequest.h"

namespace pw {
class frmSplit;
}

namespace pw::split {

// The split run's questions and messages as message boxes over the split window, and its
// requests to the window's controls.
class SplitWindowPrompts final : public SplitPrompts {
public:
    explicit SplitWindowPrompts(frmSplit& window) : m_window(window) {}

    void message(const QString& text, MessageIcon icon) override;
    bool askYesNo(const QString& text, bool defaultNo) override;
    void setOutDirText(const QString& text) override;
    QString outDirText() const override;
    void focusField(SplitField field, bool selectAll) override;
    void browseOutDir() override;
    void setBusy(bool busy) override;
    void progress(const SplitProgress& progress) override;

private:
    frmSplit& m_window;
};

}  // namespace pw::split
