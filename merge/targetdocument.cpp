#include "merge/targetdocument.h"

#include <QFileInfo>

#include "merge/mergemessages.h"
#include "merge/mergeoffice.h"
#include "word/reasons.h"

namespace pw::merge {

namespace {
// An entry that brings the office down should not end the merge, nor should every entry
// after it be allowed to start a new one.
constexpr int MaxOfficeRestarts = 3;

QString notInserted(const word::Error& error) {
    return error.kind == word::Error::Kind::NotDocument
               ? msg::ReasonNotDocument
               : msg::ReasonNotInserted(word::reasonText(error));
}
}  // namespace

TargetDocument::TargetDocument(word::ApplicationFactory& factory,
                               std::unique_ptr<word::Application> office, QString path,
                               StoreSchedule schedule)
    : m_factory(factory),
      m_office(std::move(office)),
      m_path(std::move(path)),
      m_schedule(std::move(schedule)) {}

TargetDocument::~TargetDocument() {
    finish();
}

word::Status TargetDocument::add() {
    auto added = m_office->add();
    if (!added) return pw::unexpected(added.error());
    m_doc = std::move(*added);
    return {};
}

word::Status TargetDocument::writeEmpty(int orientation) {
    if (auto set = m_doc->setOrientation(orientation); !set) return set;
    m_schedule.storing();
    auto saved = m_doc->saveAs(m_path);
    if (saved) m_schedule.stored();
    return saved;
}

QString TargetDocument::fullName() const {
    return QFileInfo(m_path).absoluteFilePath();
}

std::optional<QString> TargetDocument::append(int index, const QString& entry, bool pageBreak) {
    const QFileInfo info(entry);
    if (!info.isFile() || !info.isReadable()) return msg::ReasonUnreadable;
    if (auto reason = insert(entry, pageBreak)) return reason;
    m_pending.append({index, entry, pageBreak});
    if (!m_schedule.due(int(m_pending.size()))) return std::nullopt;
    if (auto reason = store()) {
        // This entry is reported by its own pass, the earlier ones as lost.
        m_pending.removeLast();
        loseAll(*reason);
        return reason;
    }
    return std::nullopt;
}

void TargetDocument::commit() {
    if (m_pending.isEmpty()) return;
    if (ensureOpen()) return;  // what could not be added again is lost already
    if (auto reason = store()) loseAll(*reason);
}

std::optional<QString> TargetDocument::insert(const QString& entry, bool pageBreak) {
    for (bool retried = false;; retried = true) {
        if (auto reason = ensureOpen()) return reason;
        word::Status step = pageBreak ? m_doc->appendPageBreak() : word::Status{};
        if (!step) {
            // An office that went down between passes is no fault of this entry: once more
            // with a new one.
            const bool officeGone = step.error().kind == word::Error::Kind::OfficeDead;
            m_doc.reset();
            if (officeGone && !retried) continue;
            return msg::ReasonNotInserted(word::reasonText(step.error()));
        }
        // The open copy may now hold part of the entry: it is dropped, and the next pass
        // starts again from the file.
        if (auto inserted = m_doc->appendFile(entry); !inserted) {
            m_doc.reset();
            return notInserted(inserted.error());
        }
        return std::nullopt;
    }
}

std::optional<QString> TargetDocument::store() {
    for (bool retried = false;; retried = true) {
        m_schedule.storing();
        auto saved = m_doc->save();
        if (saved) {
            m_schedule.stored();
            m_storedAny = true;
            m_pending.clear();
            return std::nullopt;
        }
        m_doc.reset();
        // An office that went down while storing: a new one redoes what was not stored.
        if (saved.error().kind != word::Error::Kind::OfficeDead || retried)
            return msg::ReasonTargetNotSaved(word::reasonText(saved.error()));
        if (auto reason = ensureOpen()) return reason;
    }
}

std::optional<QString> TargetDocument::ensureOpen() {
    if (m_doc && m_office->isAlive()) return std::nullopt;
    return reopen();
}

// The file as last stored, with the entries added since then added again. One that fails now
// is lost, and the rest are added to the file afresh.
std::optional<QString> TargetDocument::reopen() {
    for (;;) {
        m_doc.reset();
        if (auto reason = ensureOffice()) {
            loseAll(*reason);
            return reason;
        }
        auto opened = m_office->open(m_path);
        if (!opened) {
            const QString reason = msg::ReasonTargetNotReopened(word::reasonText(opened.error()));
            loseAll(reason);
            return reason;
        }
        m_doc = std::move(*opened);
        bool any = m_storedAny, failed = false;
        for (qsizetype k = 0; k < m_pending.size() && !failed; ++k) {
            const Pending& p = m_pending[k];
            word::Status step = p.pageBreak && any ? m_doc->appendPageBreak() : word::Status{};
            if (step) step = m_doc->appendFile(p.entry);
            if (!step) {
                m_lost.append({p.index, notInserted(step.error())});
                m_pending.removeAt(k);
                failed = true;
            }
            any = true;
        }
        if (!failed) return std::nullopt;
    }
}

std::optional<QString> TargetDocument::ensureOffice() {
    if (m_office && m_office->isAlive()) return std::nullopt;
    if (m_restarts >= MaxOfficeRestarts) return msg::ReasonOfficeStopped;
    ++m_restarts;
    m_office.reset();
    auto started = m_factory.create();
    if (!started)
        return msg::ReasonOfficeStopped +
               QStringLiteral("（%1）").arg(word::reasonText(started.error()));
    m_office = std::move(*started);
    return std::nullopt;
}

void TargetDocument::loseAll(const QString& reason) {
    for (const Pending& p : m_pending) m_lost.append({p.index, reason});
    m_pending.clear();
}

void TargetDocument::finish() {
    // Whatever is open and not committed goes unsaved.
    m_doc.reset();
    m_office.reset();
}

}  // namespace pw::merge
