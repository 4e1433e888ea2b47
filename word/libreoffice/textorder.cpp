#include "word/libreoffice/textorder.h"

#include <tuple>

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>

#include "word/libreoffice/unostring.h"

namespace pw::word::lo {

namespace css = com::sun::star;
using css::text::XTextRange;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

using LayoutKey = std::tuple<int, sal_Int32, sal_Int32>;  // page, then down, then across

LayoutKey layoutKey(const Reference<css::text::XTextViewCursor>& view,
                    const Reference<XTextRange>& at) {
    view->gotoRange(at, false);
    const css::awt::Point p = view->getPosition();
    return {Reference<css::text::XPageCursor>(view, UNO_QUERY_THROW)->getPage(), p.Y, p.X};
}

}  // namespace

Reference<css::text::XTextRangeCompare> comparerOf(const Reference<css::text::XText>& body,
                                                   const Reference<XTextRange>& a) {
    Reference<css::text::XText> text = a->getText();
    if (!text.is()) text = body;
    try {
        return Reference<css::text::XTextRangeCompare>(text, UNO_QUERY);
    } catch (const css::uno::RuntimeException&) {
        return {};
    }
}

int compareTextRanges(const Reference<css::text::XText>& body,
                      const Reference<css::text::XTextViewCursor>& view,
                      const Reference<XTextRange>& a, const Reference<XTextRange>& b) {
    return compareTextRanges(view, comparerOf(body, a), a, b);
}

int compareTextRanges(const Reference<css::text::XTextViewCursor>& view,
                      const Reference<css::text::XTextRangeCompare>& comparer,
                      const Reference<XTextRange>& a, const Reference<XTextRange>& b) {
    if (comparer.is()) {
        try {
            return -comparer->compareRegionStarts(a, b);  // it answers 1 when a comes first
        } catch (const css::lang::IllegalArgumentException&) {
        } catch (const css::uno::RuntimeException&) {
        }
    }
    const Reference<XTextRange> keepStart = view->getStart(), keepEnd = view->getEnd();
    const LayoutKey ka = layoutKey(view, a), kb = layoutKey(view, b);
    view->gotoRange(keepStart, false);
    view->gotoRange(keepEnd, true);
    return ka < kb ? -1 : (kb < ka ? 1 : 0);
}

}  // namespace pw::word::lo
