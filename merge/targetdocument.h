#pragma once

// The target of a merge: written empty, then extended by one entry per pass. It stays open
// between passes and is stored on a schedule; the entries added since the last store are
// remembered, so that when the open copy is lost (the office went down, an entry failed half
// way) the file is reopened and they are added again. After commit the file on disk holds
// exactly the entries that went in, less those reported lost.

#include <memory>
#include <optional>
#include <utility>

#include <QList>
#include <QString>

#include "merge/storeschedule.h"
#include "word/documentengine.h"

namespace pw::merge {

class TargetDocument {
public:
    TargetDocument(word::ApplicationFactory& factory, std::unique_ptr<word::Application> office,
                   QString path, StoreSchedule schedule = StoreSchedule());
    ~TargetDocument();
    TargetDocument(const TargetDocument&) = delete;
    TargetDocument& operator=(const TargetDocument&) = delete;

    // A new blank document in the office.
    word::Status add();
    // Gives the blank document its orientation and writes it under the target path.
    word::Status writeEmpty(int orientation);
    // Where the office says the target lives.
    QString fullName() const;

    // One pass for the entry at index. Returns why the entry was left out, or nothing when it
    // went in (stored now or later).
    std::optional<QString> append(int index, const QString& entry, bool pageBreak);
    // Stores whatever went in since the last store.
    void commit();
    // Entries that had gone in but could not be kept (a store failed, or adding them again
    // did), with the reason, since the last call.
    QList<std::pair<int, QString>> takeLost() { return std::exchange(m_lost, {}); }

    // Closes the target unsaved and quits the office.
    void finish();

private:
    struct Pending {
        int index = 0;
        QString entry;
        bool pageBreak = false;
    };

    std::optional<QString> insert(const QString& entry, bool pageBreak);
    std::optional<QString> store();
    std::optional<QString> ensureOpen();
    std::optional<QString> reopen();
    std::optional<QString> ensureOffice();
    void loseAll(const QString& reason);

    word::ApplicationFactory& m_factory;
    std::unique_ptr<word::Application> m_office;  // declared before m_doc: it outlives it
    std::unique_ptr<word::Document> m_doc;
    QString m_path;
    StoreSchedule m_schedule;
    QList<Pending> m_pending;  // in the open copy, not yet in the file
    QList<std::pair<int, QString>> m_lost;
    bool m_storedAny = false;  // the file holds an entry
    int m_restarts = 0;
};

}  // namespace pw::merge
