// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A batch job stopped with SIGINT or SIGTERM must not leave a half-written file behind: the
// handlers only note the signal, and the print loop and the writers look at the note, give up
// their work and clean up before the program exits.
namespace interruption {

// Catches SIGINT and SIGTERM from now on (batch printing; the window keeps the default).
void catchSignals();

// The signal that asked the program to stop, 0 while none did.
int signalNumber();
inline bool requested() {
    return signalNumber() != 0;
}

// The exit code of a program stopped by that signal: 128 + its number.
int exitCode();

// For tests: behaves as if `signal` had arrived (0 forgets it).
void simulate(int signal);

} // namespace interruption
