#pragma once

// The per-user store of the program's options: text values addressed by application, section
// and key. Here it is one INI file per application in the user's config folder
// (~/.config/Quillmark/Quillmark.ini for the application "Quillmark"); on Windows it is the
// registry branch HKEY_CURRENT_USER\Software\<application>\<application>.
//
// Tests isolate it either by giving the store a folder of their own, or, for code that builds
// its own default store (the windows), with
//     QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, temporaryDir.path());
// before the first use.

#include <QString>

namespace pw {

// Virtual so that tests can watch the order of reads and writes.
class SettingsStore {
public:
    // The per-user store in its standard place.
    SettingsStore() = default;
    virtual ~SettingsStore() = default;
    // A store kept as INI files under folder (folder/<application>/<application>.ini).
    explicit SettingsStore(QString folder);

    // The stored text, or defaultValue when the application, the section or the key is absent.
    virtual QString Get(const QString& application, const QString& section, const QString& key,
                        const QString& defaultValue) const;
    // Creates what is missing and replaces an existing value.
    virtual void Save(const QString& application, const QString& section, const QString& key,
                      const QString& value);

private:
    QString folder_;  // empty: the standard place
};

}  // namespace pw
