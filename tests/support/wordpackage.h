#pragma once

// .docx packages written and read by the tests at the level of Word's XML, for the page starts
// Word records (rendered page breaks) that the office neither writes nor reads.

#include <QStringList>

namespace pw::test {

// A minimal .docx whose main text's body holds bodyXml (Word's names with the prefix "w:"),
// and whose properties name application and give pages. Unprefixed, Word's namespace is the
// default one and its element names carry no prefix (attributes keep "w:").
bool writeWordPackage(const QString& path, const QString& bodyXml, const QString& application,
                      int pages, bool unprefixed = false);

// Pieces of a body, with Word's names as "w:".
namespace wordxml {
inline QString para(const QString& runs) {
    return "<w:p>" + runs + "</w:p>";
}
inline QString run(const QString& text) {
    return "<w:r><w:t xml:space=\"preserve\">" + text + "</w:t></w:r>";
}
// Begins a page of Word's, as Word writes it.
inline QString markedRun(const QString& text) {
    return "<w:r><w:lastRenderedPageBreak/><w:t>" + text + "</w:t></w:r>";
}
QString table(const QList<QStringList>& rows);  // each cell one paragraph of the given runs
// A field of Word's, its instruction and its result (runs).
QString field(const QString& instruction, const QString& resultRuns);
inline const QString Word = QStringLiteral("Microsoft Office Word");
}  // namespace wordxml

// The text of the main text (text boxes left out) cut at its rendered page breaks, or at the
// bookmarks that carry Word's page starts: one entry per page.
enum class PageCut { RenderedBreaks, PageBookmarks };
QStringList wordPageTexts(const QString& docx, PageCut cut = PageCut::RenderedBreaks);

}  // namespace pw::test
