#pragma once

#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>

namespace pw::word::lo {

// Orders two places of a document's main text: negative when a comes first, 0 when they are the
// same place. Places in different texts (a table cell and the body, two cells) are ordered by
// where the layout puts them; the view cursor is put back where it was.
int compareTextRanges(
    const com::sun::star::uno::Reference<com::sun::star::text::XText>& body,
    const com::sun::star::uno::Reference<com::sun::star::text::XTextViewCursor>& view,
    const com::sun::star::uno::Reference<com::sun::star::text::XTextRange>& a,
    const com::sun::star::uno::Reference<com::sun::star::text::XTextRange>& b);

}  // namespace pw::word::lo
