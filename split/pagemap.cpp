#include "split/pagemap.h"

#include <utility>

namespace pw::split {

using word::Position;

namespace {

// The start and the end of the main text; the insertion point is left at its start.
word::Result<std::pair<Position, Position>> textBounds(word::Document& doc) {
    if (auto s = doc.select(); !s) return pw::unexpected(s.error());
    word::Selection& sel = doc.selection();
    auto first = sel.start();
    if (!first) return pw::unexpected(first.error());
    auto textEnd = sel.end();
    if (!textEnd) return pw::unexpected(textEnd.error());
    if (auto c = sel.collapseToStart(); !c) return pw::unexpected(c.error());
    return std::pair{*first, *textEnd};
}

}  // namespace

word::Result<PageMap> buildPageMap(word::Document& doc) {
    auto bounds = textBounds(doc);
    if (!bounds) return pw::unexpected(bounds.error());
    word::Selection& sel = doc.selection();
    const Position first = bounds->first, textEnd = bounds->second;

    PageMap map;
    Position prev = first;
    Position cur = prev;
    for (;;) {
        auto beforeEnd = doc.compare(cur, textEnd);
        if (!beforeEnd) return pw::unexpected(beforeEnd.error());
        if (*beforeEnd >= 0) break;
        map.starts.push_back(cur);
        if (auto n = sel.nextPage(); !n) return pw::unexpected(n.error());
        auto moved = sel.end();
        if (!moved) return pw::unexpected(moved.error());
        cur = *moved;
        // Staying put means the last page. Going backwards would be a layout fault; treating it
        // the same way keeps the loop finite whatever the office answers.
        auto advanced = doc.compare(cur, prev);
        if (!advanced) return pw::unexpected(advanced.error());
        if (*advanced <= 0) cur = textEnd;
        map.ends.push_back(cur);
        prev = cur;
    }
    if (map.starts.empty()) {
        // An empty main text still holds one page.
        map.starts.push_back(first);
        map.ends.push_back(textEnd);
    }
    return map;
}

word::Result<PageMap> pageMapFromStarts(word::Document& doc,
                                        const std::vector<word::Position>& starts) {
    auto bounds = textBounds(doc);
    if (!bounds) return pw::unexpected(bounds.error());
    const Position first = bounds->first, textEnd = bounds->second;

    PageMap map;
    map.starts.push_back(first);
    for (const Position& at : starts) {
        auto after = doc.compare(map.starts.back(), at);
        if (!after) return pw::unexpected(after.error());
        if (*after >= 0)
            return pw::unexpected(word::Error{word::Error::Kind::Failed,
                                              QStringLiteral("the page starts are out of order")});
        map.ends.push_back(at);
        map.starts.push_back(at);
    }
    auto beforeEnd = doc.compare(map.starts.back(), textEnd);
    if (!beforeEnd) return pw::unexpected(beforeEnd.error());
    if (*beforeEnd >= 0)
        return pw::unexpected(word::Error{word::Error::Kind::Failed,
                                          QStringLiteral("a page starts at the end of the text")});
    map.ends.push_back(textEnd);
    return map;
}

}  // namespace pw::split
