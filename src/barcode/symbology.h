// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace barcode {

// The symbology of a barcode element. 0 to 9 are the first digit of its Tag, as label files
// store it and as the barcode parameters' list shows them; the further ones are stored by
// name beside the Tag (barcodeoptions.h), whose digit then names the nearest of the first ten
// for programs that know only those.
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
    Ean8 = 10,
    UpcE = 11,
    Interleaved2of5 = 12,
    Codabar = 13,
    Aztec = 14,
    DataBar = 15,
    DataBarLimited = 16,
    DataBarExpanded = 17,
};
inline constexpr int SymbologyCount = 18;
// The highest symbology a Tag digit names.
inline constexpr int LastTagSymbology = 9;

// Where a barcode's human-readable text goes: the second digit of the Tag.
enum class TextPosition { Sotto = 0, Sopra = 1, Nascosto = 2 };

// A Tag digit's symbology; nothing outside 0 to 9.
inline std::optional<Symbology> symbologyFromDigit(int digit) {
    if (digit < 0 || digit > LastTagSymbology)
        return std::nullopt;
    return Symbology(digit);
}

// The symbology at a position of the parameters' list (the Tag digits, then the others).
inline std::optional<Symbology> symbologyAt(int position) {
    if (position < 0 || position >= SymbologyCount)
        return std::nullopt;
    return Symbology(position);
}

// "Code 128", "EAN-8", ...: as the parameters' list and messages name them.
QString symbologyName(Symbology symbology);

// The name a symbology beyond the Tag's digits is stored under ("EAN8"); empty for the others.
QString symbologyKey(Symbology symbology);
std::optional<Symbology> symbologyFromKey(QStringView key);

// The Tag digit stored for a symbology: its own for the first ten; for the others the one of
// the first ten that draws the same data most alike (EAN-8 as EAN, Aztec as QR Code, GS1
// DataBar Expanded as GS1-128, the rest as Code 128).
int tagDigit(Symbology symbology);

// Drawn by the program itself (Code 39 and EAN) rather than through libzint.
inline bool drawnByProgram(Symbology symbology) {
    return symbology == Symbology::Code39 || symbology == Symbology::Ean13 ||
           symbology == Symbology::Ean8;
}

// Two-dimensional: no text unless asked, square modules.
bool isTwoDimensional(Symbology symbology);

} // namespace barcode
