#include "cli/interrupt.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace pw::cli {

namespace {

std::atomic<int> received{0};
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

[[noreturn]] void stopNow(int signal) {
    say("\npagewright-cli: stopped\n");
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

void onSignal(int signal) {
    int none = 0;
    if (!received.compare_exchange_strong(none, signal)) stopNow(signal);
    say("\npagewright-cli: interrupted, stopping after the current part "
        "(press Ctrl+C again to stop at once)\n");
}

void installHandler() {
    struct sigaction action {};
    action.sa_handler = onSignal;
    action.sa_flags = SA_RESTART;
    sigfillset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void watch() {
    for (;;) {
        int signal = 0;
        if (sigwait(&watched, &signal) == 0) onSignal(signal);
    }
}

}  // namespace

void InterruptWatch::install() {
    sigemptyset(&watched);
    sigaddset(&watched, SIGINT);
    sigaddset(&watched, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &watched, &inherited);
    pthread_atfork(nullptr, nullptr, restoreMaskInChild);
    // For a thread that unblocks them on its own: the signal then sets the same flag.
    installHandler();
    std::thread(watch).detach();
}

bool InterruptWatch::requested() {
    return received.load() != 0;
}

int InterruptWatch::signalNumber() {
    return received.load();
}

}  // namespace pw::cli
