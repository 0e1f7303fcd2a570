// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "barcode/barcodeoptions.h"
#include "barcode/symbology.h"

#include <QPointF>
#include <QRectF>
#include <QString>

class PrintSurface;

// Where the barcodes of a drawing go: the surface, the offset added to every position, the
// printer's dot (0 on screens and in PDFs) with where its grid starts, and the text's place.
struct SymbolPlace {
    PrintSurface& surface;
    QPointF offset;
    double dot = 0;
    QPointF dotOrigin;
    barcode::TextPosition text = barcode::TextPosition::Sotto;
};

// Draws `text` as a symbol of `symbology` in `area` (twips) with the options (their
// symbology aside). Returns why nothing was drawn (a text the symbology cannot carry, a box
// too small for the module asked or for one printer dot a module); empty when it was drawn or
// the text is empty. Code 39 and EAN too small for whole dots are stretched to their box, as
// they always were.
QString drawSymbol(const SymbolPlace& place, barcode::Symbology symbology, const QString& text,
                   const QRectF& area, const barcode::Options& options);
