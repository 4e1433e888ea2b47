#pragma once

// What the window tests share: settings kept in a folder of each case's own, the fake office,
// and finding controls by objectName.

#include <functional>
#include <memory>

#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

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

// The project's fake office, installed or not, with a hook that runs while it "starts", as the
// user's clicks would during a long start.
class FakeOffice final : public word::ApplicationFactory {
public:
    explicit FakeOffice(bool installed) {
        if (!installed) fake.addFault({"create", {}, word::Error::Kind::NotInstalled});
    }
    word::Result<std::unique_ptr<word::Application>> create() override {
        ++created;
        if (onCreate) onCreate();
        return fake.create();
    }

    FakeWordFactory fake;
    std::function<void()> onCreate;
    int created = 0;
};

template <class T>
T* control(const QWidget& window, const char* name) {
    auto* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found) qWarning("no control %s", name);
    return found;
}

}  // namespace pw::test
