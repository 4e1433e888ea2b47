#pragma once

// Word's own pagination, as a .docx it saved records it: a rendered page break in the main
// text where each of its pages after the first began, and the page count in the document's
// properties. The office reads neither, so the marks are handed to it as bookmarks.

#include <QString>

namespace pw::word {

struct RecordedLayout {
    bool fromWord = false;  // the properties name Microsoft Word as the application
    int pages = 0;          // the page count the properties give, 0 when none
    int marks = 0;          // rendered page breaks in the main text
    bool marked = false;    // the copy with the marks as bookmarks was written
    // Every page but the first has its mark: Word's pages can be taken as they are.
    bool complete() const { return fromWord && marks > 0 && marks + 1 == pages; }
};

// The names given to the marks: the prefix followed by 1 for the start of page 2, 2 for page
// 3, and so on.
QString pageStartBookmarkPrefix();

// Reads the layout source records and, when it is complete, writes a copy of source to target
// in which the k-th mark is a bookmark named pageStartBookmarkPrefix() + k. A mark that stands
// inside a table row after some of the row's content stands for the start of the next row (or
// of what follows the table): such a row goes whole with the page where it began. Marks in
// text boxes are not the main text's and are left alone. No file is left at target unless the
// layout is complete and the copy was written. The main text is read once.
RecordedLayout markWordPageStarts(const QString& source, const QString& target);

}  // namespace pw::word
