#pragma once

// What the window tests share: settings in a folder of each case's own, dialogs answered by the
// test, drops on a window's list and a run to its end.

#include "shell/workingwindow.h"
#include "tests/shell/fakedialogs.h"
#include "tests/support/fakeword.h"

namespace pw::test {

// Each case's own settings and dialogs, in place for as long as it lives. The per-user store goes
// to a fresh folder: QSettings caches files by path.
struct WindowCase {
    WindowCase() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path()); }
    QString file() const { return dir.filePath(QStringLiteral("Quillmark/Quillmark.ini")); }
    bool written() const { return QFile::exists(file()); }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    ScopedDialogs use{dialogs};
};

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
