#include "word/libreoffice/notenumbers.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/text/XEndnotesSupplier.hpp>
#include <com/sun/star/text/XFootnotesSupplier.hpp>
#include <com/sun/star/text/XTextContent.hpp>

#include "word/libreoffice/textorder.h"

namespace pw::word::lo {

namespace css = com::sun::star;
using css::text::XTextRange;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

void readAnchors(const Reference<css::container::XIndexAccess>& notes,
                 std::vector<Reference<XTextRange>>& anchors) {
    anchors.clear();
    for (sal_Int32 i = 0; notes.is() && i < notes->getCount(); ++i) {
        Reference<css::text::XTextContent> note(notes->getByIndex(i), UNO_QUERY);
        if (note.is()) anchors.push_back(note->getAnchor());
    }
}

// How many of the anchors, which stand in document order, come before `at`.
sal_Int16 countBefore(const std::vector<Reference<XTextRange>>& anchors,
                      const Reference<css::text::XText>& body,
                      const Reference<css::text::XTextViewCursor>& view,
                      const Reference<XTextRange>& at) {
    size_t low = 0, high = anchors.size();
    while (low < high) {
        const size_t mid = (low + high) / 2;
        if (compareTextRanges(body, view, anchors[mid], at) < 0)
            low = mid + 1;
        else
            high = mid;
    }
    return sal_Int16(low);
}

sal_Int16 startAt(const Reference<css::beans::XPropertySet>& settings) {
    sal_Int16 start = 0;
    if (settings.is()) settings->getPropertyValue("StartAt") >>= start;
    return start;
}

}  // namespace

NoteNumbers::Starts NoteNumbers::before(const Reference<css::frame::XModel>& model,
                                        const Reference<css::text::XText>& body,
                                        const Reference<css::text::XTextViewCursor>& view,
                                        const Reference<XTextRange>& at) {
    if (!m_read) {
        Reference<css::text::XFootnotesSupplier> footnotes(model, UNO_QUERY);
        Reference<css::text::XEndnotesSupplier> endnotes(model, UNO_QUERY);
        if (footnotes.is()) {
            readAnchors(footnotes->getFootnotes(), m_footnotes);
            m_base.footnotes = startAt(footnotes->getFootnoteSettings());
        }
        if (endnotes.is()) {
            readAnchors(endnotes->getEndnotes(), m_endnotes);
            m_base.endnotes = startAt(endnotes->getEndnoteSettings());
        }
        m_read = true;
    }
    Starts starts = m_base;
    starts.none = m_footnotes.empty() && m_endnotes.empty();
    if (!m_footnotes.empty()) starts.footnotes += countBefore(m_footnotes, body, view, at);
    if (!m_endnotes.empty()) starts.endnotes += countBefore(m_endnotes, body, view, at);
    return starts;
}

void NoteNumbers::apply(const Reference<css::frame::XModel>& model, Starts starts) {
    if (starts.none) return;
    Reference<css::text::XFootnotesSupplier> footnotes(model, UNO_QUERY);
    Reference<css::text::XEndnotesSupplier> endnotes(model, UNO_QUERY);
    if (footnotes.is() && footnotes->getFootnotes()->getCount() > 0)
        footnotes->getFootnoteSettings()->setPropertyValue("StartAt",
                                                           css::uno::Any(starts.footnotes));
    if (endnotes.is() && endnotes->getEndnotes()->getCount() > 0)
        endnotes->getEndnoteSettings()->setPropertyValue("StartAt", css::uno::Any(starts.endnotes));
}

}  // namespace pw::word::lo
