#pragma once

// Changing the main text: emptying it, pasting a copied span, appending a page break or a
// file. Each works around what the office would otherwise do differently from a word
// processor. All throw when the office refuses.

#include <QString>

#include <com/sun/star/beans/XPropertySet.hpp>

#include "word/libreoffice/docstate.h"

namespace pw::word::lo {

// What a load that stopped at a password request says.
inline constexpr char PasswordMessage[] = "the document is protected by a password";

void emptyText(DocState& doc);
Reference<css::beans::XPropertySet> pageStyleNamed(const Reference<css::frame::XModel>& model,
                                                   const OUString& name);
// The first page of what the text now holds takes the style and number its page had, and the
// headers of a first page only where its page was the first of its style's run.
void keepStartPage(DocState& doc, const OUString& pageStyle, sal_Int16 page, bool opensSection);
// Gives the style changed by keepStartPage its own first page again, once the text is undone.
void restoreFirstPage(DocState& doc);
void pasteSpan(DocState& doc, const SpanCopy& span);
// Stored as Word 97, an empty paragraph without a size of its own takes the size of the
// paragraph before it, and the page grows: a document to be stored so gives its empty
// paragraphs their size outright. Only the paragraphs of the text itself: the cost stays with
// the part.
void keepEmptyParagraphSizes(DocState& doc);
// A text that ends with a table keeps an empty paragraph after it, which the office cannot take
// away; where the table fills its page, that paragraph would take a page of its own. It is made
// as small as a paragraph can be. Walked only where the text ends with an empty paragraph.
void shrinkParagraphAfterLastTable(const Reference<css::text::XText>& body);
void appendPageBreak(DocState& doc);
// path is absolute and a document file.
void appendFile(DocState& doc, const QString& path);

}  // namespace pw::word::lo
