// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/widgets/surfacebackground.h"

#include "common/units.h"
#include "designer/widgets/clsgrip.h"
#include "document/elementtype.h"
#include "document/labeldocument.h"
#include "document/sheetlayout.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/pagerenderer.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printdocument.h"
#include "printcomponent/printsurface.h"
#include "printing/elementrenderer.h"

#include <QPainter>

#include <algorithm>

#include <vector>

namespace {

using units::Length;

constexpr double Shadow = Length::millimetres(1.3).inTwips();
constexpr double GridPitch = Length::millimetres(2).inTwips();
constexpr double Centimetre = Length::centimetres(1).inTwips();
constexpr double Millimetre = Length::millimetres(1).inTwips();

QRectF twipsRect(double x1, double y1, double x2, double y2) {
    return QRectF(QPointF(x1, y1), QPointF(x2, y2));
}

} // namespace

void paintSurfaceBackground(QPainter& painter, const LayoutEtichetta& layout, bool grid) {
    const double left = units::LabelOriginXTwips, top = units::LabelOriginYTwips;
    const double right = left + Length::millimetres(layout.LarghezzaEtichetta).inTwips();
    const double bottom = top + Length::millimetres(layout.AltezzaEtichetta).inTwips();
    const QColor grey(192, 192, 192);

    painter.fillRect(twipsRect(left + Shadow, bottom, right + Shadow, bottom + Shadow), grey);
    painter.fillRect(twipsRect(right, top + Shadow, right + Shadow, bottom), grey);
    painter.fillRect(twipsRect(left, top, right, bottom), Qt::white);
    QPen outline(Qt::black);
    outline.setCosmetic(true);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(twipsRect(left, top, right, bottom));

    if (grid) {
        std::vector<QPointF> dots;
        dots.reserve(161 * 161);
        for (int i = 0; i <= 160; ++i)
            for (int j = 0; j <= 160; ++j)
                dots.emplace_back(left + i * GridPitch, top + j * GridPitch);
        painter.drawPoints(dots.data(), int(dots.size()));
    }
}

void paintSurfaceRulers(QPainter& painter, const QRectF& visible) {
    const double left = units::LabelOriginXTwips, top = units::LabelOriginYTwips;
    // Where they stand with the surface at its corner; they stay at the view's edge when the
    // surface scrolls under them.
    const double down = std::max(0.0, visible.top() - 770);
    const double across = std::max(0.0, visible.left());
    QPen ticks(Qt::black);
    ticks.setCosmetic(true);
    painter.setPen(ticks);
    QFont numbers(QStringLiteral("Arial"));
    numbers.setPixelSize(150); // 7.5 pt in twips
    painter.setFont(numbers);
    // 30 cm along the top and down the left, numbered from the label's corner.
    painter.fillRect(twipsRect(left - 100, 770 + down, 17860.5, 1100 + down), Qt::white);
    for (int i = 0; i <= 30; ++i)
        painter.drawLine(QPointF(left + i * Centimetre, 980 + down),
                         QPointF(left + i * Centimetre, 1100 + down));
    for (int i = 0; i <= 300; ++i)
        painter.drawLine(QPointF(left + i * Millimetre, 1025 + down),
                         QPointF(left + i * Millimetre, 1100 + down));
    for (int i = 0; i <= 30; ++i)
        painter.drawText(QPointF(left + i * Centimetre - 80, 960 + down), QString::number(i));
    painter.fillRect(twipsRect(across, top - 100, 300 + across, 18711), Qt::white);
    for (int i = 0; i <= 30; ++i)
        painter.drawLine(QPointF(180 + across, top + i * Centimetre),
                         QPointF(300 + across, top + i * Centimetre));
    for (int i = 0; i <= 300; ++i)
        painter.drawLine(QPointF(225 + across, top + i * Millimetre),
                         QPointF(300 + across, top + i * Millimetre));
    for (int i = 0; i <= 30; ++i)
        painter.drawText(QPointF(10 + across, top + i * Centimetre + 60), QString::number(i));
    if (down > 0 && across > 0) // the corner where both rulers meet
        painter.fillRect(twipsRect(across, 770 + down, 300 + across, 1100 + down),
                         QColor(160, 160, 160));
}

namespace {

// Where a picture element has no picture yet: a grey box with a cross.
void drawPicturePlaceholder(QPainter& painter, const QRectF& box) {
    painter.fillRect(box, QColor(230, 230, 230));
    QPen pen(QColor(150, 150, 150));
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawRect(box);
    painter.drawLine(box.topLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomLeft());
}

} // namespace

void paintSurfaceElements(QPainter& painter, const LabelDocument& document, const QRectF& area) {
    // The elements are drawn as they print: through the print component onto a page of
    // their own, which is then painted at the screen's scale.
    HeadlessPressivoUi scratch;
    clsPressivo pressivo(scratch, clsPressivo::DrawingOnly{});
    PrintSurface& page = scratch.surface();
    const double margin = units::Length::millimetres(1).inTwips();
    for (const LabelElement* e : document.drawOrder()) {
        const QRectF box = e->box();
        if (!e->Visible ||
            !box.normalized().adjusted(-margin, -margin, margin, margin).intersects(area))
            continue; // only what the repaint needs
        if (e->kind == ElementKind::Picture && e->Picture.isNull()) {
            // Painted in its place in the stacking order: what lies under it first.
            printoutput::renderPage(page.document(), 0, painter);
            page.StartDoc();
            drawPicturePlaceholder(painter, box);
        } else {
            drawElement(*e, typeOf(*e).designContent(*e), elementBoxOnSurface(*e), pressivo);
        }
    }
    printoutput::renderPage(page.document(), 0, painter);
}

void paintSelectionOutlines(QPainter& painter, const std::vector<LabelElement*>& elements,
                            double twipsPerPixel) {
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    for (const LabelElement* element : elements) {
        clsGrip frame;
        frame.SetRectToCtrl(*element);
        frame.TwipsToPixels(twipsPerPixel);
        painter.drawRect(frame.toQRect());
    }
}
