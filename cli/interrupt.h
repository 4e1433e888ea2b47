#pragma once

// Ctrl+C and SIGTERM end a run after its current part; the run polls requested(). A second
// signal stops the program at once.
//
// The signals are blocked in every thread and taken by a thread of their own, so no call into
// the office is cut short by one.

namespace pw::cli {

class InterruptWatch {
public:
    // Call before any other thread starts: threads inherit the blocked signals. Processes the
    // program starts get the signal mask it had before.
    static void install();
    static bool requested();
    // The first signal received, or 0.
    static int signalNumber();
};

}  // namespace pw::cli
