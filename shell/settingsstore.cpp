#include "shell/settingsstore.h"

#include <memory>
#include <utility>

#include <QSettings>

namespace pw {

namespace {

std::unique_ptr<QSettings> openStore(const QString& folder, const QString& application) {
    if (!folder.isEmpty()) {
        const QString file =
            folder + u'/' + application + u'/' + application + QStringLiteral(".ini");
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    }
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, application,
                                       application);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, application,
                                       application);
#endif
}

QString entryName(const QString& section, const QString& key) {
    return section + u'/' + key;
}

}  // namespace

SettingsStore::SettingsStore(QString folder) : folder_(std::move(folder)) {}

QString SettingsStore::Get(const QString& application, const QString& section, const QString& key,
                           const QString& defaultValue) const {
    const auto store = openStore(folder_, application);
    const QVariant value = store->value(entryName(section, key));
    if (!value.isValid()) return defaultValue;
    // A value edited by hand into "a,b" reads back as a list; give its text as it stands.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u',');
    return value.toString();
}

void SettingsStore::Save(const QString& application, const QString& section, const QString& key,
                         const QString& value) {
    const auto store = openStore(folder_, application);
    store->setValue(entryName(section, key), value);
    store->sync();
}

}  // namespace pw
