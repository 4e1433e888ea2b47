#pragma once

// What the merge reads of its first entry before the target is made.

#include <memory>

#include "word/documentengine.h"

namespace pw::merge {

// The page orientation at the start of the document; it is closed again at once.
word::Result<int> readOrientation(word::Application& office, const QString& path);

}  // namespace pw::merge
