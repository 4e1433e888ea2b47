#pragma once

// The merge window's options kept between runs.

#include "shell/settingsstore.h"

namespace pw {

struct MergeWindowSettings {
    bool chkPageBreak = false;
};

MergeWindowSettings readMergeWindowSettings(const SettingsStore& store);
// The close step, after the split window's: ChkPageBreak, then StartForm "1".
void saveMergeWindowSettings(SettingsStore& store, const MergeWindowSettings& settings);

}  // namespace pw
