// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/zintsymbol.h"

#include <zint.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace zintsymbol {

namespace {

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

int zintCode(Symbology symbology) {
    switch (symbology) {
    case Symbology::Code128:
        return BARCODE_CODE128;
    case Symbology::Gs1_128:
        return BARCODE_GS1_128;
    case Symbology::QrCode:
        return BARCODE_QRCODE;
    case Symbology::DataMatrix:
    case Symbology::Gs1DataMatrix:
        return BARCODE_DATAMATRIX;
    case Symbology::Pdf417:
        return BARCODE_PDF417;
    case Symbology::Itf14:
        return BARCODE_ITF14;
    case Symbology::UpcA:
        return BARCODE_UPCA;
    case Symbology::UpcE:
        return BARCODE_UPCE;
    case Symbology::Interleaved2of5:
        return BARCODE_C25INTER;
    case Symbology::Codabar:
        return BARCODE_CODABAR;
    case Symbology::Aztec:
        return BARCODE_AZTEC;
    case Symbology::DataBar:
        return BARCODE_DBAR_OMN;
    case Symbology::DataBarLimited:
        return BARCODE_DBAR_LTD;
    case Symbology::DataBarExpanded:
        return BARCODE_DBAR_EXP;
    case Symbology::Code39:
    case Symbology::Ean13:
    case Symbology::Ean8:
        break;
    }
    return BARCODE_CODE128;
}

bool isGs1(Symbology symbology) {
    return symbology == Symbology::Gs1_128 || symbology == Symbology::Gs1DataMatrix ||
           symbology == Symbology::DataBarExpanded;
}

// The length of a code that ends with its check digit, which libzint wants left out (it adds
// it again); 0 for symbologies without one.
int lengthWithCheck(Symbology symbology) {
    switch (symbology) {
    case Symbology::Itf14:
    case Symbology::DataBar:
    case Symbology::DataBarLimited:
        return 14;
    case Symbology::UpcA:
        return 12;
    case Symbology::UpcE:
        return 8;
    default:
        return 0;
    }
}

bool allDigits(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The data as libzint takes it.
QString zintData(Symbology symbology, const QString& data) {
    const QString trimmed = data.trimmed();
    if (const int full = lengthWithCheck(symbology);
        full > 0 && trimmed.size() == full && allDigits(trimmed))
        return trimmed.left(full - 1);
    // Codabar begins and ends with one of A to D; an end without one gets A.
    if (symbology == Symbology::Codabar && !trimmed.isEmpty()) {
        const auto startStop = [](QChar c) { return QStringLiteral("ABCDabcd").contains(c); };
        return (startStop(trimmed.front()) ? QString() : QStringLiteral("A")) + trimmed +
               (startStop(trimmed.back()) && trimmed.size() > 1 ? QString() : QStringLiteral("A"));
    }
    return data;
}

} // namespace

std::optional<Symbology> fromTagDigit(int digit) {
    if (digit < 2 || digit > barcode::LastTagSymbology)
        return std::nullopt;
    return Symbology(digit);
}

QString sampleValue(Symbology symbology) {
    switch (symbology) {
    case Symbology::Gs1_128:
    case Symbology::Gs1DataMatrix:
    case Symbology::DataBarExpanded:
        return QStringLiteral("(01)09501101530003");
    case Symbology::Itf14:
        return QStringLiteral("1540014128876");
    case Symbology::UpcA:
        return QStringLiteral("72527273070");
    case Symbology::UpcE:
        return QStringLiteral("0123456");
    case Symbology::Interleaved2of5:
        return QStringLiteral("12345678");
    case Symbology::Codabar:
        return QStringLiteral("A123456A");
    case Symbology::DataBar:
    case Symbology::DataBarLimited:
        return QStringLiteral("0950110153000");
    case Symbology::Ean8:
        return QStringLiteral("9638507");
    default:
        return QStringLiteral("Marvello 123");
    }
}

Encoding encode(Symbology symbology, const QString& data, const barcode::Options& options) {
    std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol)
        return {std::nullopt, QStringLiteral("memoria esaurita")};
    symbol->symbology = zintCode(symbology);
    symbol->input_mode = isGs1(symbology) ? GS1_MODE | GS1PARENS_MODE : UNICODE_MODE;
    symbol->show_hrt = 0; // the program prints the text itself, where the user chose
    if (symbology == Symbology::Itf14) {
        // Its bearer box needs the quiet zones inside it, or no scanner finds the bars.
        symbol->output_options |= BARCODE_QUIET_ZONES;
    } else {
        symbol->whitespace_width = 0;
        symbol->whitespace_height = 0;
        symbol->border_width = 0;
        if (options.quietZones)
            symbol->output_options |= BARCODE_QUIET_ZONES;
    }
    if (options.qrLevel != barcode::QrLevel::Automatico &&
        (symbology == Symbology::QrCode || symbology == Symbology::Aztec))
        symbol->option_1 = int(options.qrLevel);
    const QByteArray bytes = zintData(symbology, data).toUtf8();
    const int result = ZBarcode_Encode_and_Buffer_Vector(
        symbol.get(), reinterpret_cast<const unsigned char*>(bytes.constData()), int(bytes.size()),
        0);
    // "Not compliant" is libzint's word for GS1 data scanners would misread (a wrong check
    // digit, a 13th month): no such symbol is drawn.
    if (result >= ZINT_ERROR || result == ZINT_WARN_NONCOMPLIANT || !symbol->vector)
        return {std::nullopt, QString::fromUtf8(symbol->errtxt)};
    Symbol out;
    out.size = QSizeF(symbol->vector->width, symbol->vector->height);
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next)
        out.bars.emplace_back(r->x, r->y, r->width, r->height);
    out.columns = symbol->width;
    out.rows = symbol->rows;
    // ITF-14 draws bearer bars as part of the symbol; its text is the data with its check.
    out.text = QString::fromUtf8(reinterpret_cast<const char*>(symbol->text));
    if (out.text.isEmpty())
        out.text = data;
    return {std::move(out), {}};
}

int checkDigit(Symbology symbology, const QString& digitsWithoutCheck) {
    const Encoding encoding = encode(symbology, digitsWithoutCheck);
    if (!encoding.symbol || encoding.symbol->text.isEmpty())
        return -1;
    const QChar last = encoding.symbol->text.back();
    return last >= u'0' && last <= u'9' ? last.unicode() - u'0' : -1;
}

std::vector<barcode::Box> layout(const Symbol& symbol, Symbology symbology, const QRectF& area,
                                 double unit) {
    std::vector<barcode::Box> boxes;
    if (symbol.size.isEmpty() || area.isEmpty())
        return boxes;
    double scaleX = area.width() / symbol.size.width();
    double scaleY = area.height() / symbol.size.height();
    QPointF origin = area.topLeft();
    if (barcode::isTwoDimensional(symbology)) {
        // Whole units a module, the same across and down, centred. libzint draws a module two
        // of its units wide (its quiet zones, when asked, are in its size but not its columns).
        constexpr double moduleUnits = 2;
        double module = std::floor(std::min(scaleX, scaleY) * moduleUnits / unit + 1e-6) * unit;
        if (module < unit)
            module = std::min(scaleX, scaleY) * moduleUnits; // smaller than one unit: as fits
        scaleX = scaleY = module / moduleUnits;
        origin += QPointF((area.width() - symbol.size.width() * scaleX) / 2,
                          (area.height() - symbol.size.height() * scaleY) / 2);
    }
    for (const QRectF& bar : symbol.bars)
        boxes.push_back({QRectF(origin.x() + bar.x() * scaleX, origin.y() + bar.y() * scaleY,
                                bar.width() * scaleX, bar.height() * scaleY),
                         true});
    return boxes;
}

} // namespace zintsymbol
