// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's exit codes, as scripts that start it see them (the README lists them).
namespace exitcode {

inline constexpr int Delivered = 0;      // everything asked was printed or written
inline constexpr int Failed = 1;         // not delivered: the reason is on standard error
inline constexpr int Usage = 2;          // the command line is not valid
inline constexpr int NothingToPrint = 3; // no record selected, or no label asked for
inline constexpr int NeedsDisplay = 4;   // "-S" without a display
inline constexpr int Incomplete = 5;     // delivered with elements left out, as stderr says
// Stopped by a signal: 128 + its number (130 for SIGINT, 143 for SIGTERM).

} // namespace exitcode
