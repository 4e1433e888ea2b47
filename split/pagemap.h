#pragma once

// Where each page of an open document begins and ends, as the office reports it.

#include <vector>

#include "word/documentengine.h"

namespace pw::split {

struct PageMap {
    std::vector<word::Position> starts;  // page k at index k - 1
    std::vector<word::Position> ends;    // ends[k] is starts[k + 1]; the last is the text's end
    int pageCount() const { return int(starts.size()); }
};

// The pages of the office's layout (empty prefix) or those begun by the bookmarks named prefix
// followed by 1, 2, ..., which are taken out of the document.
word::Result<PageMap> buildPageMap(word::Document& doc, const QString& bookmarkPrefix = {});

}  // namespace pw::split
