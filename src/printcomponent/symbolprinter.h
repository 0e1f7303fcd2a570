// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "barcode/barcodeencoding.h"
#include "barcode/symbology.h"

#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class PrintSurface;

// A barcode's human-readable text: measured as typed, printed as shown, and where it goes.
struct SymbolText {
    QString measured;
    QString printed;
    barcode::TextPosition position = barcode::TextPosition::Sotto;
};

// For a printer of known resolution: every module a whole number of the printer's dots (`dot`
// twips), the symbol's edge on a dot. `across` modules wide; `down` rows of square modules for
// a 2-D symbol, 0 for bars. The dots lie on a grid through `origin` (where the printer's
// printable area starts, as the page is drawn).
// `module`: the module asked for (twips; on a printer the nearest whole dots, at least one),
// from the box's left edge (2-D symbols centred); 0 takes the largest that fits.
struct WholeDots {
    double dot = 0; // 0: drawn to fill its box, as on screen
    int across = 0;
    int down = 0;
    QPointF origin;
    double module = 0;
};

// Prints a barcode on the surface in `area` (twips), moved by `offset`: the bars `lay` puts in
// the part of the area the text leaves, and the text in Arial 8 centred below or above them.
// With `lightBehind`, one white box under the whole symbol stands for its light units. The
// surface's drawing state is as it was afterwards. With whole dots, bars keep the box's left
// edge (2-D symbols its middle), and take the largest whole module that fits; false, with
// nothing drawn, when not even one dot a module fits, or the module asked does not.
bool printSymbol(PrintSurface& surface, const QRectF& area, QPointF offset, const SymbolText& text,
                 bool lightBehind,
                 const std::function<std::vector<barcode::Box>(const QRectF&)>& lay,
                 const WholeDots& dots = {});
