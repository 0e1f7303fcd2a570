// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/printengine.h"

#include <QPointF>

class LabelDocument;
class PressivoUi;

// A printer's calibration page: the label's first place on the page as the layout puts it and
// the printer's offsets move it, with a frame at the label's edge, a cross 10 mm in from its
// top-left corner (and from the others, when the label has room) and a 10 mm scale along its
// top and left edges.
// Measured on the paper, they say how far the head prints from where it should.
namespace calibration {

// How far in from the label's edges the corner crosses are, in millimetres.
inline constexpr double CrossDistance = 10;

// Prints the page to the destination `ui` gives, with `offset` (millimetres right and down).
PrintOutcome printPage(const LabelDocument& document, PressivoUi& ui, const QPointF& offset);

// The offsets that put the top-left cross where it belongs, from where it was measured on a
// page printed with `printedWith`: millimetres from the label's left and top edges.
QPointF correctedOffset(const QPointF& printedWith, const QPointF& measured);

} // namespace calibration
