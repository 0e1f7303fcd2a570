// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

// The two rounding rules of this program, named once.
namespace rounding {

// Banker's rounding: 8.5 -> 8, 9.5 -> 10, -2.5 -> -2.
inline double halfToEven(double value) {
    return std::nearbyint(value);
}

// 2.5 -> 3, -2.5 -> -3.
inline double halfAwayFromZero(double value) {
    return std::round(value);
}

} // namespace rounding
