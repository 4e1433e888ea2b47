#include "word/libreoffice/carve.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertyState.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XRedlinesSupplier.hpp>
#include <com/sun/star/document/XUndoManager.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/table/XTableRows.hpp>
#include <com/sun/star/text/XBookmarksSupplier.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/text/XTextTable.hpp>

#include "word/libreoffice/cellname.h"
#include "word/libreoffice/editing.h"

namespace pw::word::lo {

using css::text::XText;
using css::text::XTextRange;
using css::text::XTextTable;
using css::uno::Any;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

// The title of a cut's undo step: an empty step is dropped by the office, and this tells
// whether there is anything of the cut to take back.
const OUString CutStep = OUString("pagewright cut");

// The paragraphs and tables of the main text, in order.
std::vector<Any> blocksOf(const Reference<XText>& body) {
    std::vector<Any> blocks;
    Reference<css::container::XEnumeration> items =
        Reference<css::container::XEnumerationAccess>(body, UNO_QUERY_THROW)->createEnumeration();
    while (items->hasMoreElements()) blocks.push_back(items->nextElement());
    return blocks;
}

bool isTable(const Any& block) {
    return Reference<XTextTable>(block, UNO_QUERY).is();
}

Reference<XTextRange> anchorOf(DocState& doc, const OUString& mark) {
    Reference<css::container::XNameAccess> marks =
        Reference<css::text::XBookmarksSupplier>(doc.model, UNO_QUERY_THROW)->getBookmarks();
    return Reference<css::text::XTextContent>(marks->getByName(mark), UNO_QUERY_THROW)->getAnchor();
}

// Where a span's end stands among the blocks of the main text. The table is found from the
// end's bookmark: a table put back by undo is another object, perhaps with another name, but
// its rows are the same. An end in a table inside a table stands in the outer table's row.
std::pair<size_t, int> tableBlock(DocState& doc, const std::vector<Any>& blocks,
                                  const TablePlace& place, const OUString& mark) {
    const Reference<XTextTable> table = outerCellAt(doc.body, anchorOf(doc, mark)).table;
    if (!table.is())
        throw css::uno::RuntimeException("the span's end is no longer in its table", {});
    const OUString name = Reference<css::container::XNamed>(table, UNO_QUERY_THROW)->getName();
    for (size_t i = 0; i < blocks.size(); ++i) {
        Reference<XTextTable> block(blocks[i], UNO_QUERY);
        if (block.is() &&
            Reference<css::container::XNamed>(block, UNO_QUERY_THROW)->getName() == name)
            return {i, place.row};
    }
    throw css::uno::RuntimeException("a table of the span is not in the main text", {});
}

void removeTable(DocState& doc, const Any& block) {
    doc.body->removeTextContent(Reference<css::text::XTextContent>(block, UNO_QUERY_THROW));
}

// The text from `from` to the end goes; tables wholly inside go with it.
void cutToEnd(DocState& doc, const Reference<XTextRange>& from) {
    Reference<css::text::XTextCursor> cursor = doc.body->createTextCursorByRange(from);
    cursor->gotoEnd(true);
    cursor->setString(OUString());
}

// The paragraph the text must keep after a table that now ends it: no break, no page style,
// and as small as a paragraph can be, so it brings no page of its own.
void quietLastParagraph(DocState& doc) {
    const std::vector<Any> blocks = blocksOf(doc.body);
    if (blocks.size() < 2 || !isTable(blocks[blocks.size() - 2]) ||
        !Reference<XTextRange>(blocks.back(), UNO_QUERY_THROW)->getString().isEmpty())
        return;
    Reference<css::beans::XPropertySet> last(blocks.back(), UNO_QUERY_THROW);
    last->setPropertyValue("BreakType", Any(css::style::BreakType_NONE));
    Reference<css::beans::XPropertyState>(last, UNO_QUERY_THROW)
        ->setPropertyToDefault("PageDescName");
    last->setPropertyValue("CharHeight", Any(1.0f));
    last->setPropertyValue("ParaTopMargin", Any(sal_Int32(0)));
    last->setPropertyValue("ParaBottomMargin", Any(sal_Int32(0)));
}

// Everything after blocks[i] goes, but for the paragraph after a table.
void cutAfterBlock(DocState& doc, const std::vector<Any>& blocks, size_t i) {
    size_t k = i + 1;
    for (; k < blocks.size() && isTable(blocks[k]); ++k) removeTable(doc, blocks[k]);
    if (k < blocks.size())
        cutToEnd(doc, Reference<XTextRange>(blocks[k], UNO_QUERY_THROW)->getStart());
}

void cutAfterSpan(DocState& doc, const SpanPlan& plan) {
    if (plan.to.table.is()) {
        const std::vector<Any> blocks = blocksOf(doc.body);
        const auto [i, row] = tableBlock(doc, blocks, plan.to, plan.endMark);
        if (row > 0) {
            // The rows from the next page's on go, and all after the table.
            Reference<css::table::XTableRows> rows =
                Reference<XTextTable>(blocks[i], UNO_QUERY_THROW)->getRows();
            const sal_Int32 count = rows->getCount();
            if (row < count) rows->removeByIndex(row, count - row);
            cutAfterBlock(doc, blocks, i);
        } else if (i > 0 && isTable(blocks[i - 1])) {
            cutAfterBlock(doc, blocks, i - 1);
        } else if (i > 0) {
            // From the end of the paragraph before the table, which keeps its own attributes.
            cutToEnd(doc, Reference<XTextRange>(blocks[i - 1], UNO_QUERY_THROW)->getEnd());
        } else {
            throw css::uno::RuntimeException("the span is empty", {});
        }
        quietLastParagraph(doc);
        return;
    }
    Reference<XTextRange> from = anchorOf(doc, plan.endMark);
    // A span that ends with its paragraph takes that paragraph's end along: the paragraph
    // left at the end is then its own, not the next page's with its break.
    Reference<css::text::XTextCursor> cursor = doc.body->createTextCursorByRange(from);
    // A step left from after a table lands before the table: only a single paragraph end
    // may lie between.
    if (Reference<css::text::XParagraphCursor>(cursor, UNO_QUERY_THROW)->isStartOfParagraph() &&
        cursor->goLeft(1, false)) {
        cursor->gotoRange(from, true);
        if (cursor->getString().getLength() == 1) from = cursor->getStart();
    }
    cutToEnd(doc, from);
    quietLastParagraph(doc);
}

void cutBeforeSpan(DocState& doc, const SpanPlan& plan) {
    std::vector<Any> blocks = blocksOf(doc.body);
    size_t firstParagraph = 0;
    auto removeLeadingTables = [&](size_t upTo) {
        for (; firstParagraph < upTo && isTable(blocks[firstParagraph]); ++firstParagraph)
            removeTable(doc, blocks[firstParagraph]);
    };
    if (!plan.from.table.is()) {
        // The text cursor cannot stand before tables that open the text; they go first.
        removeLeadingTables(blocks.size());
        Reference<css::text::XTextCursor> cursor = doc.body->createTextCursor();
        cursor->gotoStart(false);
        cursor->gotoRange(anchorOf(doc, plan.startMark), true);
        cursor->setString(OUString());
        return;
    }
    const auto [i, row] = tableBlock(doc, blocks, plan.from, plan.startMark);
    if (row > 0)
        Reference<XTextTable>(blocks[i], UNO_QUERY_THROW)->getRows()->removeByIndex(0, row);
    size_t k = i;
    for (; k > 0 && isTable(blocks[k - 1]); --k) removeTable(doc, blocks[k - 1]);
    removeLeadingTables(k);
    if (firstParagraph >= k) return;
    // Up to the end of the last paragraph before the table; the empty paragraph this leaves
    // before the table goes too.
    Reference<css::text::XTextCursor> cursor = doc.body->createTextCursor();
    cursor->gotoStart(false);
    cursor->gotoRange(Reference<XTextRange>(blocks[k - 1], UNO_QUERY_THROW)->getEnd(), true);
    cursor->setString(OUString());
    blocks = blocksOf(doc.body);
    if (blocks.size() > 1 && !isTable(blocks[0]) && isTable(blocks[1]))
        Reference<css::lang::XComponent>(blocks[0], UNO_QUERY_THROW)->dispose();
}

void removeCutMarks(DocState& doc) {
    Reference<css::container::XNameAccess> marks =
        Reference<css::text::XBookmarksSupplier>(doc.model, UNO_QUERY_THROW)->getBookmarks();
    for (const OUString& name : doc.cutMarks)
        if (marks->hasByName(name))
            Reference<css::lang::XComponent>(marks->getByName(name), UNO_QUERY_THROW)->dispose();
}

OUString setMark(DocState& doc, const Reference<XTextRange>& at) {
    Reference<css::text::XTextContent> mark(
        Reference<css::lang::XMultiServiceFactory>(doc.model, UNO_QUERY_THROW)
            ->createInstance("com.sun.star.text.Bookmark"),
        UNO_QUERY_THROW);
    Reference<css::container::XNamed> named(mark, UNO_QUERY_THROW);
    named->setName("__pagewright_cut" + OUString::number(sal_Int64(doc.cutMarks.size())));
    Reference<XText> text = at->getText();
    if (!text.is()) text = doc.body;
    text->insertTextContent(at, mark, false);
    doc.cutMarks.push_back(named->getName());
    return doc.cutMarks.back();
}

}  // namespace

bool holdsTrackedChanges(DocState& doc) {
    Reference<css::document::XRedlinesSupplier> redlines(doc.model, UNO_QUERY);
    return redlines.is() && redlines->getRedlines()->hasElements();
}

namespace {

void markEnds(DocState& doc, SpanPlan& plan) {
    plan.startMark = setMark(doc, plan.start);
    // A span to the end of the text has nothing after it to cut; a mark there would not stay
    // at the end once text cut away after it is put back.
    Reference<css::text::XTextCursor> end = doc.body->createTextCursor();
    end->gotoEnd(false);
    if (plan.to.table.is() || Reference<css::text::XTextRangeCompare>(doc.body, UNO_QUERY_THROW)
                                      ->compareRegionEnds(plan.end, end->getEnd()) != 0)
        plan.endMark = setMark(doc, plan.end);
}

}  // namespace

void markPendingEnds(DocState& doc) {
    for (const std::weak_ptr<SpanPlan>& pending : doc.unmarked)
        if (const std::shared_ptr<SpanPlan> plan = pending.lock()) markEnds(doc, *plan);
    doc.unmarked.clear();
}

void keepOnlySpan(DocState& doc, const SpanPlan& plan) {
    if (plan.startMark.isEmpty())
        throw css::uno::RuntimeException("the span was not marked for cutting", {});
    Reference<css::document::XUndoManager> undo =
        Reference<css::document::XUndoManagerSupplier>(doc.model, UNO_QUERY_THROW)
            ->getUndoManager();
    undo->enterUndoContext(CutStep);
    try {
        // The end first: the start's mark stays where it is.
        if (!plan.endMark.isEmpty()) cutAfterSpan(doc, plan);
        cutBeforeSpan(doc, plan);
        keepStartPage(doc, plan.pageStyle, plan.page, plan.opensSection);
        keepContinuation(doc.body, plan.continues && !plan.from.table.is());
        keepEmptyParagraphSizes(doc);
        shrinkParagraphAfterLastTable(doc.body);
        NoteNumbers::apply(doc.model, plan.notes);
        removeCutMarks(doc);
    } catch (...) {
        undo->leaveUndoContext();
        if (undo->isUndoPossible() && undo->getCurrentUndoActionTitle() == CutStep) undo->undo();
        throw;
    }
    undo->leaveUndoContext();
    doc.view->gotoStart(false);
}

}  // namespace pw::word::lo
