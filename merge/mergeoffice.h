#pragma once

// Starting the merge's own office and reading what it needs of the first entry.

#include <memory>

#include "word/documentengine.h"

namespace pw::merge {

// A new office with proofing, prompts and alerts switched off.
word::Result<std::unique_ptr<word::Application>> startOffice(word::ApplicationFactory& factory);

// The page orientation at the start of the document; it is closed again at once.
word::Result<int> readOrientation(word::Application& office, const QString& path);

}  // namespace pw::merge
