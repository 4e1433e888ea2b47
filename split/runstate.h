#pragma once

// What the documents of one run share while they are cut.

#include <memory>

#include <QElapsedTimer>
#include <QString>

#include "split/splitchecks.h"
#include "split/splitrequest.h"
#include "word/documentengine.h"

namespace pw::split {

struct RunState {
    const SplitSettings& settings;
    SplitPrompts& prompts;
    SplitResult& result;
    std::unique_ptr<word::Application> app;
    QString scratchDir;   // private to this run; holds the blank copies
    qint64 sequence = 1;  // naming rules 3 and 4, across all documents
    bool cancelled = false;
};

// Adds the time from its creation to its end to a figure of SplitTimings.
class Stopwatch {
public:
    explicit Stopwatch(qint64& total) : m_total(total) { m_timer.start(); }
    ~Stopwatch() { m_total += m_timer.elapsed(); }
    Stopwatch(const Stopwatch&) = delete;
    Stopwatch& operator=(const Stopwatch&) = delete;

private:
    qint64& m_total;
    QElapsedTimer m_timer;
};

}  // namespace pw::split
