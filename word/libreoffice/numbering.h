#pragma once

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XText.hpp>

namespace pw::word::lo {

// Writes every automatic list label of the main text (its tables and text frames too) into
// the paragraph as literal text, and takes the numbers away, so they survive being copied.
void convertListLabelsToText(
    const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model,
    const com::sun::star::uno::Reference<com::sun::star::text::XText>& text);

}  // namespace pw::word::lo
