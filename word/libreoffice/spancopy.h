#pragma once

#include <vector>

#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>

namespace pw::word::lo {

// Copies the main text from start to end through the office's own transferables. A span that
// begins or ends inside a table is copied as pieces: the table rows from or up to that place,
// and the running text beside them. Pasted in order, the pieces give the span.
struct SpanCopy {
    std::vector<com::sun::star::uno::Reference<com::sun::star::datatransfer::XTransferable>> pieces;
    bool rowsFirst = false;  // the first piece is table rows
    bool rowsLast = false;   // the last piece is table rows
};

SpanCopy copySpan(
    const com::sun::star::uno::Reference<com::sun::star::frame::XController>& controller,
    const com::sun::star::uno::Reference<com::sun::star::text::XTextViewCursor>& view,
    const com::sun::star::uno::Reference<com::sun::star::text::XText>& body,
    const com::sun::star::uno::Reference<com::sun::star::text::XTextRange>& start,
    const com::sun::star::uno::Reference<com::sun::star::text::XTextRange>& end);

}  // namespace pw::word::lo
