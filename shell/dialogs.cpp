#include "shell/dialogs.h"

#include "shell/systemdialogs.h"

namespace pw {

namespace {

Dialogs* installed = nullptr;

}  // namespace

Dialogs& dialogs() {
    static SystemDialogs system;
    return installed ? *installed : system;
}

ScopedDialogs::ScopedDialogs(Dialogs& dialogs) : previous_(installed) {
    installed = &dialogs;
}

ScopedDialogs::~ScopedDialogs() {
    installed = previous_;
}

}  // namespace pw
