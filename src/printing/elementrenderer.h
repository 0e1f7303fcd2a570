// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/elementtype.h"

#include <QRectF>
#include <QString>

class clsPressivo;
struct LayoutEtichetta;

// Draws one element with its content in `box` (millimetres on the clsPressivo's page) through
// the print component: the preview, PDFs, printers, saved prints and the design surface all
// draw elements here. Returns why a barcode's text cannot be drawn in its symbology (nothing is
// drawn then), empty otherwise.
QString drawElement(const LabelElement& element, const ElementContent& content, const QRectF& box,
                    clsPressivo& sink);

// The element's box on the page, in millimetres, for the label in column c and row r (from 1).
QRectF elementBoxOnPage(const LayoutEtichetta& layout, int column, int row,
                        const LabelElement& element);

// The element's box on the design surface, in millimetres from the surface's corner.
QRectF elementBoxOnSurface(const LabelElement& element);
