#include "merge/window/unitewindowprompts.h"

#include <QCoreApplication>

#include "merge/window/frmunite.h"
#include "shell/dialogs.h"

namespace pw::merge {

void UniteWindowPrompts::message(const QString& text, MessageIcon icon) {
    dialogs().message(&m_window, text, icon);
}

bool UniteWindowPrompts::askYesNo(const QString& text, bool defaultNo) {
    return dialogs().askYesNo(&m_window, text, defaultNo);
}

QString UniteWindowPrompts::targetText() const {
    return m_window.targetText();
}

void UniteWindowPrompts::setTargetText(const QString& text) {
    m_window.setTargetText(text);
}

void UniteWindowPrompts::runTargetDialog() {
    m_window.runTargetDialog();
}

void UniteWindowPrompts::setBusy(bool busy) {
    m_window.setBusy(busy);
}

void UniteWindowPrompts::setControlsEnabled(bool enabled) {
    m_window.setControlsEnabled(enabled);
}

void UniteWindowPrompts::progress(const MergeProgress&) {
    // Keeps the window painted during a long merge; input waits until it is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace pw::merge
