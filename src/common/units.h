// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lengths of this program: element geometry in twips, sheet layout in millimetres.
// The millimetre factor is 56.7 (not 566.93 / 10): stored label files depend on it.
namespace units {

inline constexpr double TwipsPerInch = 1440.0;
inline constexpr double TwipsPerCentimetre = 567.0;
inline constexpr double TwipsPerMillimetre = 56.7;

// The label's top-left corner on the design surface.
inline constexpr float LabelOriginXTwips = 567.0f;
inline constexpr float LabelOriginYTwips = 1440.0f;

constexpr double millimetresToTwips(double mm) {
    return mm * TwipsPerMillimetre;
}
constexpr double twipsToMillimetres(double twips) {
    return twips / TwipsPerMillimetre;
}
constexpr double twipsPerPixel(double logicalDpi) {
    return TwipsPerInch / logicalDpi;
}

} // namespace units
