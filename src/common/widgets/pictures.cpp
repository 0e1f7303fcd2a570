// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/widgets/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace pictures {

namespace {
const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 255);
const QColor Accent(31, 95, 168);
} // namespace

QIcon drawn(const std::function<void(QPainter&)>& draw) {
    QIcon result;
    for (const int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 24.0, size / 24.0);
        draw(painter);
        result.addPixmap(pixmap);
    }
    return result;
}

QIcon printer() {
    return drawn([](QPainter& p) {
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(Paper);
        p.drawRect(QRectF(6.5, 2.5, 11, 7)); // the sheet going in
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2); // the body
        p.setBrush(Paper);
        p.drawRect(QRectF(6.5, 14.5, 11, 7)); // the printed sheet
        p.setPen(QPen(Accent, 1.2));
        p.drawLine(QLineF(8.5, 17.5, 15.5, 17.5));
        p.drawLine(QLineF(8.5, 19.5, 13.5, 19.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 170, 60));
        p.drawEllipse(QPointF(18.5, 11.5), 1.1, 1.1);
    });
}

QIcon file() {
    return drawn([](QPainter& p) {
        QPainterPath sheet;
        sheet.moveTo(5.5, 2.5);
        sheet.lineTo(14.5, 2.5);
        sheet.lineTo(19.5, 7.5);
        sheet.lineTo(19.5, 21.5);
        sheet.lineTo(5.5, 21.5);
        sheet.closeSubpath();
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(Paper);
        p.drawPath(sheet);
        p.drawPolyline(QPolygonF({QPointF(14.5, 2.5), QPointF(14.5, 7.5), QPointF(19.5, 7.5)}));
        p.setPen(QPen(Accent, 1.2));
        for (const double y : {11.5, 14.5, 17.5})
            p.drawLine(QLineF(8.5, y, 16.5, y));
    });
}

QIcon screen() {
    return drawn([](QPainter& p) {
        p.setPen(QPen(Ink, 1.2));
        p.setBrush(QColor(60, 60, 60));
        p.drawRoundedRect(QRectF(2.5, 3.5, 19, 13), 1.5, 1.5);
        p.setBrush(QColor(120, 170, 220));
        p.drawRect(QRectF(4.5, 5.5, 15, 9));
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(10.5, 16.5, 3, 3));
        p.drawRect(QRectF(7.5, 19.5, 9, 2));
    });
}

QIcon brokenLink() {
    return drawn([](QPainter& p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Ink, 2.2));
        p.drawRoundedRect(QRectF(2.5, 8.5, 9, 7), 3.5, 3.5);
        p.drawRoundedRect(QRectF(12.5, 8.5, 9, 7), 3.5, 3.5);
        p.setPen(QPen(QColor(200, 40, 40), 2));
        p.drawLine(QLineF(12, 3, 12, 6));
        p.drawLine(QLineF(12, 18, 12, 21));
        p.drawLine(QLineF(8, 4, 9.5, 6.5));
        p.drawLine(QLineF(16, 4, 14.5, 6.5));
    });
}

} // namespace pictures
