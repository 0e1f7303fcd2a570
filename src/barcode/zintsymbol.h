// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "barcode/barcodeencoding.h"
#include "barcode/barcodeoptions.h"
#include "barcode/symbology.h"

#include <QRectF>
#include <QString>

#include <vector>

// The symbologies beyond EAN and Code 39, encoded by libzint and laid out here as filled
// boxes (vectors: crisp on PDF and printers at any size).
namespace zintsymbol {

using Symbology = barcode::Symbology;

// The list position's symbology among those libzint draws; nothing for Code 39, EAN and
// anything unknown.
std::optional<Symbology> fromTagDigit(int digit);

struct Symbol {
    std::vector<QRectF> bars; // dark boxes in the symbol's own units
    QSizeF size;              // the whole symbol in those units, quiet zones included
    int columns = 0;          // modules across (2D) or the symbol's width in modules (1D)
    int rows = 0;             // module rows (2D)
    QString text;             // the human-readable text ("(01)09501101530003(17)...")
};

struct Encoding {
    std::optional<Symbol> symbol;
    QString error; // why the data cannot be encoded, in libzint's words
};

// A value every symbology takes, for showing a linked element's kind of symbol.
QString sampleValue(Symbology symbology);

// GS1 data is written with its application identifiers in round brackets. Codes that end
// with their check digit (UPC, ITF-14, GS1 DataBar) are taken with it or without it; one given
// is not checked here (barcodecheck does). The options' error correction level and quiet
// zones apply; their symbology does not.
Encoding encode(Symbology symbology, const QString& data, const barcode::Options& options = {});

// The check digit libzint computes for the digits before it (UPC-E's comes from the UPC-A
// it stands for); -1 when they make no symbol.
int checkDigit(Symbology symbology, const QString& digitsWithoutCheck);

// The symbol in the area: 1D bars stretched across the whole area; 2D symbols with square
// modules of the largest whole size (in the area's units) that fits, centred.
// `unit`: the whole size modules are made of (a printer's dot), 1 by default.
std::vector<barcode::Box> layout(const Symbol& symbol, Symbology symbology, const QRectF& area,
                                 double unit = 1);

} // namespace zintsymbol
