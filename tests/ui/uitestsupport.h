#pragma once

// What the window tests share: settings kept in a folder of each case's own, dialogs answered
// by the test, the fake office, finding controls by objectName, and drops on a window's list.

#include <functional>
#include <memory>

#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <QWidget>
#include <QtTest>

#include "shell/workingwindow.h"
#include "tests/shell/fakedialogs.h"
#include "tests/support/fakeword.h"

namespace pw::test {

// The per-user store redirected to a fresh folder; QSettings caches files by path, so every case
// takes a new one.
class IsolatedSettings {
public:
    IsolatedSettings() {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    }
    bool isValid() const { return m_dir.isValid(); }
    QString file() const { return m_dir.filePath(QStringLiteral("Quillmark/Quillmark.ini")); }
    // The stored text, or "<absent>".
    QString value(const QString& key) const {
        QSettings s(file(), QSettings::IniFormat);
        return s.value(QStringLiteral("Controls/") + key, QStringLiteral("<absent>")).toString();
    }
    QStringList keys() const {
        QSettings s(file(), QSettings::IniFormat);
        s.beginGroup(QStringLiteral("Controls"));
        QStringList k = s.childKeys();
        k.sort();
        return k;
    }
    void put(const QString& key, const QString& text) {
        QSettings s(file(), QSettings::IniFormat);
        s.setValue(QStringLiteral("Controls/") + key, text);
    }

private:
    QTemporaryDir m_dir;
};

// The one fake office, started as asked or reported as not installed.
class FakeOffice final : public FakeWordFactory {
public:
    explicit FakeOffice(bool installed) {
        if (!installed) addFault({QStringLiteral("create"), {}, word::Error::Kind::NotInstalled});
    }
};

// Each case's own settings and dialogs, in place for as long as it lives.
struct WindowCase {
    IsolatedSettings settings;
    FakeDialogs dialogs;
    ScopedDialogs use{dialogs};
};

template <class T>
T* control(const QWidget& window, const char* name) {
    auto* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found) qWarning("no control %s", name);
    return found;
}

// Drops files on the window's list as a file manager does; true when the drop was taken.
inline bool dropFiles(QWidget& window, const QStringList& paths) {
    auto* list = control<QListWidget>(window, "LstFiles");
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    // The drop goes to the widget the drag entered last.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &drop);
    return drop.isAccepted();
}

// Presses CmdOp and lets the window's thread answer the run until it has ended.
inline bool pressCmdOp(WorkingWindow& window) {
    QSignalSpy finished(&window, &WorkingWindow::operationFinished);
    control<QPushButton>(window, "CmdOp")->click();
    return finished.count() > 0 || finished.wait(300000);  // a hang fails, never a slow run
}

}  // namespace pw::test
