#pragma once

// When the merge stores its target. A store costs what the whole target costs, so storing after
// every entry makes a long merge quadratic, while storing only at the end would leave every
// entry to be redone after a failure. By time, the target is stored once the work since the
// last store has taken longer than all stores so far: the stores then cost about what the rest
// of the work does, and what a failure undoes is never more than that.

#include <QElapsedTimer>

namespace pw::merge {

class StoreSchedule {
public:
    // every > 0 stores after every that many entries instead, whatever the time.
    explicit StoreSchedule(int every = 0) : m_every(every) { m_sinceStore.start(); }

    bool due(int pendingEntries) const;
    void storing() { m_store.start(); }
    void stored();

private:
    int m_every = 0;
    QElapsedTimer m_sinceStore;
    QElapsedTimer m_store;
    qint64 m_storeNs = 0;  // all stores so far
};

}  // namespace pw::merge
