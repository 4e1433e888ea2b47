#include "merge/storeschedule.h"

namespace pw::merge {

bool StoreSchedule::due(int pendingEntries) const {
    if (pendingEntries <= 0) return false;
    if (m_every > 0) return pendingEntries >= m_every;
    return m_sinceStore.nsecsElapsed() > m_storeNs;
}

void StoreSchedule::stored() {
    m_storeNs += m_store.nsecsElapsed();
    m_sinceStore.start();
}

}  // namespace pw::merge
