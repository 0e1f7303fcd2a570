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

std::array<QRect, 8> gripBoxes(const QRect& frame) {
    const int xs[3] = {frame.left(), frame.left() + frame.width() / 2, frame.right()};
    const int ys[3] = {frame.top(), frame.top() + frame.height() / 2, frame.bottom()};
    const int column[8] = {0, 1, 2, 2, 2, 1, 0, 0};
    const int row[8] = {0, 0, 0, 1, 2, 2, 2, 1};
    std::array<QRect, 8> boxes{};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i] = QRect(xs[column[i]] - 2, ys[row[i]] - 2, 5, 5);
    return boxes;
}

Qt::CursorShape gripCursor(int grip) {
    static constexpr Qt::CursorShape shapes[8] = {
        Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
        Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor};
    return shapes[grip];
}

} // namespace dragtarget
