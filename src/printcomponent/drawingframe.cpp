// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/drawingframe.h"

#include <cmath>

QPointF DrawingFrame::rotate(const QRectF& box, double degrees) {
    m_degrees = std::fmod(degrees, 360.0);
    m_pivot = box.normalized().center();
    if (m_degrees != 0 && m_dotTwips > 0 && std::fmod(m_degrees, 90.0) == 0) {
        const QPointF origin = turnedOrigin();
        const auto onDot = [&](double at, double from) {
            return from + std::round((at - from) / m_dotTwips) * m_dotTwips;
        };
        m_pivot = {onDot(m_pivot.x(), origin.x()), onDot(m_pivot.y(), origin.y())};
    }
    return m_pivot;
}

QPointF DrawingFrame::dotOrigin() const {
    // The grid turned by quarters about one of its dots is the same grid.
    return rotated() ? m_pivot : turnedOrigin();
}

QPointF DrawingFrame::turnedOrigin() const {
    if (m_turned.isEmpty())
        return m_dotOrigin;
    // A point (x, y) drawn turned lands at (left + height - (y - top), top + (x - left)): the
    // drawing's x runs down the page, its y leftwards across it.
    const QRectF& a = m_turned;
    return {a.left() - a.top() + m_dotOrigin.y(),
            a.top() + a.left() + a.height() - m_dotOrigin.x()};
}
