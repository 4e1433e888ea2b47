#include "shell/windowsettings.h"

#include <optional>

namespace pw {

namespace {

const QString KeyStartForm = QStringLiteral("StartForm");
const QString KeyOptSplit = QStringLiteral("OptSplit");
const QString KeyTxtPages = QStringLiteral("txtPages");
const QString KeyTxtNewDocs = QStringLiteral("txtNewDocs");
const QString KeyMaskLength = QStringLiteral("CmbNewNameMaskLength");
const QString KeyOptNewDocName = QStringLiteral("OptNewDocName");
const QString KeyOptOutDir = QStringLiteral("OptOutDir");
const QString KeyChkPageBreak = QStringLiteral("ChkPageBreak");

constexpr int MaskLengthPositions = 8;  // items "2" to "9"

QString read(const SettingsStore& store, const QString& key, const QString& defaultValue) {
    return store.Get(SettingsApplication, SettingsSection, key, defaultValue);
}

void write(SettingsStore& store, const QString& key, const QString& value) {
    store.Save(SettingsApplication, SettingsSection, key, value);
}

// A whole number, blanks around it allowed; nothing for any other text.
std::optional<qlonglong> readNumber(const SettingsStore& store, const QString& key) {
    bool ok = false;
    const qlonglong value = read(store, key, QStringLiteral("0")).trimmed().toLongLong(&ok);
    if (!ok) return std::nullopt;
    return value;
}

// 0 picks the first of two options, any other number the second.
int readTwoWayOption(const SettingsStore& store, const QString& key) {
    return readNumber(store, key).value_or(0) == 0 ? 0 : 1;
}

int readMaskLength(const SettingsStore& store) {
    const qlonglong position = readNumber(store, KeyMaskLength).value_or(0);
    return position >= 0 && position < MaskLengthPositions ? static_cast<int>(position) : 0;
}

int readNamingRule(const SettingsStore& store) {
    const QString text = read(store, KeyOptNewDocName, QStringLiteral("1"));
    for (const int rule : {0, 2, 3, 4}) {
        if (text == QString::number(rule)) return rule;
    }
    return 1;
}

QString twoWayText(int index) {
    return index == 0 ? QStringLiteral("0") : QStringLiteral("1");
}

}  // namespace

SplitWindowSettings readSplitWindowSettings(const SettingsStore& store) {
    SplitWindowSettings settings;
    settings.optSplit = readTwoWayOption(store, KeyOptSplit);
    settings.txtPages = read(store, KeyTxtPages, QString());
    settings.txtNewDocs = read(store, KeyTxtNewDocs, QString());
    settings.cmbMaskLength = readMaskLength(store);
    settings.optNewDocName = readNamingRule(store);
    settings.optOutDir = readTwoWayOption(store, KeyOptOutDir);
    return settings;
}

void loadSplitWindowSettings(const SettingsStore& store, const SplitWindowLoadSteps& steps) {
    const SplitWindowSettings settings = readSplitWindowSettings(store);
    if (steps.optSplit) steps.optSplit(settings.optSplit);
    if (steps.txtPages) steps.txtPages(settings.txtPages);
    if (steps.txtNewDocs) steps.txtNewDocs(settings.txtNewDocs);
    if (steps.cmbMaskLength) steps.cmbMaskLength(settings.cmbMaskLength);
    if (steps.optNewDocName) steps.optNewDocName(settings.optNewDocName);
    if (steps.optOutDir) steps.optOutDir(settings.optOutDir);
}

void saveSplitWindowSettings(SettingsStore& store, const SplitWindowSettings& settings) {
    write(store, KeyOptSplit, twoWayText(settings.optSplit));
    write(store, KeyTxtPages, settings.txtPages);
    write(store, KeyTxtNewDocs, settings.txtNewDocs);
    write(store, KeyOptNewDocName, QString::number(settings.optNewDocName));
    write(store, KeyStartForm, QStringLiteral("0"));
    write(store, KeyOptOutDir, twoWayText(settings.optOutDir));
    write(store, KeyMaskLength, QString::number(settings.cmbMaskLength));
}

MergeWindowSettings readMergeWindowSettings(const SettingsStore& store) {
    return {.chkPageBreak = readNumber(store, KeyChkPageBreak).value_or(0) == 1};
}

void saveMergeWindowSettings(SettingsStore& store, const MergeWindowSettings& settings) {
    write(store, KeyChkPageBreak,
          settings.chkPageBreak ? QStringLiteral("1") : QStringLiteral("0"));
    write(store, KeyStartForm, QStringLiteral("1"));
}

int readStartForm(const SettingsStore& store) {
    const qlonglong value = readNumber(store, KeyStartForm).value_or(0);
    return value == 0 ? 0 : 1;
}

}  // namespace pw
