// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/elementrenderer.h"

#include "barcode/barcodeparameters.h"
#include "common/numbers.h"
#include "common/units.h"
#include "document/labelelement.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/printdocument.h"
#include "printing/printengine.h"

#include <cmath>

using barcode::Symbology;

QString drawElement(const LabelElement& e, const ElementContent& content, const QRectF& box,
                    clsPressivo& sink) {
    const double x = box.x(), y = box.y(), w = box.width(), h = box.height();
    switch (e.kind) {
    case ElementKind::Testo:
        sink.setFontName(e.FontName);
        // Printed in whole points, rounded half to even as labels always were.
        sink.setFontSize(ValoreIntero(double(e.FontSize)));
        sink.setFontBold(e.FontBold);
        sink.setFontItalic(e.FontItalic);
        sink.setTextColor(e.ForeColor);
        sink.setTextAlign(int(e.Alignment));
        sink.setBrushColor(e.BackColor);
        sink.setBrushStyle(e.BackStyle == Background::Transparent ? printcodes::NoBrush
                                                                  : printcodes::SolidBrush);
        sink.DrawTextBox(content.text, float(x), float(y), float(w), float(h),
                         e.BackStyle != Background::Transparent);
        return {};
    case ElementKind::Immagine: {
        const BarcodeParameters parameters = BarcodeParameters::fromTag(e.Tag);
        const auto symbology = parameters.symbology();
        sink.setBarcodeTextPosition(parameters.Testo);
        // The print component writes a symbol's line in the style in force: a barcode's own
        // style, never the one a text drawn before it left behind.
        sink.setFontBold(e.FontBold);
        sink.setFontItalic(e.FontItalic);
        double left = x, top = y, width = w, height = h;
        QString why;
        if (symbology == Symbology::Code39) {
            if (barcode::code39TooLong(content.text)) {
                why = barcode::codeTooLongText(barcode::Code39LongestText);
            } else {
                QVariant vw = w, vh = h;
                sink.Draw39Barcode(content.text, left, top, vw, vh);
            }
        } else if (symbology == Symbology::Ean13) {
            if (const auto problem = barcode::encodeEan(content.text).problem;
                !content.text.isEmpty() && problem != barcode::EanProblem::None)
                why = barcode::eanProblemText(problem);
            else
                sink.DrawEANBarCode(content.text, left, top, width, height);
        } else if (symbology) {
            why = sink.DrawSymbol(*symbology, content.text, x, y, w, h);
        }
        sink.setBarcodeTextPosition(barcode::TextPosition::Sotto);
        return why;
    }
    case ElementKind::Picture:
        if (content.picture && !content.picture->isNull())
            sink.PaintPicture(*content.picture, x, y, w, h);
        return {};
    case ElementKind::Rettangolo:
        sink.DrawLine(x, y, x + w, y + h, e.BackColor,
                      e.BackStyle == Background::Transparent ? QStringLiteral("B")
                                                             : QStringLiteral("BF"),
                      e.BorderColor, e.BorderWidth);
        return {};
    }
    return {};
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
