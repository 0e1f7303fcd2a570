// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/units.h"

#include <QStringView>

#include <optional>

// The codes callers of the print component pass as numbers.
namespace pressivo {

// The unit of the coordinates given to clsPressivo.
enum ScaleMode : int { Twip = 1, Point = 2, Pixel = 3, Inch = 5, Millimetre = 6, Centimetre = 7 };

// Where EndDoc delivers the document.
enum Destination : int { Discard = 0, Preview = 1, Printer = 2, File = 3 };

// What the print surface is asked to do.
enum Action : int {
    PageSetup = 2,
    PrintShownPage = 9,
    PrintDocument = 11,
    PrintAllPages = 12,
    PrinterSetup = 13,
};

// How the preview fits its pages: at a chosen zoom, or two pages, a whole page or the page's
// width to the window.
enum ZoomMode : int { FreeZoom = 0, TwoPages = 2, WholePage = 3, PageWidth = 4 };

// A unit of measure: its scale mode, the word measures carry, and its twips (a pixel's depend
// on the screen and are not in the table).
struct Unit {
    ScaleMode mode;
    QStringView word;
    double twips;
};
inline constexpr Unit Units[] = {
    {Twip, u"twip", 1},
    {Point, u"point", units::TwipsPerPoint},
    {Pixel, u"pix", 0},
    {Inch, u"in", units::TwipsPerInch},
    {Millimetre, u"mm", units::TwipsPerMillimetre},
    {Centimetre, u"cm", units::TwipsPerCentimetre},
};

inline std::optional<Unit> unitOf(int mode) {
    for (const Unit& unit : Units) {
        if (unit.mode == mode)
            return unit;
    }
    return std::nullopt;
}

} // namespace pressivo
