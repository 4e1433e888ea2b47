#pragma once

#include <com/sun/star/text/XText.hpp>

namespace pw::word::lo {

// Writes every automatic list label of text (and of the tables in it) into the paragraph as
// literal text, and takes the paragraph out of the count, so the numbers survive being copied.
void convertListLabelsToText(
    const com::sun::star::uno::Reference<com::sun::star::text::XText>& text);

}  // namespace pw::word::lo
