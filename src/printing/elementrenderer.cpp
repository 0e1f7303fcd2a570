// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/elementrenderer.h"

#include "barcode/barcodeparameters.h"
#include "common/numbers.h"
#include "common/units.h"
#include "document/elementtype.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/pagerenderer.h"
#include "printcomponent/printdocument.h"
#include "printcomponent/printsurface.h"
#include "printing/labelplace.h"

#include <algorithm>
#include <cmath>
#include <functional>

using barcode::Symbology;

namespace {

// The elements' drawing through the print component.
class PressivoCanvas final : public ElementCanvas {
public:
    explicit PressivoCanvas(clsPressivo& sink)
        : m_sink(sink) {}

    void text(const TextStyle& style, const QString& text, const QRectF& box) override {
        m_sink.setFontName(style.font);
        m_sink.setFontSize(style.points);
        m_sink.setFontBold(style.bold);
        m_sink.setFontItalic(style.italic);
        m_sink.setTextColor(style.colour);
        m_sink.setTextAlign(int(style.alignment));
        m_sink.setBrushColor(style.background);
        m_sink.setBrushStyle(style.opaque ? printcodes::SolidBrush : printcodes::NoBrush);
        PrintSurface& surface = m_sink.surface();
        surface.setFontUnderline(style.underline);
        surface.setTextVertical(int(style.vertical));
        if (style.fit)
            m_sink.setFontSize(fittingPoints(text, box, style.points));
        m_sink.DrawTextBox(text, float(box.x()), float(box.y()), float(box.width()),
                           float(box.height()), style.opaque);
        // Barcodes write their line in the style in force: none of these.
        surface.setFontUnderline(false);
        surface.setTextVertical(printcodes::AlignTop);
    }

    QString symbol(const LabelElement& e, const QString& text, const QRectF& box) override {
        const BarcodeParameters parameters = BarcodeParameters::fromTag(e.Tag, e.OpzioniBarcode);
        const auto symbology = parameters.symbology();
        if (!symbology)
            return {};
        m_sink.setBarcodeTextPosition(parameters.Testo);
        // The print component writes a symbol's line in the style in force: a barcode's own
        // style, never the one a text drawn before it left behind.
        m_sink.setFontBold(e.FontBold);
        m_sink.setFontItalic(e.FontItalic);
        const QString why = m_sink.DrawSymbol(*symbology, text, box.x(), box.y(), box.width(),
                                              box.height(), parameters.Opzioni);
        m_sink.setBarcodeTextPosition(barcode::TextPosition::Sotto);
        return why;
    }

    void picture(const QImage& picture, const QRectF& box) override {
        m_sink.PaintPicture(picture, box.x(), box.y(), box.width(), box.height());
    }

    void rectangle(const QRectF& box, const ShapeStyle& style) override {
        if (style.borderMm <= 0 && style.radiusMm <= 0) {
            m_sink.DrawLine(box.left(), box.top(), box.right(), box.bottom(), style.fill,
                            style.filled ? QStringLiteral("BF") : QStringLiteral("B"), style.border,
                            style.borderPixels);
            return;
        }
        ShapeStyle outline = style;
        // Border widths 2 and 3 print as DrawLine prints them: 0.4 and 0.8 mm.
        if (outline.borderMm <= 0)
            outline.borderMm = outline.borderPixels == 3   ? 0.8
                               : outline.borderPixels == 2 ? 0.4
                                                           : 0;
        drawShape(outline, [&](PrintSurface& surface) {
            surface.DrawRoundedRectangle(onPage(box),
                                         units::millimetresToTwips(std::max(style.radiusMm, 0.0)));
        });
    }

    void ellipse(const QRectF& box, const ShapeStyle& style) override {
        drawShape(style, [&](PrintSurface& surface) { surface.DrawEllipse(onPage(box)); });
    }

    void line(QPointF from, QPointF to, const ShapeStyle& style) override {
        drawShape(style, [&](PrintSurface& surface) {
            const QRectF ends = onPage(QRectF(from, to));
            surface.DrawLine(ends.left(), ends.top(), ends.right(), ends.bottom());
        });
    }

private:
    // The largest size, in half points from `points` down to the smallest, at which the whole
    // text fits the box (the smallest when none does), in the font set for it.
    float fittingPoints(const QString& text, const QRectF& box, float points) const {
        const QRectF area = m_sink.pageTwips(box.left(), box.top(), box.right(), box.bottom());
        DrawStyle style = m_sink.surface().style();
        const auto fits = [&](int halves) {
            style.fontSize = halves / 2.0;
            return printoutput::textFits(style, area, text);
        };
        int low = int(std::ceil(MinimumFitPoints * 2)), high = int(std::floor(points * 2));
        if (high <= low || fits(high))
            return points; // never larger than its own size
        // fits(low) is taken as true; fits(high) is false.
        while (high - low > 1) {
            const int middle = (low + high) / 2;
            (fits(middle) ? low : high) = middle;
        }
        return float(low) / 2;
    }

    // A box in millimetres on the page as the surface measures it; the order of its corners
    // is kept (a line's ends).
    QRectF onPage(const QRectF& box) const {
        const QRectF page = m_sink.pageTwips(box.left(), box.top(), box.right(), box.bottom());
        return QRectF(QPointF(box.width() < 0 ? page.right() : page.left(),
                              box.height() < 0 ? page.bottom() : page.top()),
                      QPointF(box.width() < 0 ? page.left() : page.right(),
                              box.height() < 0 ? page.top() : page.bottom()));
    }

    // Draws in the outline and fill of `style`, leaving the surface's own as they were.
    void drawShape(const ShapeStyle& style, const std::function<void(PrintSurface&)>& draw) {
        PrintSurface& surface = m_sink.surface();
        const int penStyle = surface.PenStyle();
        const double penWidth = surface.PenWidth();
        const qint32 penColour = surface.PenColor();
        surface.setPenStyle(style.dash == LineStyle::Tratteggiata  ? printcodes::DashPen
                            : style.dash == LineStyle::Punteggiata ? printcodes::DotPen
                                                                   : printcodes::SolidPen);
        surface.setPenWidth(units::millimetresToTwips(style.borderMm));
        surface.setPenColor(style.border);
        surface.setBrushColor(style.fill);
        surface.setBrushStyle(style.filled ? printcodes::SolidBrush : printcodes::NoBrush);
        draw(surface);
        surface.setPenStyle(penStyle);
        surface.setPenWidth(penWidth);
        surface.setPenColor(penColour);
    }

    clsPressivo& m_sink;
};

} // namespace

QString drawElement(const LabelElement& e, const ElementContent& content, const QRectF& box,
                    clsPressivo& sink) {
    PressivoCanvas canvas(sink);
    if (e.Rotazione == 0)
        return typeOf(e).draw(e, content, box, canvas);
    // Drawn upright in the box it has before it is turned, then turned about the centre into
    // the box where it lies.
    QRectF upright = box;
    if (e.Rotazione == 90 || e.Rotazione == 270) {
        upright.setSize(box.size().transposed());
        upright.moveCenter(box.center());
    }
    sink.Rotate(box.left(), box.top(), box.right(), box.bottom(), e.Rotazione);
    const QString why = typeOf(e).draw(e, content, upright, canvas);
    sink.RotateNone();
    return why;
}

QRectF elementBoxOnPage(const LayoutEtichetta& layout, int column, int row,
                        const LabelElement& element) {
    return QRectF(GetX(layout, column, element), GetY(layout, row, element), GetW(element),
                  GetH(element));
}

QRectF elementBoxOnSurface(const LabelElement& element) {
    const auto mm = [](float twips) { return units::twipsToMillimetres(double(twips)); };
    return QRectF(mm(element.Left), mm(element.Top), mm(element.Width), mm(element.Height));
}
