#pragma once

// Where each page of an open document begins and ends, as the office's own page browsing
// reports it.

#include <vector>

#include "word/documentengine.h"

namespace pw::split {

struct PageMap {
    std::vector<word::Position> starts;  // page k at index k - 1
    std::vector<word::Position> ends;    // ends[k] is starts[k + 1]; the last is the text's end
    int pageCount() const { return int(starts.size()); }
};

// Browses the document page by page from its start; moves the document's selection.
word::Result<PageMap> buildPageMap(word::Document& doc);

// The pages that begin at the text's start and at each of starts, which must follow one another
// strictly inside the main text; an error otherwise. Moves the document's selection.
word::Result<PageMap> pageMapFromStarts(word::Document& doc,
                                        const std::vector<word::Position>& starts);

}  // namespace pw::split
