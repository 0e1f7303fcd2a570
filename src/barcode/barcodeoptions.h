// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "barcode/symbology.h"

#include <optional>

namespace barcode {

// A QR Code's error correction: automatic (libzint's choice, as labels always had it), or one
// of the four levels, from 7 % of the symbol recoverable (L) to 30 % (H). Aztec symbols take
// the same four steps.
enum class QrLevel { Automatico = 0, L = 1, M = 2, Q = 3, H = 4 };

// What a barcode element says beyond the two digits of its Tag.
struct Options {
    // A symbology beyond the Tag's digits; the Tag then holds its stand-in digit.
    std::optional<Symbology> symbology;
    // One module's width (a 2-D module's side), in mm; 0: the symbol fills its box.
    float moduleMm = 0;
    QrLevel qrLevel = QrLevel::Automatico;
    // The light margins scanners need around the bars, inside the box.
    bool quietZones = false;

    bool operator==(const Options&) const = default;
};

// The narrowest and widest module a user may ask for, in mm.
inline constexpr double SmallestModuleMm = 0.05;
inline constexpr double LargestModuleMm = 5;

// "L", "M", "Q", "H"; empty for the automatic choice.
QString qrLevelName(QrLevel level);
std::optional<QrLevel> qrLevelFromName(QStringView name);

} // namespace barcode
