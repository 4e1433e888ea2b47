#include "merge/window/mergewindowsettings.h"

#include "shell/windowsettings.h"

namespace pw {

namespace {

const QString KeyChkPageBreak = QStringLiteral("ChkPageBreak");

}  // namespace

MergeWindowSettings readMergeWindowSettings(const SettingsStore& store) {
    return {.chkPageBreak = readNumberSetting(store, KeyChkPageBreak).value_or(0) == 1};
}

void saveMergeWindowSettings(SettingsStore& store, const MergeWindowSettings& settings) {
    writeSetting(store, KeyChkPageBreak,
                 settings.chkPageBreak ? QStringLiteral("1") : QStringLiteral("0"));
    writeStartForm(store, 1);
}

}  // namespace pw
