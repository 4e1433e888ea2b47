#include "word/libreoffice/editing.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertyState.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/datatransfer/XTransferableSupplier.hpp>
#include <com/sun/star/document/XDocumentInsertable.hpp>
#include <com/sun/star/document/XUndoManager.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/LineSpacing.hpp>
#include <com/sun/star/style/LineSpacingMode.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>
#include <rtl/ref.hxx>

#include <utility>

#include "word/libreoffice/interactionhandler.h"
#include "word/libreoffice/loadstore.h"

namespace pw::word::lo {

using css::text::XTextRange;
using css::uno::Any;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

bool isTable(const css::uno::Any& e) {
    return Reference<css::text::XTextTable>(e, UNO_QUERY).is();
}

bool isEmptyParagraph(const css::uno::Any& e) {
    Reference<XTextRange> p(e, UNO_QUERY);
    return p.is() && !isTable(e) && p->getString().isEmpty();
}

// A table pasted into an empty document comes with the document's empty paragraph before it;
// that paragraph goes, and its page style moves to the table.
void tidyBeforePastedTable(const Reference<css::text::XText>& body) {
    Reference<css::container::XEnumeration> items =
        Reference<css::container::XEnumerationAccess>(body, UNO_QUERY_THROW)->createEnumeration();
    std::vector<css::uno::Any> head;
    while (head.size() < 2 && items->hasMoreElements()) head.push_back(items->nextElement());
    if (head.size() == 2 && isEmptyParagraph(head[0]) && isTable(head[1])) {
        Reference<css::beans::XPropertySet> paragraph(head[0], UNO_QUERY_THROW);
        OUString pageStyle;
        paragraph->getPropertyValue("PageStyleName") >>= pageStyle;
        Reference<css::beans::XPropertySet> table(head[1], UNO_QUERY_THROW);
        if (!pageStyle.isEmpty()) table->setPropertyValue("PageDescName", Any(pageStyle));
        Reference<css::lang::XComponent>(head[0], UNO_QUERY_THROW)->dispose();
    }
}

}  // namespace

void shrinkParagraphAfterLastTable(const Reference<css::text::XText>& body) {
    Reference<css::text::XTextCursor> cursor = body->createTextCursor();
    cursor->gotoEnd(false);
    Reference<css::text::XParagraphCursor> paragraph(cursor, UNO_QUERY_THROW);
    if (!paragraph->isStartOfParagraph() || !paragraph->isEndOfParagraph()) return;
    Reference<css::container::XEnumeration> items =
        Reference<css::container::XEnumerationAccess>(body, UNO_QUERY_THROW)->createEnumeration();
    css::uno::Any before, last;
    while (items->hasMoreElements()) before = std::exchange(last, items->nextElement());
    if (!isTable(before) || !isEmptyParagraph(last)) return;
    Reference<css::beans::XPropertySet> p(last, UNO_QUERY_THROW);
    // A Word file keeps no size for an empty paragraph, but it does keep an exact line height.
    p->setPropertyValue("ParaLineSpacing",
                        Any(css::style::LineSpacing{css::style::LineSpacingMode::FIX, 2}));
    p->setPropertyValue("CharHeight", Any(1.0f));
    p->setPropertyValue("ParaTopMargin", Any(sal_Int32(0)));
    p->setPropertyValue("ParaBottomMargin", Any(sal_Int32(0)));
}

void keepEmptyParagraphSizes(DocState& doc) {
    if (!doc.fullName.endsWith(QStringLiteral(".doc"), Qt::CaseInsensitive)) return;
    Reference<css::container::XEnumeration> items =
        Reference<css::container::XEnumerationAccess>(doc.body, UNO_QUERY_THROW)
            ->createEnumeration();
    while (items->hasMoreElements()) {
        Reference<XTextRange> paragraph(items->nextElement(), UNO_QUERY);
        Reference<css::beans::XPropertyState> state(paragraph, UNO_QUERY);
        if (!paragraph.is() || !state.is() || !paragraph->getString().isEmpty() ||
            state->getPropertyState("CharHeight") == css::beans::PropertyState_DIRECT_VALUE)
            continue;
        Reference<css::beans::XPropertySet> props(paragraph, UNO_QUERY_THROW);
        props->setPropertyValue("CharHeight", props->getPropertyValue("CharHeight"));
    }
}

// The part's first page keeps the page style and number its page had in the source: a page
// that was not the first of its section must not show a first-page header, and odd and even
// pages keep their own headers.
void keepStartPage(DocState& doc, const OUString& pageStyle, sal_Int16 page, bool opensSection) {
    if (pageStyle.isEmpty()) return;
    Reference<css::container::XEnumeration> items =
        Reference<css::container::XEnumerationAccess>(doc.body, UNO_QUERY_THROW)
            ->createEnumeration();
    if (!items->hasMoreElements()) return;
    Reference<css::beans::XPropertySet> first(items->nextElement(), UNO_QUERY_THROW);
    first->setPropertyValue("PageDescName", Any(pageStyle));
    if (page > 0) first->setPropertyValue("PageNumberOffset", Any(page));
    if (opensSection) return;
    // Some files give a style a first page of its own (Word's different first page) rather
    // than a first-page style followed by another; the part's first page would show it.
    Reference<css::beans::XPropertySet> style = pageStyleNamed(doc.model, pageStyle);
    bool shared = true;
    style->getPropertyValue("FirstIsShared") >>= shared;
    if (shared) return;
    style->setPropertyValue("FirstIsShared", Any(true));
    doc.firstPageShared = pageStyle;
}

void restoreFirstPage(DocState& doc) {
    if (doc.firstPageShared.isEmpty()) return;
    const OUString name = std::exchange(doc.firstPageShared, OUString());
    pageStyleNamed(doc.model, name)->setPropertyValue("FirstIsShared", Any(false));
}

Reference<css::beans::XPropertySet> pageStyleNamed(const Reference<css::frame::XModel>& model,
                                                   const OUString& name) {
    Reference<css::container::XNameAccess> styles(
        Reference<css::style::XStyleFamiliesSupplier>(model, UNO_QUERY_THROW)
            ->getStyleFamilies()
            ->getByName("PageStyles"),
        UNO_QUERY_THROW);
    return Reference<css::beans::XPropertySet>(styles->getByName(name), UNO_QUERY_THROW);
}

void emptyText(DocState& doc) {
    const Reference<css::text::XText>& body = doc.body;
    const Reference<css::uno::XInterface> bodyId(body, UNO_QUERY);
    auto anchoredInBody = [&](const Reference<css::text::XTextContent>& content) {
        if (!content.is()) return false;
        Reference<XTextRange> anchor = content->getAnchor();
        return anchor.is() &&
               Reference<css::uno::XInterface>(anchor->getText(), UNO_QUERY) == bodyId;
    };
    // Tables, and shapes and frames anchored in the text, go with the text.
    Reference<css::text::XTextTablesSupplier> tables(doc.model, UNO_QUERY_THROW);
    Reference<css::container::XNameAccess> byName = tables->getTextTables();
    for (const OUString& name : byName->getElementNames()) {
        Reference<css::text::XTextContent> table(byName->getByName(name), UNO_QUERY);
        if (anchoredInBody(table)) body->removeTextContent(table);
    }
    Reference<css::drawing::XDrawPageSupplier> drawPage(doc.model, UNO_QUERY);  // NOLINT
    if (drawPage.is()) {
        Reference<css::container::XIndexAccess> shapes(drawPage->getDrawPage(), UNO_QUERY_THROW);
        for (sal_Int32 i = shapes->getCount() - 1; i >= 0; --i) {
            Reference<css::text::XTextContent> shape(shapes->getByIndex(i), UNO_QUERY);
            try {
                if (anchoredInBody(shape)) body->removeTextContent(shape);
            } catch (const css::uno::RuntimeException&) {
                // Page-anchored shapes have no text anchor; they are not part of the text.
            }
        }
    }
    body->setString(OUString());
    // The paragraph left over keeps the first one's list: content pasted into it would be
    // taken into that list, its own lists lost.
    Reference<css::beans::XPropertySet> last(
        Reference<css::container::XEnumerationAccess>(body, UNO_QUERY_THROW)
            ->createEnumeration()
            ->nextElement(),
        UNO_QUERY_THROW);
    last->setPropertyValue("ParaStyleName", Any(OUString("Standard")));
    last->setPropertyValue("NumberingStyleName", Any(OUString()));
    doc.view->gotoStart(false);
}

void pasteSpan(DocState& doc, const SpanCopy& span) {
    Reference<css::datatransfer::XTransferableSupplier> supplier(doc.controller, UNO_QUERY_THROW);
    // One undo step for the whole paste, pieces and tidying alike.
    Reference<css::document::XUndoManager> undo =
        Reference<css::document::XUndoManagerSupplier>(doc.model, UNO_QUERY_THROW)
            ->getUndoManager();
    undo->enterUndoContext("paste");
    struct Leave {
        Reference<css::document::XUndoManager>& undo;
        ~Leave() {
            try {
                undo->leaveUndoContext();
            } catch (const css::uno::Exception&) {
            }
        }
    } leave{undo};
    const bool wasEmpty = doc.body->getString().isEmpty();
    if (!wasEmpty) doc.view->gotoEnd(false);
    for (size_t i = 0; i < span.pieces.size(); ++i) {
        if (i > 0) doc.view->gotoEnd(false);
        supplier->insertTransferable(span.pieces[i]);
    }
    if (!wasEmpty) return;
    if (span.rowsFirst) tidyBeforePastedTable(doc.body);
    keepStartPage(doc, span.pageStyle, span.page, span.opensSection);
    keepContinuation(doc.body, span.continues && !span.rowsFirst);
    keepEmptyParagraphSizes(doc);
    NoteNumbers::apply(doc.model, span.notes);
    // Pasted into an empty document, content that ends with its own paragraph end leaves the
    // document's empty paragraph after it, which would spill onto a page of its own.
    Reference<css::text::XTextCursor> cursor = doc.body->createTextCursor();
    cursor->gotoEnd(false);
    Reference<css::text::XParagraphCursor> paragraph(cursor, UNO_QUERY_THROW);
    if (paragraph->isStartOfParagraph() && cursor->goLeft(1, true) &&
        cursor->getString().getLength() <= 1)
        cursor->setString(OUString());
    shrinkParagraphAfterLastTable(doc.body);
}

void appendPageBreak(DocState& doc) {
    // The end of the main text, wherever the view stands: a file may open with it in a table.
    const Reference<css::text::XText>& text = doc.body;
    Reference<css::text::XTextCursor> cursor = text->createTextCursor();
    cursor->gotoEnd(false);
    Reference<css::text::XParagraphCursor> para(cursor, UNO_QUERY_THROW);
    // An empty paragraph takes the break itself; otherwise a new paragraph begins the new page.
    const bool emptyParagraph = para->isStartOfParagraph() && para->isEndOfParagraph();
    if (!emptyParagraph)
        text->insertControlCharacter(Reference<XTextRange>(cursor.get()),
                                     css::text::ControlCharacter::PARAGRAPH_BREAK, false);
    Reference<css::beans::XPropertySet>(cursor, UNO_QUERY_THROW)
        ->setPropertyValue("BreakType", Any(css::style::BreakType_PAGE_BEFORE));
    doc.view->gotoRange(cursor->getStart(), false);
}

void appendFile(DocState& doc, const QString& path) {
    const Reference<css::text::XText>& text = doc.body;
    Reference<css::text::XTextCursor> cursor = text->createTextCursor();
    cursor->gotoEnd(false);
    // The file's text ends its own paragraph: what followed the insertion point stays after
    // it, in a paragraph of its own.
    text->insertControlCharacter(Reference<XTextRange>(cursor.get()),
                                 css::text::ControlCharacter::PARAGRAPH_BREAK, false);
    cursor->goLeft(1, false);
    rtl::Reference<AbortingInteractionHandler> handler(new AbortingInteractionHandler);
    Reference<css::document::XDocumentInsertable>(cursor, UNO_QUERY_THROW)
        ->insertDocumentFromURL(fileUrl(path), loadArguments(path, handler.get()));
    // The office inserts nothing, and says nothing, for a file it cannot read (a password,
    // damage): when nothing came in (the cursor spans what did), only a file that really loads
    // counts as inserted. That load also tells a password, which the insert may not have asked
    // for.
    rtl::Reference<AbortingInteractionHandler> probe(new AbortingInteractionHandler);
    if (handler->refused() > 0 ||
        (cursor->isCollapsed() && !loadsAsText(*doc.session, path, probe.get()))) {
        if (handler->askedForPassword() || probe->askedForPassword())
            throw css::io::IOException(PasswordMessage, {});
        throw css::io::IOException("the file is protected or damaged and was not read", {});
    }
    doc.view->gotoRange(cursor->getEnd(), false);
}

}  // namespace pw::word::lo
