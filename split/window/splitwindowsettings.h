#pragma once

// The split window's options kept between runs: its load and close steps over the settings
// store. The window owns the controls; these functions own the keys, the order in which they
// are read and written, the defaults and the reading rules.

#include <functional>

#include <QString>

#include "shell/settingsstore.h"

namespace pw {

struct SplitWindowSettings {
    int optSplit = 0;  // OptSplit: 0 split by pages, 1 split evenly
    QString txtPages;  // exactly as the box holds it
    QString txtNewDocs;
    int cmbMaskLength = 0;  // CmbNewNameMaskLength list position, 0 ("2") to 7 ("9")
    int optNewDocName = 1;  // OptNewDocName: 0 to 4
    int optOutDir = 0;      // OptOutDir: 0 the source's folder, 1 txtOutDir
};

// What the split window does for each step of its load; each has the effect of the user's own
// choice (turning an option on enables its box, choosing a mask length turns naming rule 4 on).
struct SplitWindowLoadSteps {
    std::function<void(int index)> optSplit;
    std::function<void(const QString& text)> txtPages;
    std::function<void(const QString& text)> txtNewDocs;
    std::function<void(int position)> cmbMaskLength;
    std::function<void(int index)> optNewDocName;
    std::function<void(int index)> optOutDir;
};

SplitWindowSettings readSplitWindowSettings(const SettingsStore& store);
// Reads the options and runs the steps in the load order: OptSplit, txtPages, txtNewDocs,
// CmbNewNameMaskLength, OptNewDocName (after the mask length, so the stored rule wins),
// OptOutDir. Steps left empty are skipped.
void loadSplitWindowSettings(const SettingsStore& store, const SplitWindowLoadSteps& steps);
// The close step, after the merge window's: OptSplit, txtPages, txtNewDocs, OptNewDocName,
// StartForm "0", OptOutDir, CmbNewNameMaskLength.
void saveSplitWindowSettings(SettingsStore& store, const SplitWindowSettings& settings);

}  // namespace pw
