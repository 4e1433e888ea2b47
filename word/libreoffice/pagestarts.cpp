#include "word/libreoffice/pagestarts.h"

#include <map>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/text/XBookmarksSupplier.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>

#include "word/libreoffice/cellname.h"
#include "word/libreoffice/unostring.h"

namespace pw::word::lo {

namespace css = com::sun::star;
using css::text::XTextRange;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

// A page that begins in a table begins with a row of the table that stands in the main text.
Reference<XTextRange> rowStart(const Reference<XTextRange>& at) {
    Reference<XTextRange> place = at;
    for (int nesting = 0; nesting < 32; ++nesting) {
        Reference<css::text::XText> text = place->getText();
        if (!text.is()) return at;
        Reference<css::beans::XPropertySet> cursor(text->createTextCursorByRange(place),
                                                   UNO_QUERY_THROW);
        Reference<css::text::XTextTable> table;
        cursor->getPropertyValue("TextTable") >>= table;
        if (!table.is()) return nesting == 0 ? at : place;
        // A table in a cell: its row is the outer table's. (Where the office gives no anchor
        // for a table, the table is taken as standing in the main text.)
        Reference<XTextRange> tableAnchor =
            Reference<css::text::XTextContent>(table, UNO_QUERY_THROW)->getAnchor();
        Reference<css::text::XTextTable> outer;
        if (tableAnchor.is() && tableAnchor->getText().is())
            Reference<css::beans::XPropertySet>(
                tableAnchor->getText()->createTextCursorByRange(tableAnchor), UNO_QUERY_THROW)
                ->getPropertyValue("TextTable") >>= outer;
        if (outer.is()) {
            place = tableAnchor;
            continue;
        }
        Reference<css::beans::XPropertySet> cell;
        cursor->getPropertyValue("Cell") >>= cell;
        OUString cellName;
        if (cell.is()) cell->getPropertyValue("CellName") >>= cellName;
        const CellName parsed = parseCellName(cellName);
        const int row = parsed.plain ? parsed.row + 1 : 0;
        Reference<css::text::XText> first(
            row > 0 ? table->getCellByName("A" + OUString::number(row)) : nullptr, UNO_QUERY);
        if (first.is()) return first->getStart();
        return cell.is() ? Reference<css::text::XText>(cell, UNO_QUERY_THROW)->getStart() : at;
    }
    return at;
}

}  // namespace

std::vector<Reference<XTextRange>> takePageStarts(const Reference<css::frame::XModel>& model,
                                                  const QString& prefix) {
    Reference<css::container::XNameAccess> bookmarks =
        Reference<css::text::XBookmarksSupplier>(model, UNO_QUERY_THROW)->getBookmarks();
    const OUString stem = toU(prefix);
    std::map<int, Reference<XTextRange>> numbered;
    std::vector<Reference<css::lang::XComponent>> taken;
    for (const OUString& name : bookmarks->getElementNames()) {
        if (!name.startsWith(stem)) continue;
        Reference<css::text::XTextContent> mark(bookmarks->getByName(name), UNO_QUERY_THROW);
        taken.emplace_back(mark, UNO_QUERY_THROW);
        const OUString number = name.copy(stem.getLength());
        const int k = number.toInt32();
        if (k <= 0 || OUString::number(k) != number) continue;
        try {
            numbered[k] = rowStart(mark->getAnchor()->getStart());
        } catch (const css::uno::RuntimeException&) {
            // Left out: the caller finds a page start missing and does without them all.
        }
    }
    // The places are held by ranges of their own, which outlive the bookmarks.
    for (const auto& mark : taken) mark->dispose();
    std::vector<Reference<XTextRange>> starts;
    starts.reserve(numbered.size());
    for (auto& [k, place] : numbered) starts.push_back(std::move(place));
    return starts;
}

}  // namespace pw::word::lo
