// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/dragtarget.h"

#include <algorithm>

namespace dragtarget {

QRectF moved(const QRectF& start, QPointF topLeft, QSizeF surface) {
    const double left =
        std::clamp(topLeft.x(), 0.0, std::max(0.0, surface.width() - start.width()));
    const double top =
        std::clamp(topLeft.y(), 0.0, std::max(0.0, surface.height() - start.height()));
    return QRectF(left, top, start.width(), start.height());
}

QRectF resized(const QRectF& start, int grip, QPointF pointer) {
    QRectF edges = start;
    if (grip == 0 || grip == 6 || grip == 7)
        edges.setLeft(pointer.x());
    if (grip >= 2 && grip <= 4)
        edges.setRight(pointer.x());
    if (grip <= 2)
        edges.setTop(pointer.y());
    if (grip >= 4 && grip <= 6)
        edges.setBottom(pointer.y());
    return edges;
}

} // namespace dragtarget
