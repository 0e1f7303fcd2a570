// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/symbolprinter.h"

#include "common/colors.h"
#include "printcomponent/printsurface.h"

void printSymbol(PrintSurface& surface, const QRectF& area, QPointF offset, const SymbolText& text,
                 bool lightBehind,
                 const std::function<std::vector<barcode::Box>(const QRectF&)>& lay) {
    PrintSurface& s = surface;
    const double left = area.x(), top = area.y(), width = area.width(), height = area.height();
    const QString& measured = text.measured;
    const QString& printed = text.printed;
    const double savedX = s.CurrentX(), savedY = s.CurrentY();
    const int savedPenStyle = s.PenStyle(), savedBrushStyle = s.BrushStyle(),
              savedAlign = s.TextAlign();
    const qint32 savedPenColor = s.PenColor(), savedBrushColor = s.BrushColor(),
                 savedTextColor = s.TextColor();
    const QString savedFont = s.FontName();
    const double savedSize = s.FontSize();
    const bool savedBold = s.FontBold();

    s.setFontName(QStringLiteral("Arial"));
    s.setFontSize(8);
    s.setFontBold(false);
    s.setTextAlign(printcodes::AlignLeft);
    const double textWidth = s.TextWidth(measured);
    const bool showText = text.position != barcode::TextPosition::Nascosto;
    const double textHeight = showText ? s.TextHeight(measured) : 0;
    // The text below the bars (as labels always had it), above them, or not at all.
    const bool above = text.position == barcode::TextPosition::Sopra;
    const double barsTop = above ? top + textHeight : top;
    const double barsBottom = above ? top + height : top + height - textHeight;

    // No outline around the bars: an outline in the paper's colour, however thin, takes a
    // printer dot off each side of every bar, and narrow bars of a 200 dpi label printer do
    // not survive that.
    s.setPenStyle(printcodes::NoPen);
    s.setPenColor(colors::White);
    s.setBrushStyle(printcodes::SolidBrush);
    s.setBrushColor(colors::Black);
    s.setTextColor(colors::Black);
    const double dx = offset.x(), dy = offset.y();
    const auto boxes = lay(QRectF(left, barsTop, width, barsBottom - barsTop));
    if (lightBehind && !boxes.empty()) {
        // The light units of Code 39 fill the symbol between its bars: one white box under
        // the whole symbol gives the same paper with half the boxes.
        s.setBrushColor(colors::White);
        s.DrawRectangle(left + dx, barsTop + dy, left + width + dx, barsBottom + dy);
        s.setBrushColor(colors::Black);
    }
    for (const barcode::Box& box : boxes) {
        if (box.dark)
            s.DrawRectangle(box.rect.left() + dx, box.rect.top() + dy, box.rect.right() + dx,
                            box.rect.bottom() + dy);
    }
    if (showText) {
        s.setCurrentX(left + (width - textWidth) / 2 + dx);
        s.setCurrentY((above ? top : barsBottom) + dy);
        s.setText(printed);
    }

    s.setCurrentX(savedX);
    s.setCurrentY(savedY);
    s.setPenStyle(savedPenStyle);
    s.setPenColor(savedPenColor);
    s.setBrushStyle(savedBrushStyle);
    s.setBrushColor(savedBrushColor);
    s.setTextColor(savedTextColor);
    s.setFontName(savedFont);
    s.setFontSize(savedSize);
    s.setFontBold(savedBold);
    s.setTextAlign(savedAlign);
}
