#pragma once

// The steps of a split run, for whoever wants to watch them (the benchmark times them). The run
// works the same with no observer at all.

namespace pw::split {

enum class SplitStep {
    OfficeStart,  // start and options
    OpenSource,   // the opening that is cut, numbers turned into text
    PageMap,
    Copy,       // the parts' ranges copied
    BlankCopy,  // the opening emptied to serve as the blank
    Paste,
    Save,      // naming and store
    TakeBack,  // the paste undone after the store
    Quit,
};

class SplitObserver {
public:
    virtual ~SplitObserver() = default;
    virtual void stepBegins(SplitStep step) = 0;
    virtual void stepEnds(SplitStep step) = 0;
};

// Reports a step's beginning now and its end when it goes out of scope.
class StepScope {
public:
    StepScope(SplitObserver* observer, SplitStep step) : m_observer(observer), m_step(step) {
        if (m_observer) m_observer->stepBegins(m_step);
    }
    ~StepScope() {
        if (m_observer) m_observer->stepEnds(m_step);
    }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;

private:
    SplitObserver* m_observer;
    SplitStep m_step;
};

}  // namespace pw::split
