#pragma once

// Where the pages of the main text begin: walked page by page in the office's layout, or read
// from bookmarks that mark them.

#include <QString>

#include "word/libreoffice/docstate.h"

namespace pw::word::lo {

// Both move the view cursor and throw when the office refuses.
PageStarts layoutPageStarts(DocState& doc);
PageStarts bookmarkedPageStarts(DocState& doc, const QString& prefix);

}  // namespace pw::word::lo
