// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace barcode {

// The symbology of a barcode element: the first digit of its Tag, as label files store it
// and as the barcode parameters' list shows them. 0 and 1 are drawn by the program itself,
// 2 to 9 through libzint.
enum class Symbology {
    Code39 = 0,
    Ean13 = 1,
    Code128 = 2,
    Gs1_128 = 3,
    QrCode = 4,
    DataMatrix = 5,
    Pdf417 = 6,
    Itf14 = 7,
    UpcA = 8,
    Gs1DataMatrix = 9,
};

// Where a barcode's human-readable text goes: the second digit of the Tag.
enum class TextPosition { Sotto = 0, Sopra = 1, Nascosto = 2 };

// A Tag digit's symbology; nothing outside 0 to 9.
inline std::optional<Symbology> symbologyFromDigit(int digit) {
    if (digit < 0 || digit > 9)
        return std::nullopt;
    return Symbology(digit);
}

} // namespace barcode
