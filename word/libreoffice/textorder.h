#pragma once

#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
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

// What orders places of the text that a lies in; null when that text cannot. Got once for a
// place compared with several others: each is a round trip to the office.
com::sun::star::uno::Reference<com::sun::star::text::XTextRangeCompare> comparerOf(
    const com::sun::star::uno::Reference<com::sun::star::text::XText>& body,
    const com::sun::star::uno::Reference<com::sun::star::text::XTextRange>& a);

// The same order, with comparerOf(body, a) at hand.
int compareTextRanges(
    const com::sun::star::uno::Reference<com::sun::star::text::XTextViewCursor>& view,
    const com::sun::star::uno::Reference<com::sun::star::text::XTextRangeCompare>& comparer,
    const com::sun::star::uno::Reference<com::sun::star::text::XTextRange>& a,
    const com::sun::star::uno::Reference<com::sun::star::text::XTextRange>& b);

}  // namespace pw::word::lo
