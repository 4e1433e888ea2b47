#include "shell/windowsettings.h"

namespace pw {

namespace {

const QString KeyStartForm = QStringLiteral("StartForm");

}  // namespace

QString readSetting(const SettingsStore& store, const QString& key, const QString& defaultValue) {
    return store.Get(SettingsApplication, SettingsSection, key, defaultValue);
}

void writeSetting(SettingsStore& store, const QString& key, const QString& value) {
    store.Save(SettingsApplication, SettingsSection, key, value);
}

std::optional<qlonglong> readNumberSetting(const SettingsStore& store, const QString& key) {
    bool ok = false;
    const qlonglong value = readSetting(store, key, QStringLiteral("0")).trimmed().toLongLong(&ok);
    if (!ok) return std::nullopt;
    return value;
}

int readStartForm(const SettingsStore& store) {
    return readNumberSetting(store, KeyStartForm).value_or(0) == 0 ? 0 : 1;
}

void writeStartForm(SettingsStore& store, int window) {
    writeSetting(store, KeyStartForm, window == 0 ? QStringLiteral("0") : QStringLiteral("1"));
}

}  // namespace pw
