#pragma once

#include <QString>

#include "shell/platform.h"

namespace pw::word::lo {

// A private office profile under the user's cache folder. A slot is held (by a file lock) by one
// office at a time, and kept afterwards so the next start need not build a profile anew.
class ProfileSlot {
public:
    ProfileSlot() = default;
    ~ProfileSlot();
    ProfileSlot(const ProfileSlot&) = delete;
    ProfileSlot& operator=(const ProfileSlot&) = delete;

    bool acquire(QString* error);
    QString path() const { return m_path; }
    // Throws the profile away, for when an office would not start on it.
    void wipe();

private:
    QString m_path;
    platform::FileLock m_lock;
};

}  // namespace pw::word::lo
