// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/symbolprinter.h"

#include "common/colors.h"
#include "printcomponent/printsurface.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The bars' area narrowed to the symbol: whole dots a module, its corner on the page's dot
// grid, or the module asked; nothing when a module of one dot, or the one asked, does not fit.
std::optional<QRectF> onWholeDots(const QRectF& bars, QPointF offset, const WholeDots& dots) {
    const double dot = dots.dot;
    const auto onGrid = [dot](double page, double origin) {
        return dot > 0 ? origin + std::ceil((page - origin) / dot - 1e-6) * dot : page;
    };
    const auto toGridX = [&](double page) { return onGrid(page, dots.origin.x()); };
    const auto toGridY = [&](double page) { return onGrid(page, dots.origin.y()); };
    // The module asked, on the printer the nearest whole dots.
    const double asked = dots.module <= 0 ? 0
                         : dot > 0        ? std::max(1.0, std::round(dots.module / dot)) * dot
                                          : dots.module;
    const auto wholeDots = [dot](double room) { return std::floor(room / dot + 1e-6) * dot; };
    const double slack = 1e-6 * std::max(bars.width(), bars.height());
    if (dots.down > 0) {
        const double module =
            asked > 0 ? asked
                      : wholeDots(std::min(bars.width() / dots.across, bars.height() / dots.down));
        const QSizeF size(dots.across * module, dots.down * module);
        if (module <= 0 || (asked <= 0 && module < dot) || size.width() > bars.width() + slack ||
            size.height() > bars.height() + slack)
            return std::nullopt;
        const QPointF corner = bars.center() - QPointF(size.width(), size.height()) / 2 + offset;
        const QPointF snapped(toGridX(corner.x()), toGridY(corner.y()));
        return QRectF(snapped - offset, size);
    }
    const double left = toGridX(bars.left() + offset.x()) - offset.x();
    const double module = asked > 0 ? asked : wholeDots((bars.right() - left) / dots.across);
    if (module <= 0 || (asked <= 0 && module < dot) ||
        left + dots.across * module > bars.right() + slack)
        return std::nullopt;
    return QRectF(left, bars.top(), dots.across * module, bars.height());
}

} // namespace

bool printSymbol(PrintSurface& surface, const QRectF& area, QPointF offset, const SymbolText& text,
                 bool lightBehind,
                 const std::function<std::vector<barcode::Box>(const QRectF&)>& lay,
                 const WholeDots& dots) {
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
    // The surface's drawing state as it was, however the symbol ends.
    const auto restore = [&] {
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
    };

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
    QRectF bars(left, barsTop, width, barsBottom - barsTop);
    if ((dots.dot > 0 || dots.module > 0) && dots.across > 0) {
        const auto whole = onWholeDots(bars, offset, dots);
        if (!whole) {
            restore();
            return false;
        }
        bars = *whole;
    }
    const auto boxes = lay(bars);
    if (lightBehind && !boxes.empty()) {
        // The light units of Code 39 fill the symbol between its bars: one white box under
        // the whole symbol gives the same paper with half the boxes.
        s.setBrushColor(colors::White);
        s.DrawRectangle(bars.left() + dx, bars.top() + dy, bars.right() + dx, bars.bottom() + dy);
        s.setBrushColor(colors::Black);
    }
    // On a printer's dots each bar is drawn a quarter dot narrower on either side: a driver
    // whose printable area starts a fraction of a dot off the page's grid (margins in points,
    // told in hundredths of a millimetre) would otherwise paint every bar one dot wider and
    // every space one narrower. The dots it lands on are the same.
    const double trim = dots.dot > 0 && dots.down == 0 ? dots.dot / 4 : 0;
    for (const barcode::Box& box : boxes) {
        if (box.dark)
            s.DrawRectangle(box.rect.left() + trim + dx, box.rect.top() + dy,
                            box.rect.right() - trim + dx, box.rect.bottom() + dy);
    }
    if (showText) {
        // Centred under the bars, in a box of its own: how far the page reaches says nothing
        // of a label drawn turned onto it.
        const double widest = std::max(textWidth, s.TextWidth(printed)) + textHeight;
        s.setTextAlign(printcodes::AlignCentre);
        s.TextBox(printed, bars.center().x() - widest / 2 + dx, (above ? top : barsBottom) + dy,
                  widest, textHeight, false);
    }
    restore();
    return true;
}
