#pragma once

#include <vector>

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include <QString>

namespace pw::word::lo {

// The places of the bookmarks named prefix followed by 1, 2, ..., in the order of their
// numbers; one inside a table stands for the start of the first cell of its row in the
// outermost table. Every bookmark whose name begins with prefix is removed; the places stay.
std::vector<com::sun::star::uno::Reference<com::sun::star::text::XTextRange>> takePageStarts(
    const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model,
    const QString& prefix);

}  // namespace pw::word::lo
