#pragma once

// Ctrl+C and SIGTERM end a run after its current part; the run polls requested(). A run that
// is still held by a load a moment later has its office work given up. A second signal stops
// the program at once, and takes its offices and its scratch folder with it.
//
// The signals are blocked in every thread and taken by a thread of their own, so no call into
// the office is cut short by one.

#include <QString>

namespace pw::cli {

class InterruptWatch {
public:
    struct Hooks {
        void (*abandonWork)() = nullptr;  // the run has not stopped soon after the first signal
        void (*killWork)() = nullptr;     // the second signal: before the scratch folder goes
    };

    // Call before any other thread starts: threads inherit the blocked signals. Processes the
    // program starts get the signal mask it had before.
    static void install(Hooks hooks);
    // The folder a second signal removes; set before the run starts.
    static void setScratchFolder(const QString& path);
    static bool requested();
    // The first signal received, or 0.
    static int signalNumber();
};

}  // namespace pw::cli
