#pragma once

// Whether a file is a document the word processor reads as such. The office opens anything
// it cannot recognise as plain text, so junk under a Word name would otherwise "open".

#include <memory>

#include <QString>

#include "word/error.h"

namespace pw::word::lo {

class Session;

// Files named .txt, .htm or .html are taken as what their names say. Any other file must be
// detected by the office as a format of its own, not as plain text; an empty file is none.
Status requireDocumentFile(const std::shared_ptr<Session>& session, const QString& path);

}  // namespace pw::word::lo
