// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QRectF>

#include <array>

// Where an element dragged on the design surface goes, in surface twips. Positions are already
// snapped by the caller's rule when they arrive here.
namespace dragtarget {

// Dragged by its middle to `topLeft`: the same size, never past the surface's edges.
QRectF moved(const QRectF& start, QPointF topLeft, QSizeF surface);

// Grips in order: top-left, top, top-right, right, bottom-right, bottom, bottom-left, left.
// The edges the grip holds follow the pointer; the box may come out inverted.
QRectF resized(const QRectF& start, int grip, QPointF pointer);

// The grips around an element's frame (surface pixels), in the order above: 5 pixels square
// at every zoom.
std::array<QRect, 8> gripBoxes(const QRect& frame);

// The pointer over a grip shows which way it resizes.
Qt::CursorShape gripCursor(int grip);

} // namespace dragtarget
