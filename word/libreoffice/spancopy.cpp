#include "word/libreoffice/spancopy.h"

#include <map>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/datatransfer/XTransferableSupplier.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "word/libreoffice/unostring.h"

namespace pw::word::lo {

namespace css = com::sun::star;
using css::datatransfer::XTransferable;
using css::text::XTextRange;
using css::uno::Any;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using css::uno::UNO_SET_THROW;

namespace {

struct TablePlace {
    Reference<css::text::XTextTable> table;  // null when the place is in the running text
    OUString name;
    int row = 0;  // 0-based
};

// Cell names are column letters followed by the row number ("B12").
std::pair<int, int> parseCell(const OUString& name) {
    int i = 0, column = 0, row = 0;
    for (; i < name.getLength() &&
           ((name[i] >= 'A' && name[i] <= 'Z') || (name[i] >= 'a' && name[i] <= 'z'));
         ++i)
        column = column * 52 + (name[i] >= 'a' ? name[i] - 'a' + 26 : name[i] - 'A') + 1;
    for (; i < name.getLength() && name[i] >= '0' && name[i] <= '9'; ++i)
        row = row * 10 + (name[i] - '0');
    return {row - 1, column - 1};
}

OUString columnName(int column) {
    OUString s;
    for (++column; column > 0; column = (column - 1) / 52) {
        const int d = (column - 1) % 52;
        s = OUString(sal_Unicode(d < 26 ? 'A' + d : 'a' + d - 26)) + s;
    }
    return s;
}

TablePlace placeOf(const Reference<css::text::XText>& body,
                   const Reference<css::text::XTextViewCursor>& view,
                   const Reference<XTextRange>& at) {
    Reference<css::text::XText> text = at->getText();
    if (!text.is()) text = body;
    Reference<css::beans::XPropertySet> cursor(text->createTextCursorByRange(at), UNO_QUERY_THROW);
    TablePlace place;
    cursor->getPropertyValue("TextTable") >>= place.table;
    if (!place.table.is()) return place;
    place.name = Reference<css::container::XNamed>(place.table, UNO_QUERY_THROW)->getName();
    Reference<css::beans::XPropertySet> cell;
    cursor->getPropertyValue("Cell") >>= cell;
    OUString cellName;
    if (cell.is()) cell->getPropertyValue("CellName") >>= cellName;
    place.row = parseCell(cellName).first;
    // A page that begins inside a row broken across pages (or at the row's very end) is given
    // the next row: the broken row goes whole with the page where it begins.
    if (cell.is() && view.is()) {
        Reference<css::text::XPageCursor> pages(view, UNO_QUERY_THROW);
        view->gotoRange(at, false);
        const sal_Int16 atPage = pages->getPage();
        view->gotoRange(Reference<css::text::XText>(cell, UNO_QUERY_THROW)->getStart(), false);
        if (pages->getPage() < atPage) ++place.row;
    }
    return place;
}

void readNeighbours(const Reference<css::text::XText>& body, TableNeighbours& result) {
    result.byTable.clear();
    Reference<css::container::XEnumeration> items =
        Reference<css::container::XEnumerationAccess>(body, UNO_QUERY_THROW)->createEnumeration();
    Reference<XTextRange> lastParagraph;
    OUString pendingTable;
    while (items->hasMoreElements()) {
        const Any item = items->nextElement();
        Reference<css::text::XTextTable> table(item, UNO_QUERY);
        if (table.is()) {
            const OUString name =
                Reference<css::container::XNamed>(table, UNO_QUERY_THROW)->getName();
            result.byTable[name].before = lastParagraph;
            lastParagraph.clear();
            pendingTable = name;
            continue;
        }
        Reference<XTextRange> paragraph(item, UNO_QUERY);
        if (!paragraph.is()) continue;
        if (!pendingTable.isEmpty()) {
            result.byTable[pendingTable].after = paragraph->getStart();
            pendingTable = OUString();
        }
        lastParagraph = paragraph->getEnd();
    }
    result.read = true;
}

// The page style and number of the page that begins at `at`.
void readStartPage(const Reference<css::text::XText>& body,
                   const Reference<css::text::XTextViewCursor>& view,
                   const Reference<XTextRange>& at, SpanCopy& copy) {
    Reference<css::text::XText> text = at->getText();
    if (!text.is()) text = body;
    Reference<css::beans::XPropertySet> cursor(text->createTextCursorByRange(at), UNO_QUERY_THROW);
    cursor->getPropertyValue("PageStyleName") >>= copy.pageStyle;
    view->gotoRange(at, false);
    copy.page = Reference<css::text::XPageCursor>(view, UNO_QUERY_THROW)->getPage();
}

class Copier {
public:
    Copier(const Reference<css::frame::XController>& controller,
           const Reference<css::text::XTextViewCursor>& view)
        : m_view(view),
          m_supplier(controller, UNO_QUERY_THROW),
          m_selection(controller, UNO_QUERY_THROW) {}

    void text(const Reference<XTextRange>& from, const Reference<XTextRange>& to) {
        m_view->gotoRange(from, false);
        m_view->gotoRange(to, true);
        take();
    }

    void rows(const Reference<css::text::XTextTable>& table, int first, int last) {
        if (last < first) return;
        int lastColumn = 0;
        for (const OUString& name : table->getCellNames()) {
            const auto [row, column] = parseCell(name);
            if (row >= first && row <= last) lastColumn = std::max(lastColumn, column);
        }
        const OUString range = "A" + OUString::number(first + 1) + ":" + columnName(lastColumn) +
                               OUString::number(last + 1);
        Reference<css::table::XCellRange> cells(table, UNO_QUERY_THROW);
        m_selection->select(Any(cells->getCellRangeByName(range)));
        take();
    }

    std::vector<Reference<XTransferable>> pieces;

private:
    void take() { pieces.emplace_back(m_supplier->getTransferable(), UNO_SET_THROW); }

    Reference<css::text::XTextViewCursor> m_view;
    Reference<css::datatransfer::XTransferableSupplier> m_supplier;
    Reference<css::view::XSelectionSupplier> m_selection;
};

}  // namespace

SpanCopy copySpan(const Reference<css::frame::XController>& controller,
                                               const Reference<css::text::XTextViewCursor>& view,
                                               const Reference<css::text::XText>& body,
                                               const Reference<XTextRange>& start,
                                               const Reference<XTextRange>& end,
                                               TableNeighbours& neighbours) {
    Copier copy(controller, view);
    SpanCopy result;
    readStartPage(body, view, start, result);
    const TablePlace from = placeOf(body, view, start), to = placeOf(body, view, end);
    if (!from.table.is() && !to.table.is()) {
        copy.text(start, end);
        result.pieces = std::move(copy.pieces);
        return result;
    }
    if (from.table.is() && to.table.is() && from.name == to.name) {
        copy.rows(from.table, from.row, to.row - 1);
        result.pieces = std::move(copy.pieces);
        result.rowsFirst = result.rowsLast = true;
        return result;
    }
    if (!neighbours.read) readNeighbours(body, neighbours);
    auto near = [&](const OUString& table) {
        auto it = neighbours.byTable.find(table);
        return it == neighbours.byTable.end() ? TableNeighbours::Ends{} : it->second;
    };
    Reference<XTextRange> textFrom = start, textTo = end;
    if (from.table.is()) {
        copy.rows(from.table, from.row, from.table->getRows()->getCount() - 1);
        textFrom = near(from.name).after;
    }
    if (to.table.is()) textTo = near(to.name).before;
    if (textFrom.is() && textTo.is()) copy.text(textFrom, textTo);
    const size_t before = copy.pieces.size();
    if (to.table.is()) copy.rows(to.table, 0, to.row - 1);
    result.rowsLast = copy.pieces.size() > before;
    result.rowsFirst = from.table.is();
    result.pieces = std::move(copy.pieces);
    return result;
}

}  // namespace pw::word::lo
