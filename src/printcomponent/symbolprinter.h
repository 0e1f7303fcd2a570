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

// Prints a barcode on the surface in `area` (twips), moved by `offset`: the bars `lay` puts in
// the part of the area the text leaves, and the text in Arial 8 centred below or above them.
// With `lightBehind`, one white box under the whole symbol stands for its light units. The
// surface's drawing state is as it was afterwards.
void printSymbol(PrintSurface& surface, const QRectF& area, QPointF offset, const SymbolText& text,
                 bool lightBehind,
                 const std::function<std::vector<barcode::Box>(const QRectF&)>& lay);
