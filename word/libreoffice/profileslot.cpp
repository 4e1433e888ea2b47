#include "word/libreoffice/profileslot.h"

#include <QDir>
#include <QStandardPaths>

namespace pw::word::lo {

ProfileSlot::~ProfileSlot() = default;

bool ProfileSlot::acquire(QString* error) {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (base.isEmpty()) base = QDir::tempPath();
    const QString root = base + QStringLiteral("/pagewright/office-profiles");
    if (!QDir().mkpath(root)) {
        *error = QStringLiteral("cannot create %1").arg(root);
        return false;
    }
    for (int slot = 0; slot < 64; ++slot) {
        const QString lockPath = QStringLiteral("%1/slot-%2.lock").arg(root).arg(slot);
        if (m_lock.tryLock(lockPath)) {
            m_path = QStringLiteral("%1/slot-%2").arg(root).arg(slot);
            QDir().mkpath(m_path);
            return true;
        }
    }
    *error = QStringLiteral("no free office profile under %1").arg(root);
    return false;
}

void ProfileSlot::wipe() {
    if (!m_path.isEmpty()) {
        QDir(m_path).removeRecursively();
        QDir().mkpath(m_path);
    }
}

}  // namespace pw::word::lo
