#pragma once

// What the window tests share: settings kept in a folder of each case's own, an office that
// never starts (or starts a do-nothing one), and finding controls by objectName.

#include <functional>
#include <memory>

#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include "word/documentengine.h"

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

// An office that answers create() with a do-nothing application, or with "not installed".
class FakeOffice final : public word::ApplicationFactory {
public:
    class App final : public word::Application {
    public:
        explicit App(FakeOffice& office) : m_office(office) {}
        ~App() override { ++m_office.destroyed; }
        word::Status setOption(word::Option, bool) override { return {}; }
        word::Status setDisplayAlerts(int) override { return {}; }
        word::Result<std::unique_ptr<word::Document>> open(const QString& path) override {
            ++m_office.opened;
            return word::fail(word::Error::Kind::OpenFailed, path);
        }
        word::Result<std::unique_ptr<word::Document>> add() override {
            return word::fail(word::Error::Kind::Failed, QStringLiteral("fake"));
        }
        word::Status quit() override {
            ++m_office.quits;
            return {};
        }
        bool isAlive() override { return true; }

    private:
        FakeOffice& m_office;
    };

    explicit FakeOffice(bool installed) : m_installed(installed) {}
    word::Result<std::unique_ptr<word::Application>> create() override {
        ++created;
        if (onCreate) onCreate();
        if (!m_installed) {
            return word::fail(word::Error::Kind::NotInstalled, QStringLiteral("no office here"));
        }
        return std::unique_ptr<word::Application>(std::make_unique<App>(*this));
    }

    // Runs while the office "starts", as the user's clicks would during a long start.
    std::function<void()> onCreate;
    int created = 0;
    int opened = 0;
    int quits = 0;
    int destroyed = 0;

private:
    bool m_installed;
};

template <class T>
T* control(const QWidget& window, const char* name) {
    auto* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found) qWarning("no control %s", name);
    return found;
}

// The objectNames of the focusable controls of window, in the order Tab visits them.
inline QStringList tabOrder(QWidget& window, const QStringList& among) {
    QStringList order;
    QWidget* w = &window;
    for (int guard = 0; guard < 500; ++guard) {
        w = w->nextInFocusChain();
        if (w == &window) break;
        if (among.contains(w->objectName()) && !order.contains(w->objectName())) {
            order << w->objectName();
        }
    }
    return order;
}

}  // namespace pw::test
