#pragma once

// The settings the windows keep between runs: every value under one application and section of
// the settings store, and the rules for reading them. Each window's own options are read and
// written beside that window (split/window, merge/window); the window used last is kept here.
//
// A stored value the program never writes (not a number, a list position outside 0 to 7, a
// check state other than 0 and 1) reads as the key's default.

#include <optional>

#include <QString>

#include "shell/settingsstore.h"

namespace pw {

inline const QString SettingsApplication = QStringLiteral("Quillmark");
inline const QString SettingsSection = QStringLiteral("Controls");

QString readSetting(const SettingsStore& store, const QString& key, const QString& defaultValue);
void writeSetting(SettingsStore& store, const QString& key, const QString& value);
// A whole number, blanks around it allowed; nothing for any other text.
std::optional<qlonglong> readNumberSetting(const SettingsStore& store, const QString& key);

// The window used last: 0 for the split window (also when absent or not a number), 1 for the
// merge window (any other stored number).
int readStartForm(const SettingsStore& store);
// Part of each window's close step.
void writeStartForm(SettingsStore& store, int window);

}  // namespace pw
