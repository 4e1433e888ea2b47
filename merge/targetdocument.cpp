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
}  // namespace

TargetDocument::TargetDocument(word::ApplicationFactory& factory,
                               std::unique_ptr<word::Application> office, QString path)
    : m_factory(factory), m_office(std::move(office)), m_path(std::move(path)) {}

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
    return m_doc->saveAs(m_path);
}

QString TargetDocument::fullName() const {
    return QFileInfo(m_path).absoluteFilePath();
}

std::optional<QString> TargetDocument::append(const QString& entry, bool pageBreak) {
    const QFileInfo info(entry);
    if (!info.isFile() || !info.isReadable()) return msg::ReasonUnreadable;
    for (bool retried = false;; retried = true) {
        if (auto reason = ensureOpen()) return reason;
        word::Status step = pageBreak ? m_doc->appendPageBreak() : word::Status{};
        if (!step) {
            // An office that went down between passes is no fault of this entry: once more
            // with a new one.
            const bool officeGone = step.error().kind == word::Error::Kind::OfficeDead;
            (void)dropAfter({});
            if (officeGone && !retried) continue;
            return msg::ReasonNotInserted(word::reasonText(step.error()));
        }
        if (auto inserted = m_doc->appendFile(entry); !inserted)
            return dropAfter(inserted.error().kind == word::Error::Kind::NotDocument
                                 ? msg::ReasonNotDocument
                                 : msg::ReasonNotInserted(word::reasonText(inserted.error())));
        if (auto saved = m_doc->save(); !saved)
            return dropAfter(msg::ReasonTargetNotSaved(word::reasonText(saved.error())));
        return std::nullopt;
    }
}

// The open copy may hold part of the failed entry, or an entry the file does not: the file on
// disk is what the next pass starts from.
std::optional<QString> TargetDocument::dropAfter(const QString& reason) {
    m_doc.reset();
    return reason;
}

std::optional<QString> TargetDocument::ensureOpen() {
    if (m_doc && m_office->isAlive()) return std::nullopt;
    m_doc.reset();
    if (auto reason = ensureOffice()) return reason;
    auto opened = m_office->open(m_path);
    if (!opened) return msg::ReasonTargetNotReopened(word::reasonText(opened.error()));
    m_doc = std::move(*opened);
    return std::nullopt;
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

void TargetDocument::finish() {
    if (m_doc) {
        // Every finished pass is stored already; whatever else is open goes unsaved.
        m_doc.reset();
    }
    if (m_office) {
        m_office.reset();
    }
}

}  // namespace pw::merge
