// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/symboldrawing.h"

#include "barcode/barcodecheck.h"
#include "barcode/barcodeencoding.h"
#include "barcode/zintsymbol.h"
#include "common/numbers.h"
#include "common/units.h"
#include "printcomponent/symbolprinter.h"

#include <cmath>

using barcode::Symbology;

namespace {

// Light modules scanners need beside the bars: EAN-13 11 on the left and 7 on the right,
// EAN-8 7 on each side (3 of each are in the module string already), Code 39 10 units.
constexpr int EanQuietLeft = 8, EanQuietRight = 4, Ean8Quiet = 4, Code39Quiet = 10;

// A symbol ready to be printed: its units across (and down, for 2-D symbols), its text and
// how its boxes lie in an area.
struct Prepared {
    QString why;
    int across = 0;
    int down = 0;
    SymbolText text;
    bool lightBehind = false;
    std::function<std::vector<barcode::Box>(const QRectF&, double unit)> lay;
};

Prepared prepareCode39(const QString& text, bool quiet) {
    Prepared p;
    if (barcode::code39TooLong(text)) {
        p.why = barcode::codeTooLongText(barcode::Code39LongestText);
        return p;
    }
    const int margin = quiet ? Code39Quiet : 0;
    const int units = barcode::code39Units(text);
    p.across = units + 2 * margin;
    // Measured as typed, printed in capitals: as labels always had it.
    p.text = {u'*' + text + u'*', u'*' + text.toUpper() + u'*'};
    p.lightBehind = true;
    p.lay = [text, margin, total = p.across](const QRectF& area, double) {
        const double unit = area.width() / total;
        return barcode::layoutCode39(text, area.adjusted(margin * unit, 0, -margin * unit, 0));
    };
    return p;
}

Prepared prepareEan(Symbology symbology, const QString& text, bool quiet) {
    Prepared p;
    QString digits = text.trimmed();
    if (symbology == Symbology::Ean8) {
        if (const QString problem = barcodecheck::problem(symbology, digits); !problem.isEmpty()) {
            p.why = problem;
            return p;
        }
        if (digits.size() == 7)
            digits += QString::number(barcodecheck::gs1CheckDigit(digits));
    }
    const barcode::EanEncoding encoding = barcode::encodeEan(digits);
    if (encoding.problem != barcode::EanProblem::None) {
        p.why = barcode::eanProblemText(encoding.problem);
        return p;
    }
    QString modules = encoding.modules;
    if (quiet) {
        const bool eight = digits.size() == 8;
        modules = QString(eight ? Ean8Quiet : EanQuietLeft, u'0') + modules +
                  QString(eight ? Ean8Quiet : EanQuietRight, u'0');
    }
    p.across = int(modules.size());
    p.text = {symbology == Symbology::Ean8 ? digits : text,
              symbology == Symbology::Ean8 ? digits : text};
    p.lay = [modules](const QRectF& area, double) { return barcode::layoutEan(modules, area); };
    return p;
}

Prepared prepareZint(Symbology symbology, const QString& text, const barcode::Options& options) {
    Prepared p;
    zintsymbol::Encoding encoding = zintsymbol::encode(symbology, text, options);
    if (!encoding.symbol) {
        p.why = encoding.error;
        return p;
    }
    // libzint draws a module two units wide; its drawing holds quiet zones, bearer bars and
    // the rows' own height (PDF417: three modules), all in whole modules.
    const QSizeF modules = encoding.symbol->size / 2;
    p.across = int(std::lround(modules.width()));
    p.down = barcode::isTwoDimensional(symbology) ? int(std::lround(modules.height())) : 0;
    p.text = {encoding.symbol->text, encoding.symbol->text};
    p.lay = [symbol = std::move(*encoding.symbol), symbology](const QRectF& area, double unit) {
        return zintsymbol::layout(symbol, symbology, area, unit);
    };
    return p;
}

QString millimetres(double twips) {
    return numbers::formatPlain(std::round(units::twipsToMillimetres(twips) * 100) / 100, u',');
}

} // namespace

QString drawSymbol(const SymbolPlace& place, Symbology symbology, const QString& text,
                   const QRectF& area, const barcode::Options& options) {
    if (text.isEmpty())
        return {};
    Prepared p = symbology == Symbology::Code39 ? prepareCode39(text, options.quietZones)
                 : barcode::drawnByProgram(symbology)
                     ? prepareEan(symbology, text, options.quietZones)
                     : prepareZint(symbology, text, options);
    if (!p.why.isEmpty())
        return p.why;
    p.text.position = place.text;
    const double module = units::millimetresToTwips(options.moduleMm);
    const auto print = [&](double dot) {
        const WholeDots grid{dot, p.across, p.down, place.dotOrigin, module};
        // 2-D modules are whole dots, or the module asked, or as fine as the area allows.
        const double unit = dot > 0 ? dot : module > 0 ? module : 1;
        return printSymbol(
            place.surface, area, place.offset, p.text, p.lightBehind,
            [&](const QRectF& bars) { return p.lay(bars, unit); }, grid);
    };
    if (print(place.dot))
        return {};
    if (module > 0) {
        const double dot = place.dot;
        const double drawn = dot > 0 ? std::max(1.0, std::round(module / dot)) * dot : module;
        return QStringLiteral("con moduli di %1 mm il simbolo misura %2 mm %3: il riquadro "
                              "non basta")
            .arg(millimetres(drawn), millimetres(drawn * p.across),
                 p.down > 0 ? QStringLiteral("per %1 mm").arg(millimetres(drawn * p.down))
                            : QStringLiteral("in larghezza"));
    }
    // On a printer's dots when they fit; stretched to the box otherwise, as always.
    if (barcode::drawnByProgram(symbology) && print(0))
        return {};
    return QStringLiteral("a %1 punti per pollice il riquadro è troppo piccolo: ogni "
                          "modulo deve avere almeno un punto della stampante (%2 moduli "
                          "%3).")
        .arg(std::lround(units::TwipsPerInch / place.dot))
        .arg(p.across)
        .arg(p.down > 0 ? QStringLiteral("per lato") : QStringLiteral("in larghezza"));
}
