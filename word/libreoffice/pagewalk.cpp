#include "word/libreoffice/pagewalk.h"

#include <stdexcept>

#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XTextCursor.hpp>

#include "word/libreoffice/cellname.h"
#include "word/libreoffice/pagestarts.h"
#include "word/libreoffice/spancopy.h"
#include "word/libreoffice/textorder.h"

namespace pw::word::lo {

using css::text::XTextRange;
using css::uno::UNO_QUERY_THROW;

namespace {

// The start and the end of the main text; the view is left at its start. The start is taken
// as the first page's, by the view: it lies inside a table that opens the document, where a
// cursor of the body could not go. Going to the start would stop at a cell's start where the
// office opened the file with the view in a table, and pass over a table that opens it.
std::pair<Reference<XTextRange>, Reference<XTextRange>> textBounds(DocState& doc) {
    doc.view->gotoRange(doc.body->getEnd(), false);
    Reference<css::text::XPageCursor> pages(doc.view, UNO_QUERY_THROW);
    pages->jumpToFirstPage();
    pages->jumpToStartOfPage();
    Reference<XTextRange> first = doc.view->getStart();
    Reference<css::text::XTextCursor> at = doc.body->createTextCursor();
    at->gotoEnd(false);
    return {first, Reference<XTextRange>(at.get())};
}

int compare(DocState& doc, const Reference<XTextRange>& a, const Reference<XTextRange>& b) {
    return compareTextRanges(doc.body, doc.view, a, b);
}

// A page the view is at that begins inside a table row started on an earlier page, when
// nothing begins on it after that row but the final empty paragraph. The row goes whole with
// the page where it begins, so this page makes no part of its own. The view is left where it was.
bool onlyRowRunningOn(DocState& doc, const Reference<XTextRange>& at,
                      const Reference<XTextRange>& textEnd) {
    const OuterCell outer = outerCellAt(doc.body, at);
    if (!outer.cell.is()) return false;
    Reference<css::text::XPageCursor> pages(doc.view, UNO_QUERY_THROW);
    const sal_Int16 page = pages->getPage();
    const Reference<XTextRange> here = doc.view->getStart();
    auto pageOf = [&](const Reference<XTextRange>& place) {
        doc.view->gotoRange(place, false);
        return pages->getPage();
    };
    bool nothingNew = false;
    if (pageOf(Reference<css::text::XText>(outer.cell, UNO_QUERY_THROW)->getStart()) < page) {
        OUString name;
        outer.cell->getPropertyValue("CellName") >>= name;
        const int row = parseCellName(name).row;
        Reference<XTextRange> rowEnd;
        int lastColumn = -1;
        for (const OUString& cell : outer.table->getCellNames()) {
            const CellName place = parseCellName(cell);
            if (place.row != row) continue;
            Reference<css::text::XText> text(outer.table->getCellByName(cell), UNO_QUERY_THROW);
            if (pageOf(text->getEnd()) > page) {
                nothingNew = true;
                break;
            }
            if (place.column > lastColumn) {
                lastColumn = place.column;
                rowEnd = text->getEnd();
            }
        }
        // What comes after the row: the next row, or what follows the table.
        if (!nothingNew && rowEnd.is()) {
            doc.view->gotoRange(rowEnd, false);
            nothingNew = doc.view->goRight(1, false) &&
                         compareTextRanges(doc.body, doc.view, doc.view->getStart(), textEnd) == 0;
        }
    }
    doc.view->gotoRange(here, false);
    return nothingNew;
}

}  // namespace

LayoutWalk::LayoutWalk(DocState& doc) : m_doc(doc), m_pageCursor(doc.view, UNO_QUERY_THROW) {
    const auto [first, textEnd] = textBounds(doc);
    m_pages = {{positionOf(first)}, positionOf(textEnd)};
    m_prev = first;
    m_end = textEnd;
    m_here = first;
}

// Moves the view to the start of the next page; stays put on the last page and says false.
// Each page costs round trips to the office: none is made twice.
bool LayoutWalk::nextPage() {
    const sal_Int16 page = m_pageCursor->getPage();
    if (m_pageCursor->jumpToNextPage() && m_pageCursor->getPage() != page) {
        m_pageCursor->jumpToStartOfPage();
        return true;
    }
    m_doc.view->gotoRange(m_here, false);
    return false;
}

bool LayoutWalk::next() {
    while (nextPage()) {
        const Reference<XTextRange> cur = m_doc.view->getEnd();
        m_here = cur;
        const Reference<css::text::XTextRangeCompare> order = comparerOf(m_doc.body, cur);
        const int advanced = compareTextRanges(m_doc.view, order, cur, m_prev);
        // A page on which no new text begins (a picture or row running on) stays with the page
        // before; going backwards would be a layout fault, and ends the walk.
        if (advanced < 0) return false;
        if (advanced == 0 || onlyRowRunningOn(m_doc, cur, m_end)) continue;
        // A last page that holds only the final empty paragraph starts at the end of the text;
        // it is a page all the same.
        if (compareTextRanges(m_doc.view, order, cur, m_end) > 0) return false;
        m_pages.starts.push_back(positionOf(cur));
        m_prev = cur;
        return true;
    }
    return false;
}

PageStarts bookmarkedPageStarts(DocState& doc, const QString& prefix) {
    const auto marks = takePageStarts(doc.model, prefix);
    const auto [first, textEnd] = textBounds(doc);
    PageStarts pages{{positionOf(first)}, positionOf(textEnd)};
    Reference<XTextRange> prev = first;
    for (const Reference<XTextRange>& at : marks) {
        if (compare(doc, prev, at) >= 0)
            throw std::runtime_error("the page starts are out of order");
        pages.starts.push_back(positionOf(at));
        prev = at;
    }
    if (compare(doc, prev, textEnd) > 0)
        throw std::runtime_error("a page starts after the end of the text");
    return pages;
}

}  // namespace pw::word::lo
