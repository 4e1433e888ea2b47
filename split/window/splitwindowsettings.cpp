#include "split/window/splitwindowsettings.h"

#include "shell/windowsettings.h"

namespace pw {

namespace {

const QString KeyOptSplit = QStringLiteral("OptSplit");
const QString KeyTxtPages = QStringLiteral("txtPages");
const QString KeyTxtNewDocs = QStringLiteral("txtNewDocs");
const QString KeyMaskLength = QStringLiteral("CmbNewNameMaskLength");
const QString KeyOptNewDocName = QStringLiteral("OptNewDocName");
const QString KeyOptOutDir = QStringLiteral("OptOutDir");

constexpr int MaskLengthPositions = 8;  // items "2" to "9"

// 0 picks the first of two options, any other number the second.
int readTwoWayOption(const SettingsStore& store, const QString& key) {
    return readNumberSetting(store, key).value_or(0) == 0 ? 0 : 1;
}

int readMaskLength(const SettingsStore& store) {
    const qlonglong position = readNumberSetting(store, KeyMaskLength).value_or(0);
    return position >= 0 && position < MaskLengthPositions ? static_cast<int>(position) : 0;
}

int readNamingRule(const SettingsStore& store) {
    const QString text = readSetting(store, KeyOptNewDocName, QStringLiteral("1"));
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
    settings.txtPages = readSetting(store, KeyTxtPages, QString());
    settings.txtNewDocs = readSetting(store, KeyTxtNewDocs, QString());
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
    writeSetting(store, KeyOptSplit, twoWayText(settings.optSplit));
    writeSetting(store, KeyTxtPages, settings.txtPages);
    writeSetting(store, KeyTxtNewDocs, settings.txtNewDocs);
    writeSetting(store, KeyOptNewDocName, QString::number(settings.optNewDocName));
    writeStartForm(store, 0);
    writeSetting(store, KeyOptOutDir, twoWayText(settings.optOutDir));
    writeSetting(store, KeyMaskLength, QString::number(settings.cmbMaskLength));
}

}  // namespace pw
