#pragma once

#include <map>
#include <vector>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>

#include "word/libreoffice/notenumbers.h"

namespace pw::word::lo {

// Copies the main text from start to end through the office's own transferables. A span that
// begins or ends inside a table is copied as pieces: the table rows from or up to that place,
// and the running text beside them. Pasted in order, the pieces give the span.
struct SpanCopy {
    std::vector<com::sun::star::uno::Reference<com::sun::star::datatransfer::XTransferable>> pieces;
    bool rowsFirst = false;  // the first piece is table rows
    bool rowsLast = false;   // the last piece is table rows
    // The page the span begins on, as the source laid it out: its page style and number, and
    // where the numbers of its notes go on from.
    rtl::OUString pageStyle;
    sal_Int16 page = 0;
    NoteNumbers::Starts notes;
    bool continues = false;    // the span begins inside a paragraph begun on an earlier page
    bool opensSection = true;  // its page is the first of its page style's run
};

// A list paragraph carried on from an earlier page shows no bullet or number of its own: the
// text now begins with such a paragraph where `continues` says so.
void keepContinuation(const com::sun::star::uno::Reference<com::sun::star::text::XText>& body,
                      bool continues);

// The running text just before and just after each table of a text, by table name. Read once
// per document: walking the whole text for every span would make each copy cost the document.
struct TableNeighbours {
    struct Ends {
        com::sun::star::uno::Reference<com::sun::star::text::XTextRange> before, after;
    };
    std::map<rtl::OUString, Ends> byTable;
    // The tables of the main text in document order, each with its neighbours.
    struct Placed {
        com::sun::star::uno::Reference<com::sun::star::text::XTextTable> table;
        Ends ends;
    };
    std::vector<Placed> inOrder;
    bool read = false;
};

// Where a span's ends stand in the layout: read when the span is chosen, before anything (list
// numbers written out as text, say) can move the pages.
struct TablePlace {
    com::sun::star::uno::Reference<com::sun::star::text::XTextTable> table;  // null: running text
    rtl::OUString name;
    int row = 0;  // 0-based; a row broken across pages counts with the page where it begins
};
// The outermost table of the main text that holds `at`, and the cell of it that does; both
// null in running text. A place in a table inside a table stands in the outer table's row.
struct OuterCell {
    com::sun::star::uno::Reference<com::sun::star::text::XTextTable> table;
    com::sun::star::uno::Reference<com::sun::star::beans::XPropertySet> cell;
};
OuterCell outerCellAt(const com::sun::star::uno::Reference<com::sun::star::text::XText>& body,
                      const com::sun::star::uno::Reference<com::sun::star::text::XTextRange>& at);

struct SpanPlan {
    com::sun::star::uno::Reference<com::sun::star::text::XTextRange> start, end;
    TablePlace from, to;
    rtl::OUString pageStyle;
    sal_Int16 page = 0;
    NoteNumbers::Starts notes;
    bool continues = false;
    bool opensSection = true;
    // Bookmarks at the ends, set where the span's document is cut rather than copied: unlike
    // the office's other marks, they come back whole when a cut is undone.
    rtl::OUString startMark, endMark;
};

// knownFrom: the place of start when already read (the end of the span before).
SpanPlan planSpan(const com::sun::star::uno::Reference<com::sun::star::text::XText>& body,
                  const com::sun::star::uno::Reference<com::sun::star::text::XTextViewCursor>& view,
                  const com::sun::star::uno::Reference<com::sun::star::text::XTextRange>& start,
                  const com::sun::star::uno::Reference<com::sun::star::text::XTextRange>& end,
                  const TablePlace* knownFrom = nullptr);

// The view cannot select text it hides: a selection that ends in hidden text comes out short,
// or empty. The copy then has the view show hidden text, until `restoreHiddenText` puts the
// view's own settings back.
struct HiddenTextShown {
    bool shown = false;
    std::vector<com::sun::star::uno::Any> before;
};
void restoreHiddenText(
    const com::sun::star::uno::Reference<com::sun::star::frame::XController>& controller,
    HiddenTextShown& hidden);

SpanCopy copySpan(
    const com::sun::star::uno::Reference<com::sun::star::frame::XController>& controller,
    const com::sun::star::uno::Reference<com::sun::star::text::XTextViewCursor>& view,
    const com::sun::star::uno::Reference<com::sun::star::text::XText>& body, const SpanPlan& plan,
    TableNeighbours& neighbours, HiddenTextShown& hidden);

}  // namespace pw::word::lo
