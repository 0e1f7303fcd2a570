// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lengths of this program: element geometry in twips, sheet layout in millimetres. Every
// conversion factor lives here.
namespace units {

inline constexpr double TwipsPerInch = 1440.0;
inline constexpr double TwipsPerCentimetre = 567.0;
// Not 566.93 / 10: label files store twips made with this factor, and their elements must
// print where they always did.
inline constexpr double TwipsPerMillimetre = 56.7;
// Paper is measured exactly, as printers and PDF pages know it: a 4 x 6 in roll is 288 x 432 pt.
inline constexpr double PaperTwipsPerMillimetre = TwipsPerInch / 25.4;
// CUPS measures media in hundredths of a millimetre.
inline constexpr double TwipsPerHundredthMillimetre = TwipsPerInch / 2540.0;
inline constexpr double TwipsPerPoint = 20.0;
// The real inch, for resolutions stored in dots per metre (the millimetre factor above is the
// label files' own and is not used for them).
inline constexpr double MetresPerInch = 0.0254;
// What a screen without a known resolution is taken to have.
inline constexpr double DefaultDotsPerInch = 96.0;

// A length, kept in twips; built from and read in the other units by name.
class Length {
public:
    constexpr Length() = default;

    static constexpr Length twips(double value) { return Length(value); }
    static constexpr Length millimetres(double value) { return Length(value * TwipsPerMillimetre); }
    static constexpr Length centimetres(double value) { return Length(value * TwipsPerCentimetre); }
    static constexpr Length inches(double value) { return Length(value * TwipsPerInch); }
    static constexpr Length points(double value) { return Length(value * TwipsPerPoint); }
    static constexpr Length pixels(double value, double dotsPerInch) {
        return Length(value * TwipsPerInch / dotsPerInch);
    }

    constexpr double inTwips() const { return m_twips; }
    constexpr double inMillimetres() const { return m_twips / TwipsPerMillimetre; }
    constexpr double inCentimetres() const { return m_twips / TwipsPerCentimetre; }
    constexpr double inInches() const { return m_twips / TwipsPerInch; }
    constexpr double inPoints() const { return m_twips / TwipsPerPoint; }
    constexpr double inPixels(double dotsPerInch) const {
        return m_twips * dotsPerInch / TwipsPerInch;
    }

    constexpr Length operator+(Length other) const { return Length(m_twips + other.m_twips); }
    constexpr Length operator-(Length other) const { return Length(m_twips - other.m_twips); }
    constexpr Length operator*(double factor) const { return Length(m_twips * factor); }
    constexpr Length operator/(double divisor) const { return Length(m_twips / divisor); }
    constexpr double operator/(Length other) const { return m_twips / other.m_twips; }
    constexpr bool operator==(const Length&) const = default;
    constexpr bool operator<(Length other) const { return m_twips < other.m_twips; }

private:
    constexpr explicit Length(double twips)
        : m_twips(twips) {}
    double m_twips = 0;
};

// The label's top-left corner on the design surface: element positions in label files count
// from here, so it never moves.
inline constexpr Length LabelOriginX = Length::centimetres(1);
inline constexpr Length LabelOriginY = Length::inches(1);
// The same in the single precision of element geometry.
inline constexpr float LabelOriginXTwips = float(LabelOriginX.inTwips());
inline constexpr float LabelOriginYTwips = float(LabelOriginY.inTwips());

// Print margins before any are set: one inch.
inline constexpr Length DefaultPageMargin = Length::inches(1);

constexpr double millimetresToTwips(double mm) {
    return Length::millimetres(mm).inTwips();
}
constexpr double twipsToMillimetres(double twips) {
    return Length::twips(twips).inMillimetres();
}
// The resolution images store (dots per metre) in dots per inch.
constexpr double dotsPerInch(double dotsPerMetre) {
    return dotsPerMetre * MetresPerInch;
}
constexpr double twipsPerPixel(double dotsPerInch) {
    return Length::pixels(1, dotsPerInch).inTwips();
}

} // namespace units
