// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

class LabelDocument;
struct LabelElement;
class QPainter;
class QRectF;
struct LayoutEtichetta;

// The design surface under the elements, on a painter in twips: the label as a white sheet
// with its outline and a shadow, and the grid of dots when it is on.
void paintSurfaceBackground(QPainter& painter, const LayoutEtichetta& layout, bool grid);

// Over the elements: millimetre rulers numbered in centimetres from the label's corner, along
// the top and the left of the part of the surface that is `visible` (twips).
void paintSurfaceRulers(QPainter& painter, const QRectF& visible);

// The visible elements that reach into `area` (twips), back to front, drawn as they print;
// a picture element without its picture as a grey box with a cross.
void paintSurfaceElements(QPainter& painter, const LabelDocument& document, const QRectF& area);

// Several elements chosen: each shows a dashed outline, on a painter in surface pixels.
void paintSelectionOutlines(QPainter& painter, const std::vector<LabelElement*>& elements,
                            double twipsPerPixel);
