// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/symbology.h"

#include <array>

namespace barcode {

namespace {

struct SymbologyWords {
    const char* name;
    const char* key; // beyond the Tag's digits only
    Symbology standIn;
    bool twoDimensional;
};

// In the order of the symbologies' values.
constexpr std::array<SymbologyWords, SymbologyCount> Words = {{
    {"Code 39", "", Symbology::Code39, false},
    {"EAN 13", "", Symbology::Ean13, false},
    {"Code 128", "", Symbology::Code128, false},
    {"GS1-128", "", Symbology::Gs1_128, false},
    {"QR Code", "", Symbology::QrCode, true},
    {"Data Matrix", "", Symbology::DataMatrix, true},
    {"PDF417", "", Symbology::Pdf417, true},
    {"ITF-14", "", Symbology::Itf14, false},
    {"UPC-A", "", Symbology::UpcA, false},
    {"GS1 DataMatrix", "", Symbology::Gs1DataMatrix, true},
    {"EAN-8", "EAN8", Symbology::Ean13, false},
    {"UPC-E", "UPCE", Symbology::Code128, false},
    {"Interleaved 2 of 5", "ITF", Symbology::Code128, false},
    {"Codabar", "CODABAR", Symbology::Code128, false},
    {"Aztec", "AZTEC", Symbology::QrCode, true},
    {"GS1 DataBar", "DATABAR", Symbology::Code128, false},
    {"GS1 DataBar Limited", "DATABARLIMITED", Symbology::Code128, false},
    {"GS1 DataBar Expanded", "DATABAREXPANDED", Symbology::Gs1_128, false},
}};

const SymbologyWords& words(Symbology symbology) {
    const int index = int(symbology);
    return Words[index >= 0 && index < SymbologyCount ? index : 0];
}

} // namespace

QString symbologyName(Symbology symbology) {
    return QString::fromLatin1(words(symbology).name);
}

QString symbologyKey(Symbology symbology) {
    return QString::fromLatin1(words(symbology).key);
}

std::optional<Symbology> symbologyFromKey(QStringView key) {
    for (int i = LastTagSymbology + 1; i < SymbologyCount; ++i) {
        if (key == QLatin1String(Words[i].key))
            return Symbology(i);
    }
    return std::nullopt;
}

int tagDigit(Symbology symbology) {
    return int(words(symbology).standIn);
}

bool isTwoDimensional(Symbology symbology) {
    return words(symbology).twoDimensional;
}

} // namespace barcode
