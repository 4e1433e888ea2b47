#pragma once

// Which paths each way of filling a document list keeps.

#include <QString>

namespace pw {

// The split list keeps Word and rich-text documents on a drop; the merge list also web pages
// and plain text.
enum class DocumentListKind { Split, Merge };

// The folder commands' test: the name's extension is .doc or .docx, letter case disregarded.
bool IsFolderDocument(const QString& name);

// The drop test on the path's ending, letter case disregarded.
bool IsDroppableDocument(const QString& path, DocumentListKind kind);

}  // namespace pw
