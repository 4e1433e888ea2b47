#pragma once

// Grouping a document's pages into consecutive parts.

#include <vector>

namespace pw::split {

enum class SplitMode { EveryNPages = 0, IntoNDocuments = 1 };

// Pages 1-based, both ends included.
struct PagePart {
    int first = 0;
    int last = 0;
    bool operator==(const PagePart&) const = default;
};

// The pages each part holds: n itself, or n documents' worth rounded up. 0 when no sensible
// answer exists (n or pageCount below 1), which makePartPlan refuses.
int pagesPerPart(SplitMode mode, int n, int pageCount);

// Consecutive parts of perPart pages, the last one shorter when the pages run out. Empty when
// perPart or pageCount is below 1, so a bad count can never loop.
std::vector<PagePart> makePartPlan(int pageCount, int perPart);

}  // namespace pw::split
