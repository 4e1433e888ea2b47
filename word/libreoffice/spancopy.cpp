#include "word/libreoffice/spancopy.h"

#include <map>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/datatransfer/XTransferableSupplier.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/text/TableColumnSeparator.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XRelativeTextContentInsert.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTableCursor.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <com/sun/star/view/XViewSettingsSupplier.hpp>

#include "word/libreoffice/cellname.h"
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

// The view's settings that together lay hidden text out.
constexpr const char* HiddenTextSettings[] = {"ShowHiddenCharacters", "ShowNonprintingCharacters",
                                              "ShowHiddenText", "ShowHiddenParagraphs"};

Reference<css::beans::XPropertySet> viewSettings(
    const Reference<css::frame::XController>& controller) {
    return Reference<css::view::XViewSettingsSupplier>(controller, UNO_QUERY_THROW)
        ->getViewSettings();
}

TablePlace placeOf(const Reference<css::text::XText>& body,
                   const Reference<css::text::XTextViewCursor>& view,
                   const Reference<XTextRange>& at) {
    TablePlace place;
    const OuterCell outer = outerCellAt(body, at);
    place.table = outer.table;
    if (!place.table.is()) return place;
    place.name = Reference<css::container::XNamed>(place.table, UNO_QUERY_THROW)->getName();
    const Reference<css::beans::XPropertySet>& cell = outer.cell;
    OUString cellName;
    if (cell.is()) cell->getPropertyValue("CellName") >>= cellName;
    place.row = parseCellName(cellName).row;
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

// A table with no paragraph right before it (one that opens the document, or follows another
// table) has nowhere to be copied from as running text, and taken as rows some tables (of one
// cell, or holding another) copy as nothing: the opening is given an empty paragraph before
// each. Openings are emptied once copied, never stored as the source.
void separateTables(const Reference<css::frame::XController>& controller,
                    const Reference<css::text::XText>& body) {
    std::vector<Reference<css::text::XTextContent>> bare;
    Reference<css::container::XEnumeration> items =
        Reference<css::container::XEnumerationAccess>(body, UNO_QUERY_THROW)->createEnumeration();
    bool afterParagraph = false;
    while (items->hasMoreElements()) {
        Reference<css::text::XTextContent> block(items->nextElement(), UNO_QUERY);
        const bool table = Reference<css::text::XTextTable>(block, UNO_QUERY).is();
        if (table && !afterParagraph) bare.push_back(block);
        afterParagraph = !table;
    }
    if (bare.empty()) return;
    Reference<css::lang::XMultiServiceFactory> factory(controller->getModel(), UNO_QUERY_THROW);
    Reference<css::text::XRelativeTextContentInsert> insert(body, UNO_QUERY_THROW);
    for (const auto& table : bare)
        insert->insertTextContentBefore(
            Reference<css::text::XTextContent>(
                factory->createInstance("com.sun.star.text.Paragraph"), UNO_QUERY_THROW),
            table);
}

void readNeighbours(const Reference<css::frame::XController>& controller,
                    const Reference<css::text::XText>& body, TableNeighbours& result) {
    separateTables(controller, body);
    result.byTable.clear();
    result.inOrder.clear();
    std::vector<std::pair<OUString, Reference<css::text::XTextTable>>> tables;
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
            tables.emplace_back(name, table);
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
    for (auto& [name, table] : tables) result.inOrder.push_back({table, result.byTable[name]});
    result.read = true;
}

// The page style and number of the page that begins at `at`.
void readStartPage(const Reference<css::text::XText>& body,
                   const Reference<css::text::XTextViewCursor>& view,
                   const Reference<XTextRange>& at, SpanPlan& plan) {
    Reference<css::text::XText> text = at->getText();
    if (!text.is()) text = body;
    Reference<css::beans::XPropertySet> cursor(text->createTextCursorByRange(at), UNO_QUERY_THROW);
    cursor->getPropertyValue("PageStyleName") >>= plan.pageStyle;
    plan.continues =
        !Reference<css::text::XParagraphCursor>(cursor, UNO_QUERY_THROW)->isStartOfParagraph();
    view->gotoRange(at, false);
    plan.page = Reference<css::text::XPageCursor>(view, UNO_QUERY_THROW)->getPage();
    // A run of a page style begins where a paragraph asks for the style.
    OUString asked;
    if (plan.page > 1 && !plan.continues) cursor->getPropertyValue("PageDescName") >>= asked;
    plan.opensSection = plan.page <= 1 || !asked.isEmpty();
}

class Copier {
public:
    Copier(const Reference<css::frame::XController>& controller,
           const Reference<css::text::XTextViewCursor>& view,
           const Reference<css::text::XText>& body, TableNeighbours& neighbours,
           HiddenTextShown& hidden)
        : m_controller(controller),
          m_view(view),
          m_supplier(controller, UNO_QUERY_THROW),
          m_selection(controller, UNO_QUERY_THROW),
          m_body(body),
          m_neighbours(neighbours),
          m_hidden(hidden) {}

    void text(const Reference<XTextRange>& from, const Reference<XTextRange>& to) {
        m_view->gotoRange(from, false);
        m_view->gotoRange(to, true);
        // In some documents the view cannot be drawn across a table: the selection comes out
        // short, and the text is then taken piece by piece around the tables.
        if (m_view->getString().getLength() < textLength(from, to)) {
            acrossTables(from, to);
            return;
        }
        take();
    }

    void rows(const Reference<css::text::XTextTable>& table, int first, int last) {
        if (last < first) return;
        // A table cursor takes the rectangle its two corner cells span. Where merged cells
        // leave rows of different lengths, the corners come from the end row that reaches
        // further right, so that the rectangle spans every column. How far a row reaches is
        // measured, not counted: the cells of a row run on from above are missing from it.
        struct Ends {
            OUString left, right;
            int leftColumn = 0, rightColumn = -1;
        } top, bottom;
        for (const OUString& name : table->getCellNames()) {
            const CellName cell = parseCellName(name);
            Ends* ends = cell.row == first ? &top : cell.row == last ? &bottom : nullptr;
            if (!ends) continue;
            if (ends->left.isEmpty() || cell.column < ends->leftColumn) {
                ends->left = name;
                ends->leftColumn = cell.column;
            }
            if (cell.column > ends->rightColumn) {
                ends->right = name;
                ends->rightColumn = cell.column;
            }
        }
        if (first == last) bottom = top;
        // One row is its own rectangle: nothing to measure.
        const bool topWider = first != last && rightEdge(table, first, top.rightColumn) >
                                                   rightEdge(table, last, bottom.rightColumn);
        const OUString firstCell = topWider ? top.right : top.left;
        const OUString lastCell = topWider ? bottom.left : bottom.right;
        if (firstCell.isEmpty() || lastCell.isEmpty()) return;
        if (firstCell == lastCell) {
            // The office copies a selection of one cell as nothing: its text comes instead.
            Reference<css::text::XText> cell(table->getCellByName(firstCell), UNO_QUERY_THROW);
            plainText(cell->getStart(), cell->getEnd());
            return;
        }
        Reference<css::text::XTextTableCursor> cursor = table->createCursorByCellName(firstCell);
        cursor->gotoCellByName(lastCell, true);
        if (!m_selection->select(Any(cursor)))
            throw css::uno::RuntimeException("the table rows could not be selected");
        take();
    }

    std::vector<Reference<XTransferable>> pieces;

private:
    void take() { pieces.emplace_back(m_supplier->getTransferable(), UNO_SET_THROW); }

    // Where the cell in the given column of a row ends, in the table's relative units.
    static sal_Int32 rightEdge(const Reference<css::text::XTextTable>& table, int row, int column) {
        Reference<css::beans::XPropertySet> line(table->getRows()->getByIndex(row),
                                                 UNO_QUERY_THROW);
        css::uno::Sequence<css::text::TableColumnSeparator> separators;
        line->getPropertyValue("TableColumnSeparators") >>= separators;
        if (column >= 0 && column < separators.getLength()) return separators[column].Position;
        sal_Int16 whole = 0;
        Reference<css::beans::XPropertySet>(table, UNO_QUERY_THROW)
            ->getPropertyValue("TableColumnRelativeSum") >>= whole;
        return whole;
    }

    sal_Int32 textLength(const Reference<XTextRange>& from, const Reference<XTextRange>& to) {
        Reference<css::text::XTextCursor> cursor = m_body->createTextCursorByRange(from);
        cursor->gotoRange(to, true);
        return cursor->getString().getLength();
    }

    // Negative when a comes before b, as the office orders places of the main text.
    int order(const Reference<XTextRange>& a, const Reference<XTextRange>& b) {
        Reference<css::text::XTextRangeCompare> compare(m_body, UNO_QUERY_THROW);
        return -compare->compareRegionStarts(a, b);
    }

    void acrossTables(const Reference<XTextRange>& from, const Reference<XTextRange>& to) {
        if (!m_neighbours.read) readNeighbours(m_controller, m_body, m_neighbours);
        const auto& tables = m_neighbours.inOrder;
        // The first table after `from`, found by halving: spans are many, tables may be too.
        size_t lo = 0, hi = tables.size();
        while (lo < hi) {
            const size_t mid = (lo + hi) / 2;
            const auto& after = tables[mid].ends.after;
            if (after.is() && order(after, from) <= 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        Reference<XTextRange> at = from;
        for (size_t i = lo; i < tables.size(); ++i) {
            const auto& [table, ends] = tables[i];
            if (!ends.before.is() || !ends.after.is() || order(ends.after, to) > 0) break;
            if (order(at, ends.before) < 0) plainText(at, ends.before);
            rows(table, 0, table->getRows()->getCount() - 1);
            at = ends.after;
        }
        plainText(at, to);
    }

    // Running text without a table, selected through a cursor of the text: after a table has
    // been selected, the view cursor cannot always be drawn again.
    void plainText(const Reference<XTextRange>& from, const Reference<XTextRange>& to) {
        Reference<css::text::XText> text = from->getText();
        if (!text.is()) text = m_body;
        Reference<css::text::XTextCursor> cursor = text->createTextCursorByRange(from);
        cursor->gotoRange(to, true);
        if (!m_selection->select(Any(cursor)))
            throw css::uno::RuntimeException("the text could not be selected");
        if (!m_hidden.shown && selectedLength() < cursor->getString().getLength()) {
            showHiddenText();
            if (!m_selection->select(Any(cursor)))
                throw css::uno::RuntimeException("the text could not be selected");
        }
        take();
    }

    sal_Int32 selectedLength() {
        Reference<css::container::XIndexAccess> ranges(m_selection->getSelection(), UNO_QUERY);
        sal_Int32 length = 0;
        for (sal_Int32 i = 0; ranges.is() && i < ranges->getCount(); ++i)
            if (Reference<XTextRange> range(ranges->getByIndex(i), UNO_QUERY); range.is())
                length += range->getString().getLength();
        return length;
    }

    // Lays the whole document out again, once.
    void showHiddenText() {
        const Reference<css::beans::XPropertySet> settings = viewSettings(m_controller);
        m_hidden.before.clear();
        for (const char* name : HiddenTextSettings) {
            m_hidden.before.push_back(settings->getPropertyValue(OUString::createFromAscii(name)));
            settings->setPropertyValue(OUString::createFromAscii(name), Any(true));
        }
        m_hidden.shown = true;
    }

    Reference<css::frame::XController> m_controller;
    Reference<css::text::XTextViewCursor> m_view;
    Reference<css::datatransfer::XTransferableSupplier> m_supplier;
    Reference<css::view::XSelectionSupplier> m_selection;
    Reference<css::text::XText> m_body;
    TableNeighbours& m_neighbours;
    HiddenTextShown& m_hidden;
};

}  // namespace

OuterCell outerCellAt(const Reference<css::text::XText>& body, const Reference<XTextRange>& at) {
    OuterCell outer;
    Reference<XTextRange> place = at;
    for (;;) {
        Reference<css::text::XText> text = place->getText();
        if (!text.is()) text = body;
        Reference<css::beans::XPropertySet> cursor(text->createTextCursorByRange(place),
                                                   UNO_QUERY_THROW);
        Reference<css::text::XTextTable> table;
        cursor->getPropertyValue("TextTable") >>= table;
        if (!table.is()) return outer;
        outer.table = table;
        outer.cell.clear();
        cursor->getPropertyValue("Cell") >>= outer.cell;
        place = Reference<css::text::XTextContent>(table, UNO_QUERY_THROW)->getAnchor();
        // The anchor of a table inside a cell stands in that cell's text.
        if (!Reference<css::table::XCell>(place->getText(), UNO_QUERY).is()) return outer;
    }
}

SpanPlan planSpan(const Reference<css::text::XText>& body,
                  const Reference<css::text::XTextViewCursor>& view,
                  const Reference<XTextRange>& start, const Reference<XTextRange>& end,
                  const TablePlace* knownFrom) {
    SpanPlan plan;
    plan.start = start;
    plan.end = end;
    readStartPage(body, view, start, plan);
    plan.from = knownFrom ? *knownFrom : placeOf(body, view, start);
    plan.to = placeOf(body, view, end);
    return plan;
}

SpanCopy copySpan(const Reference<css::frame::XController>& controller,
                  const Reference<css::text::XTextViewCursor>& view,
                  const Reference<css::text::XText>& body, const SpanPlan& plan,
                  TableNeighbours& neighbours, HiddenTextShown& hidden) {
    Copier copy(controller, view, body, neighbours, hidden);
    SpanCopy result;
    result.pageStyle = plan.pageStyle;
    result.page = plan.page;
    result.notes = plan.notes;
    result.continues = plan.continues;
    result.opensSection = plan.opensSection;
    const Reference<XTextRange>& start = plan.start;
    const Reference<XTextRange>& end = plan.end;
    const TablePlace& from = plan.from;
    const TablePlace& to = plan.to;
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
    if (!neighbours.read) readNeighbours(controller, body, neighbours);
    auto near = [&](const OUString& table) {
        auto it = neighbours.byTable.find(table);
        return it == neighbours.byTable.end() ? TableNeighbours::Ends{} : it->second;
    };
    Reference<XTextRange> textFrom = start, textTo = end;
    if (from.table.is() && from.row == 0 && near(from.name).before.is()) {
        // A table that opens the page whole goes with the running text, from the end of the
        // paragraph before it: the office copies a table of one cell as nothing at all. The
        // empty paragraph this brings along is taken away when pasted.
        textFrom = near(from.name).before;
    } else if (from.table.is()) {
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

void restoreHiddenText(const Reference<css::frame::XController>& controller,
                       HiddenTextShown& hidden) {
    if (!hidden.shown) return;
    const Reference<css::beans::XPropertySet> settings = viewSettings(controller);
    for (size_t i = 0; i < hidden.before.size(); ++i)
        settings->setPropertyValue(OUString::createFromAscii(HiddenTextSettings[i]),
                                   hidden.before[i]);
    hidden.shown = false;
}

void keepContinuation(const Reference<css::text::XText>& body, bool continues) {
    if (!continues) return;
    Reference<css::container::XEnumeration> items =
        Reference<css::container::XEnumerationAccess>(body, UNO_QUERY_THROW)->createEnumeration();
    if (!items->hasMoreElements()) return;
    Reference<css::beans::XPropertySet> first(items->nextElement(), UNO_QUERY);
    if (!first.is() || Reference<css::text::XTextTable>(first, UNO_QUERY).is()) return;
    Reference<css::uno::XInterface> rules;
    first->getPropertyValue("NumberingRules") >>= rules;
    if (rules.is()) first->setPropertyValue("NumberingIsNumber", Any(false));
}

}  // namespace pw::word::lo
