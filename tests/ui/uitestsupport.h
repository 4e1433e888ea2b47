#pragma once

// What the window tests share besides the dialogs: a window's list and drops on it, a row for each
// window and a run to its end.

#include "doclist/documentlist.h"
#include "shell/workingwindow.h"
#include "tests/shell/fakedialogs.h"
#include "tests/support/fakeword.h"

namespace pw::test {

inline DocumentList& list(QWidget& window) {
    return *control<QListWidget>(window, "LstFiles")->findChild<DocumentList*>();
}
inline bool dropFiles(QWidget& window, const QStringList& paths) {
    return dropFiles(control<QListWidget>(window, "LstFiles")->viewport(), paths);
}

// One row for each window: the column split, true for the split window.
inline void splitAndMergeRows() {
    QTest::addColumn<bool>("split");
    QTest::newRow("split") << true;
    QTest::newRow("merge") << false;
}

// Presses CmdOp and lets the window's thread answer the run until it has ended.
inline bool pressCmdOp(WorkingWindow& window) {
    QSignalSpy finished(&window, &WorkingWindow::operationFinished);
    control<QPushButton>(window, "CmdOp")->click();
    return finished.count() > 0 || finished.wait(300000);  // a hang fails, never a slow run
}

}  // namespace pw::test
