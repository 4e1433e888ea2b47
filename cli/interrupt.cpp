#include "cli/interrupt.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include <QDir>

namespace pw::cli {

namespace {

// How long the current part may take after the first signal before its office work is given up.
constexpr auto Grace = std::chrono::seconds(2);

std::atomic<int> received{0};
InterruptWatch::Hooks hooks;
std::atomic<const QString*> scratchFolder{nullptr};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");
sigset_t watched;
sigset_t inherited;  // the mask before install(), given back to child processes

void restoreMaskInChild() {
    pthread_sigmask(SIG_SETMASK, &inherited, nullptr);
}

// Everything below runs in a signal handler too: async-signal-safe calls only.
void say(const char* text) {
    (void)!::write(STDERR_FILENO, text, std::strlen(text));
}

// Only the watching thread, outside any handler, may clean up: that is no async-signal-safe work.
void cleanUp() {
    if (hooks.killWork) hooks.killWork();
    const QString* folder = scratchFolder.load();
    if (!folder) return;
    // A killed office may still be writing for a moment.
    for (int attempt = 0; attempt < 20 && QDir(*folder).exists(); ++attempt) {
        QDir(*folder).removeRecursively();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

[[noreturn]] void stopNow(int signal, bool watcher) {
    say("\npagewright-cli: stopped\n");
    if (watcher) cleanUp();
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigaction(signal, &fallback, nullptr);
    sigset_t one;
    sigemptyset(&one);
    sigaddset(&one, signal);
    pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
    raise(signal);
    _exit(128 + signal);
}

void onSignal(int signal, bool watcher) {
    int none = 0;
    if (!received.compare_exchange_strong(none, signal)) stopNow(signal, watcher);
    say("\npagewright-cli: interrupted, stopping after the current part "
        "(press Ctrl+C again to stop at once)\n");
}

void installHandler() {
    struct sigaction action {};
    action.sa_handler = [](int signal) { onSignal(signal, false); };
    action.sa_flags = SA_RESTART;
    sigfillset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// A second signal within the grace time, or 0.
int waitGrace() {
    const auto end = std::chrono::steady_clock::now() + Grace;
    for (;;) {
        const auto left = end - std::chrono::steady_clock::now();
        if (left <= std::chrono::nanoseconds(0)) return 0;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        const timespec wait{time_t(ns / 1000000000), long(ns % 1000000000)};
        const int signal = sigtimedwait(&watched, nullptr, &wait);
        if (signal > 0) return signal;
        if (errno != EINTR) return 0;
    }
}

void watch() {
    int signal = 0;
    while (sigwait(&watched, &signal) != 0) {
    }
    onSignal(signal, true);
    if (const int again = waitGrace()) onSignal(again, true);
    // Still running: a load holds the run, and may for minutes.
    if (hooks.abandonWork) hooks.abandonWork();
    for (;;) {
        if (sigwait(&watched, &signal) == 0) onSignal(signal, true);
    }
}

}  // namespace

void InterruptWatch::install(Hooks given) {
    hooks = given;
    sigemptyset(&watched);
    sigaddset(&watched, SIGINT);
    sigaddset(&watched, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &watched, &inherited);
    pthread_atfork(nullptr, nullptr, restoreMaskInChild);
    // For a thread that unblocks them on its own: the signal then sets the same flag.
    installHandler();
    std::thread(watch).detach();
}

void InterruptWatch::setScratchFolder(const QString& path) {
    scratchFolder = new QString(path);  // kept for the life of the program
}

bool InterruptWatch::requested() {
    return received.load() != 0;
}

int InterruptWatch::signalNumber() {
    return received.load();
}

}  // namespace pw::cli
