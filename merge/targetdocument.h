#pragma once

// The target of a merge: written empty, then extended by one entry per pass. It stays open
// between passes and is stored after each one, so the file on disk always holds exactly the
// passes that finished. After a failed pass the open copy is dropped and the next pass reopens
// the file, starting a new office first when the old one has gone.

#include <memory>
#include <optional>

#include <QString>

#include "word/documentengine.h"

namespace pw::merge {

class TargetDocument {
public:
    TargetDocument(word::ApplicationFactory& factory, std::unique_ptr<word::Application> office,
                   QString path);
    ~TargetDocument();
    TargetDocument(const TargetDocument&) = delete;
    TargetDocument& operator=(const TargetDocument&) = delete;

    // A new blank document in the office.
    word::Status add();
    // Gives the blank document its orientation and writes it under the target path.
    word::Status writeEmpty(int orientation);
    // Where the office says the target lives.
    QString fullName() const;

    // One pass. Returns why the entry was left out, or nothing when it went in and was stored.
    std::optional<QString> append(const QString& entry, bool pageBreak);

    // Closes the target and quits the office.
    void finish();

private:
    std::optional<QString> ensureOpen();
    std::optional<QString> ensureOffice();
    std::optional<QString> dropAfter(const QString& reason);

    word::ApplicationFactory& m_factory;
    std::unique_ptr<word::Application> m_office;  // declared before m_doc: it outlives it
    std::unique_ptr<word::Document> m_doc;
    QString m_path;
    int m_restarts = 0;
};

}  // namespace pw::merge
