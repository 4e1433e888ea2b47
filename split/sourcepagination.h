#pragma once

// Whose pages a source is cut at. Word records its own page starts in a .docx it saves; where a
// file records them completely they are used, carried into the office as bookmarks of a private
// copy of the file, and the office's own layout is used otherwise.

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <utility>

#include "split/pagemap.h"
#include "split/splitrequest.h"
#include "word/wordlayout.h"

namespace pw::split {

class SourcePagination {
public:
    // Reads the source's recorded layout once, before the source is opened; a private copy
    // goes into a folder of its own under scratchDir.
    SourcePagination(Pagination asked, const QString& source, const QString& scratchDir);

    // The file to open as the source: the private copy when Word's pages are taken from it.
    QString fileToOpen() const { return m_copy.isEmpty() ? m_source : m_copy; }

    // Gives up the private copy when it could not be opened, so that the source itself is
    // opened and cut at the office's pages; false when there was no copy to give up.
    bool dropCopy() { return !std::exchange(m_copy, QString()).isEmpty(); }

    // The page map of fileToOpen() once opened (numbers already turned into text is fine).
    // Word's page starts are read and their bookmarks removed before it returns, so nothing
    // copied afterwards carries them. When they cannot be placed, the office's layout is used
    // unless Word's pages were asked for, which is then an error.
    word::Result<PageMap> pageMap(word::Document& doc);

    // Whose pages the last page map holds: Word or Office.
    Pagination used() const { return m_used; }
    const word::RecordedLayout& recorded() const { return m_recorded; }

private:
    Pagination m_asked;
    QString m_source;
    std::unique_ptr<QTemporaryDir> m_folder;  // removed, copy and all, with this object
    QString m_copy;
    word::RecordedLayout m_recorded;
    Pagination m_used = Pagination::Office;
};

}  // namespace pw::split
