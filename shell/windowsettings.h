#pragma once

// The options the two working windows keep between runs, and their load and close steps over
// the settings store. The windows own the controls; these functions own the keys, the order in
// which they are read and written, the defaults and the reading rules.
//
// Split window:
//     load:  loadSplitWindowSettings(store, {.optSplit = ..., .txtPages = ..., ...});
//     close: close the merge window first (if loaded), then
//            saveSplitWindowSettings(store, current values)
// Merge window:
//     load:  ChkPageBreak->setChecked(readMergeWindowSettings(store).chkPageBreak);
//     close: close the split window first (if loaded), then saveMergeWindowSettings(...)
// Start-up: readStartForm(store) == 0 opens the split window, any other number the merge window.
//
// A stored value the program never writes (not a number, a list position outside 0 to 7, a
// check state other than 0 and 1) reads as the key's default.

#include <functional>

#include <QString>

#include "shell/settingsstore.h"

namespace pw {

inline const QString SettingsApplication = QStringLiteral("Quillmark");
inline const QString SettingsSection = QStringLiteral("Controls");

struct SplitWindowSettings {
    int optSplit = 0;  // OptSplit: 0 split by pages, 1 split evenly
    QString txtPages;  // exactly as the box holds it
    QString txtNewDocs;
    int cmbMaskLength = 0;  // CmbNewNameMaskLength list position, 0 ("2") to 7 ("9")
    int optNewDocName = 1;  // OptNewDocName: 0 to 4
    int optOutDir = 0;      // OptOutDir: 0 the source's folder, 1 txtOutDir
};

struct MergeWindowSettings {
    bool chkPageBreak = false;
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
// The split window's close step: OptSplit, txtPages, txtNewDocs, OptNewDocName, StartForm "0",
// OptOutDir, CmbNewNameMaskLength.
void saveSplitWindowSettings(SettingsStore& store, const SplitWindowSettings& settings);

MergeWindowSettings readMergeWindowSettings(const SettingsStore& store);
// The merge window's close step: ChkPageBreak, then StartForm "1".
void saveMergeWindowSettings(SettingsStore& store, const MergeWindowSettings& settings);

// The window used last: 0 for the split window (also when absent or not a number), 1 for the
// merge window (any other stored number).
int readStartForm(const SettingsStore& store);

}  // namespace pw
