#pragma once

#include <vector>

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>

namespace pw::word::lo {

// Footnotes and endnotes are numbered through the whole document. A part that begins after
// some of them goes on numbering its own from there, as its pages showed in the source.
class NoteNumbers {
public:
    struct Starts {
        sal_Int16 footnotes = 0;  // the offset of each kind's automatic numbering
        sal_Int16 endnotes = 0;
        bool none = false;  // the document has no notes: a part has none to number
    };

    // The offsets for a part that begins at `at`. The anchors are read once per document.
    Starts before(const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model,
                  const com::sun::star::uno::Reference<com::sun::star::text::XText>& body,
                  const com::sun::star::uno::Reference<com::sun::star::text::XTextViewCursor>& view,
                  const com::sun::star::uno::Reference<com::sun::star::text::XTextRange>& at);
    void forget() { m_read = false; }

    static void apply(const com::sun::star::uno::Reference<com::sun::star::frame::XModel>& model,
                      Starts starts);

private:
    bool m_read = false;
    Starts m_base;
    std::vector<com::sun::star::uno::Reference<com::sun::star::text::XTextRange>> m_footnotes,
        m_endnotes;
};

}  // namespace pw::word::lo
