#pragma once

// What the documents of one run share while they are cut.

#include <memory>
#include <vector>

#include <QString>

#include "split/splitchecks.h"
#include "split/splitobserver.h"
#include "split/splitrequest.h"
#include "word/documentengine.h"

namespace pw::split {

// What a document split beside others did, in order, for the run to take over in document
// order: names that depend on the documents before it are given then.
struct DeferredEvent {
    enum class Kind { Progress, Failure, PageCount, Part };
    // Where a part stopped: its content failed before a name was needed, its text could not be
    // read for naming, its store failed, or it was stored under a scratch name.
    enum class Stage { Copy, Characters, Save, Stored };
    explicit DeferredEvent(Kind k) : kind(k) {}
    Kind kind;
    Progress progress;
    SplitFailure failure;  // reason and detail only, for a part
    SourcePages pages;
    Stage stage = Stage::Stored;
    int part = 0, firstPage = 0, lastPage = 0;
    QString scratch;     // the part as stored
    QString characters;  // its text, for naming by content
};

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
    // When set, the document is split beside others: what it does is written here instead.
    std::vector<DeferredEvent>* deferred = nullptr;
};

}  // namespace pw::split
