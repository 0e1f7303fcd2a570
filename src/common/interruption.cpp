// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/interruption.h"

#include <atomic>
#include <csignal>

namespace interruption {

namespace {

// Read by the PDF writer's thread as well: a lock-free atomic is safe in a handler.
std::atomic<int> received{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void note(int signal) {
    received = signal;
}

} // namespace

void catchSignals() {
    struct sigaction action {};
    action.sa_handler = note;
    sigemptyset(&action.sa_mask);
    // Calls under way finish as usual; the print loop finds the note at the next label.
    // A second signal ends the program at once, should something hang.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int signalNumber() {
    return received;
}

int exitCode() {
    const int signal = received;
    return signal ? 128 + signal : 0;
}

void simulate(int signal) {
    received = signal;
}

} // namespace interruption
