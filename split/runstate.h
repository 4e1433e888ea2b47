#pragma once

// What the documents of one run share while they are cut.

#include <memory>

#include <QString>

#include "split/splitchecks.h"
#include "split/splitobserver.h"
#include "split/splitrequest.h"
#include "word/documentengine.h"

namespace pw::split {

struct RunState {
    const SplitSettings& settings;
    UserPrompts& prompts;
    SplitResult& result;
    std::unique_ptr<word::Application> app;
    QString scratchDir;   // private to this run; holds the blank copies
    qint64 sequence = 1;  // naming rules 3 and 4, across all documents
    bool cancelled = false;
    bool nameTooLongTold = false;  // the message comes once a run; the report lists every part
    SplitObserver* observer = nullptr;
};

}  // namespace pw::split
