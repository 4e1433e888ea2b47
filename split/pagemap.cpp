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
    map.starts.push_back(first);
    Position prev = first;
    for (;;) {
        auto moved = sel.nextPage();
        if (!moved) return pw::unexpected(moved.error());
        if (!*moved) break;  // the last page
        auto cur = sel.end();
        if (!cur) return pw::unexpected(cur.error());
        auto advanced = doc.compare(*cur, prev);
        if (!advanced) return pw::unexpected(advanced.error());
        // A page on which no new text begins (a picture or row running on) stays with the page
        // before; going backwards would be a layout fault, and ends the walk.
        if (*advanced < 0) break;
        if (*advanced == 0) continue;
        // A last page that holds only the final empty paragraph starts at the end of the text;
        // it is a page all the same.
        auto pastEnd = doc.compare(*cur, textEnd);
        if (!pastEnd) return pw::unexpected(pastEnd.error());
        if (*pastEnd > 0) break;
        map.ends.push_back(*cur);
        map.starts.push_back(*cur);
        prev = *cur;
    }
    map.ends.push_back(textEnd);
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
    if (*beforeEnd > 0)
        return pw::unexpected(word::Error{
            word::Error::Kind::Failed, QStringLiteral("a page starts after the end of the text")});
    map.ends.push_back(textEnd);
    return map;
}

}  // namespace pw::split
