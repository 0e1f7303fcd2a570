// SPDX-License-Identifier: GPL-3.0-or-later
#include "interruption.h"

#include <csignal>

namespace interruption {

namespace {

volatile std::sig_atomic_t received = 0;

extern "C" void note(int signal) {
    received = signal;
}

} // namespace

void catchSignals() {
    struct sigaction action {};
    action.sa_handler = note;
    sigemptyset(&action.sa_mask);
    // Calls under way finish as usual; the print loop finds the note at the next label.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int signalNumber() {
    return received;
}

int exitCode() {
    return received ? 128 + received : 0;
}

void simulate(int signal) {
    received = signal;
}

} // namespace interruption
