#include "split/sourcepagination.h"

#include <QFileInfo>

namespace pw::split {

SourcePagination::SourcePagination(Pagination asked, const QString& source,
                                   const QString& scratchDir)
    : m_asked(asked), m_source(source) {
    if (asked == Pagination::Office) return;
    m_folder = std::make_unique<QTemporaryDir>(scratchDir + QStringLiteral("/word-pages-XXXXXX"));
    if (!m_folder->isValid()) return;
    // The copy keeps the source's name, which fields showing the file name may use.
    const QString copy = m_folder->filePath(QFileInfo(source).fileName());
    m_recorded = word::markWordPageStarts(source, copy);
    if (m_recorded.marked) m_copy = copy;
}

word::Result<PageMap> SourcePagination::pageMap(word::Document& doc) {
    m_used = Pagination::Office;
    if (m_copy.isEmpty()) {
        if (m_asked == Pagination::Word)
            return pw::unexpected(
                word::Error{word::Error::Kind::Failed,
                            QStringLiteral("the file does not record Word's pages completely")});
        return buildPageMap(doc);
    }
    // Taken out even when they turn out unusable: the parts must never carry them.
    word::Result<PageMap> map = buildPageMap(doc, word::pageStartBookmarkPrefix());
    if (map && map->pageCount() != m_recorded.marks + 1)
        map = pw::unexpected(
            word::Error{word::Error::Kind::Failed,
                        QStringLiteral("%1 of Word's %2 page starts reached the office")
                            .arg(map->pageCount() - 1)
                            .arg(m_recorded.marks)});
    if (map) {
        m_used = Pagination::Word;
        return map;
    }
    if (m_asked == Pagination::Word) return map;
    return buildPageMap(doc);
}

}  // namespace pw::split
