// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPainter;
struct LayoutEtichetta;

// The design surface under the elements, on a painter in twips: the label as a white sheet
// with its outline and a shadow, millimetre rulers numbered in centimetres from the label's
// corner, and the grid of dots when it is on.
void paintSurfaceBackground(QPainter& painter, const LayoutEtichetta& layout, bool grid);
