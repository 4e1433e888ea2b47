#pragma once

#include <memory>

#include "word/documentengine.h"

namespace pw::split {

// A new office with proofing, the template prompt and alerts switched off; on any failure the
// half-started office is quit again.
word::Result<std::unique_ptr<word::Application>> startOffice(word::ApplicationFactory& factory);

}  // namespace pw::split
