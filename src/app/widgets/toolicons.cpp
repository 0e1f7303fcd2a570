// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/toolicons.h"

#include <QAction>
#include <QEvent>
#include <QToolBar>
#include <QToolButton>

#include "barcode/barcodeencoding.h"
#include "common/widgets/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

using Drawing = std::function<void(QPainter&)>;

QIcon icon(const Drawing& draw) {
    return pictures::drawn(draw);
}

const QColor Ink(40, 40, 40);
const QColor Accent(31, 95, 168);

void letter(QPainter& p, const QString& text, bool bold, bool italic) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(19);
    font.setBold(bold);
    font.setItalic(italic);
    p.setFont(font);
    p.setPen(Ink);
    p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, text);
}

void lines(QPainter& p, int align) {
    p.setPen(QPen(Ink, 2));
    const int widths[4] = {18, 12, 18, 10};
    for (int i = 0; i < 4; ++i) {
        const int w = widths[i];
        const int x = align == 0 ? 3 : align == 1 ? (24 - w) / 2 : 21 - w;
        p.drawLine(x, 5 + i * 5, x + w, 5 + i * 5);
    }
}

} // namespace

QIcon toolIcon(const QString& key) {
    if (key == u"stampa")
        return pictures::printer();
    if (key == u"disconnettidb")
        return pictures::brokenLink();
    if (key == u"seleziona")
        return icon([](QPainter& p) {
            QPainterPath arrow;
            arrow.moveTo(6, 3);
            arrow.lineTo(6, 19);
            arrow.lineTo(10, 15);
            arrow.lineTo(13, 21);
            arrow.lineTo(15.5, 20);
            arrow.lineTo(12.5, 14);
            arrow.lineTo(18, 14);
            arrow.closeSubpath();
            p.setPen(QPen(Ink, 1.2));
            p.setBrush(Qt::white);
            p.drawPath(arrow);
        });
    if (key == u"testo" || key == u"modifica")
        return icon([key](QPainter& p) {
            letter(p, QStringLiteral("T"), true, false);
            if (key == u"modifica") {
                p.setPen(QPen(Accent, 2));
                p.drawLine(15, 21, 22, 14);
            }
        });
    if (key == u"barcode" || key == u"parbarcode")
        return icon([key](QPainter& p) {
            for (const auto& bar : barcode::layoutCode39(QStringLiteral("1"), QRectF(2, 4, 20, 16)))
                if (bar.dark)
                    p.fillRect(bar.rect, Ink);
            if (key == u"parbarcode") {
                p.setPen(QPen(Accent, 2.5));
                p.setBrush(Qt::white);
                p.drawEllipse(QPointF(18, 18), 4, 4);
            }
        });
    if (key == u"immagine")
        return icon([](QPainter& p) {
            p.setPen(QPen(Ink, 1.5));
            p.setBrush(QColor(220, 235, 250));
            p.drawRect(QRectF(3, 5, 18, 14));
            QPainterPath hills;
            hills.moveTo(4, 18);
            hills.lineTo(10, 11);
            hills.lineTo(14, 15);
            hills.lineTo(17, 12);
            hills.lineTo(20, 18);
            hills.closeSubpath();
            p.setBrush(QColor(80, 150, 80));
            p.setPen(Qt::NoPen);
            p.drawPath(hills);
            p.setBrush(QColor(240, 190, 40));
            p.drawEllipse(QPointF(16, 9), 2, 2);
        });
    if (key == u"rettangolo")
        return icon([](QPainter& p) {
            p.setPen(QPen(Ink, 2));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(3, 6, 18, 12));
        });
    if (key == u"linea")
        return icon([](QPainter& p) {
            p.setPen(QPen(Ink, 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(4, 19), QPointF(20, 5));
        });
    if (key == u"ellisse")
        return icon([](QPainter& p) {
            p.setPen(QPen(Ink, 2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(3, 6, 18, 12));
        });
    if (key == u"ruota")
        return icon([](QPainter& p) {
            QPainterPath arc;
            arc.arcMoveTo(QRectF(4, 4, 16, 16), 200);
            arc.arcTo(QRectF(4, 4, 16, 16), 200, -250);
            p.setPen(QPen(Accent, 2.2));
            p.setBrush(Qt::NoBrush);
            p.drawPath(arc);
            const QPointF end = arc.currentPosition();
            QPainterPath head;
            head.moveTo(end + QPointF(-4.5, -1.5));
            head.lineTo(end + QPointF(1.5, -2.5));
            head.lineTo(end + QPointF(0, 3.5));
            head.closeSubpath();
            p.setPen(Qt::NoPen);
            p.setBrush(Accent);
            p.drawPath(head);
        });
    if (key == u"griglia")
        return icon([](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(Ink);
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 4; ++j)
                    p.drawEllipse(QPointF(4.5 + i * 5, 4.5 + j * 5), 1.3, 1.3);
        });
    if (key == u"snap")
        return icon([](QPainter& p) {
            QPainterPath magnet;
            magnet.moveTo(5, 4);
            magnet.lineTo(5, 13);
            magnet.arcTo(QRectF(5, 6, 14, 14), 180, 180);
            magnet.lineTo(19, 4);
            p.setPen(QPen(QColor(200, 40, 40), 4));
            p.setBrush(Qt::NoBrush);
            p.drawPath(magnet);
            p.setPen(QPen(Ink, 4));
            p.drawLine(QPointF(5, 3), QPointF(5, 6));
            p.drawLine(QPointF(19, 3), QPointF(19, 6));
        });
    if (key == u"collega")
        return icon([](QPainter& p) {
            p.setPen(QPen(Accent, 2.5));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(2, 8, 12, 8), 4, 4);
            p.drawRoundedRect(QRectF(10, 8, 12, 8), 4, 4);
        });
    if (key == u"grassetto")
        return icon([](QPainter& p) { letter(p, QStringLiteral("G"), true, false); });
    if (key == u"corsivo")
        return icon([](QPainter& p) { letter(p, QStringLiteral("C"), false, true); });
    if (key == u"carattere" || key == u"font")
        return icon([](QPainter& p) { letter(p, QStringLiteral("A"), false, false); });
    if (key == u"allineasx")
        return icon([](QPainter& p) { lines(p, 0); });
    if (key == u"allineac")
        return icon([](QPainter& p) { lines(p, 1); });
    if (key == u"allineadx")
        return icon([](QPainter& p) { lines(p, 2); });
    if (key.startsWith(QStringLiteral("spessore")))
        return icon([key](QPainter& p) {
            p.setPen(QPen(Ink, 1.5 * key.right(1).toInt()));
            p.drawLine(3, 12, 21, 12);
        });
    if (key == u"coloreogg" || key == u"coloresfo")
        return icon([key](QPainter& p) {
            p.setPen(QPen(Ink, 1));
            p.setBrush(key == u"coloreogg" ? QColor(200, 40, 40) : QColor(250, 220, 60));
            p.drawRect(QRectF(4, 4, 16, 16));
            if (key == u"coloreogg")
                letter(p, QStringLiteral("a"), true, false);
        });
    if (key == u"opaco" || key == u"trasparente")
        return icon([key](QPainter& p) {
            p.setPen(QPen(Ink, 1.5));
            p.setBrush(key == u"opaco" ? QBrush(QColor(150, 150, 150)) : QBrush(Qt::NoBrush));
            p.drawRect(QRectF(4, 4, 16, 16));
        });
    if (key == u"avanti" || key == u"indietro")
        return icon([key](QPainter& p) {
            const bool front = key == u"avanti";
            p.setPen(QPen(Ink, 1));
            p.setBrush(front ? QColor(200, 200, 200) : Accent);
            p.drawRect(QRectF(3, 3, 12, 12));
            p.setBrush(front ? Accent : QColor(200, 200, 200));
            p.drawRect(QRectF(9, 9, 12, 12));
        });
    return {};
}

namespace {

class EmptyTooltipFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            const auto* button = qobject_cast<QToolButton*>(watched);
            if (button && button->defaultAction() &&
                button->defaultAction()->toolTip() == NoTooltip)
                return true;
        }
        return false;
    }
};

} // namespace

void hideEmptyTooltips(QToolBar* toolbar) {
    auto* filter = new EmptyTooltipFilter(toolbar);
    for (QToolButton* button : toolbar->findChildren<QToolButton*>())
        button->installEventFilter(filter);
}
