// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/elementrenderer.h"

#include "barcode/barcodeparameters.h"
#include "common/numbers.h"
#include "common/units.h"
#include "document/elementtype.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/printdocument.h"
#include "printing/printengine.h"

#include <cmath>

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
        m_sink.DrawTextBox(text, float(box.x()), float(box.y()), float(box.width()),
                           float(box.height()), style.opaque);
    }

    QString symbol(const LabelElement& e, const QString& text, const QRectF& box) override {
        const BarcodeParameters parameters = BarcodeParameters::fromTag(e.Tag);
        const auto symbology = parameters.symbology();
        m_sink.setBarcodeTextPosition(parameters.Testo);
        // The print component writes a symbol's line in the style in force: a barcode's own
        // style, never the one a text drawn before it left behind.
        m_sink.setFontBold(e.FontBold);
        m_sink.setFontItalic(e.FontItalic);
        const double x = box.x(), y = box.y(), w = box.width(), h = box.height();
        double left = x, top = y, width = w, height = h;
        QString why;
        if (symbology == Symbology::Code39) {
            if (barcode::code39TooLong(text)) {
                why = barcode::codeTooLongText(barcode::Code39LongestText);
            } else {
                QVariant vw = w, vh = h;
                m_sink.Draw39Barcode(text, left, top, vw, vh);
            }
        } else if (symbology == Symbology::Ean13) {
            if (const auto problem = barcode::encodeEan(text).problem;
                !text.isEmpty() && problem != barcode::EanProblem::None)
                why = barcode::eanProblemText(problem);
            else
                m_sink.DrawEANBarCode(text, left, top, width, height);
        } else if (symbology) {
            why = m_sink.DrawSymbol(*symbology, text, x, y, w, h);
        }
        m_sink.setBarcodeTextPosition(barcode::TextPosition::Sotto);
        return why;
    }

    void picture(const QImage& picture, const QRectF& box) override {
        m_sink.PaintPicture(picture, box.x(), box.y(), box.width(), box.height());
    }

    void rectangle(const QRectF& box, const ShapeStyle& style) override {
        m_sink.DrawLine(box.left(), box.top(), box.right(), box.bottom(), style.fill,
                        style.filled ? QStringLiteral("BF") : QStringLiteral("B"), style.border,
                        style.borderPixels);
    }

private:
    clsPressivo& m_sink;
};

} // namespace

QString drawElement(const LabelElement& e, const ElementContent& content, const QRectF& box,
                    clsPressivo& sink) {
    PressivoCanvas canvas(sink);
    return typeOf(e).draw(e, content, box, canvas);
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
