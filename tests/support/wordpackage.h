#pragma once

// .docx packages written and read by the tests at the level of Word's XML, for the page starts
// Word records (rendered page breaks) that the office neither writes nor reads.

#include <QString>
#include <QStringList>

namespace pw::test {

// A minimal .docx whose main text's body holds bodyXml (Word's names with the prefix "w:"),
// and whose properties name application and give pages. With prefix other than "w", every
// "w:" element name is written with that prefix instead; an empty prefix makes Word's
// namespace the default one (attributes keep "w:").
bool writeWordPackage(const QString& path, const QString& bodyXml, const QString& application,
                      int pages, const QString& prefix = QStringLiteral("w"));

// The text of the main text (text boxes left out) cut at its rendered page breaks, or at the
// bookmarks that carry Word's page starts: one entry per page.
enum class PageCut { RenderedBreaks, PageBookmarks };
QStringList wordPageTexts(const QString& docx, PageCut cut = PageCut::RenderedBreaks);

}  // namespace pw::test
