#include "split/pagemap.h"

namespace pw::split {

word::Result<PageMap> buildPageMap(word::Document& doc, const QString& bookmarkPrefix) {
    auto pages = doc.pageStarts(bookmarkPrefix);
    if (!pages) return pw::unexpected(pages.error());
    if (pages->starts.empty())
        return pw::unexpected(
            word::Error{word::Error::Kind::Failed, QStringLiteral("the document has no pages")});
    PageMap map;
    map.starts = std::move(pages->starts);
    map.ends.assign(map.starts.begin() + 1, map.starts.end());
    map.ends.push_back(pages->end);
    return map;
}

}  // namespace pw::split
