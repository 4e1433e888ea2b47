#pragma once

// Where the pages of the main text begin: walked page by page in the office's layout, or read
// from bookmarks that mark them.

#include <QString>

#include <com/sun/star/text/XPageCursor.hpp>

#include "word/libreoffice/docstate.h"

namespace pw::word::lo {

// The office's layout, walked a page at a time so that each step has the call deadline to
// itself: a long document is no hung office. Moves the view cursor; throws when refused.
class LayoutWalk {
public:
    explicit LayoutWalk(DocState& doc);
    // Adds where the next page begins; false after the last page.
    bool next();
    PageStarts take() { return std::move(m_pages); }

private:
    bool nextPage();

    DocState& m_doc;
    Reference<css::text::XPageCursor> m_pageCursor;
    PageStarts m_pages;
    // m_here: where the view stands, taken back there after the last page.
    Reference<css::text::XTextRange> m_prev, m_end, m_here;
};

// Moves the view cursor and throws when the office refuses.
PageStarts bookmarkedPageStarts(DocState& doc, const QString& prefix);

}  // namespace pw::word::lo
