#include "split/window/splitwindowprompts.h"

#include <QCoreApplication>

#include "shell/dialogs.h"
#include "split/window/frmsplit.h"

namespace pw::split {

void SplitWindowPrompts::message(const QString& text, MessageIcon icon) {
    dialogs().message(&m_window, text, icon);
}

bool SplitWindowPrompts::askYesNo(const QString& text, bool defaultNo) {
    return dialogs().askYesNo(&m_window, text, defaultNo);
}

void SplitWindowPrompts::setOutDirText(const QString& text) {
    m_window.setOutDirText(text);
}

QString SplitWindowPrompts::outDirText() const {
    return m_window.outDirText();
}

void SplitWindowPrompts::focusField(SplitField field, bool selectAll) {
    m_window.focusField(field, selectAll);
}

void SplitWindowPrompts::browseOutDir() {
    m_window.browseOutDir();
}

void SplitWindowPrompts::setBusy(bool busy) {
    m_window.setBusy(busy);
}

void SplitWindowPrompts::progress(const SplitProgress&) {
    // Keeps the window painted during a long run; input waits until the run is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace pw::split
