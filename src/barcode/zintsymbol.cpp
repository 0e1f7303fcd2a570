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
    case Symbology::Code39:
    case Symbology::Ean13:
        break;
    }
    return BARCODE_CODE128;
}

bool isGs1(Symbology symbology) {
    return symbology == Symbology::Gs1_128 || symbology == Symbology::Gs1DataMatrix;
}

} // namespace

std::optional<Symbology> fromTagDigit(int digit) {
    if (digit < 2 || digit > 9)
        return std::nullopt;
    return Symbology(digit);
}

QString name(Symbology symbology) {
    switch (symbology) {
    case Symbology::Code128:
        return QStringLiteral("Code 128");
    case Symbology::Gs1_128:
        return QStringLiteral("GS1-128");
    case Symbology::QrCode:
        return QStringLiteral("QR Code");
    case Symbology::DataMatrix:
        return QStringLiteral("Data Matrix");
    case Symbology::Pdf417:
        return QStringLiteral("PDF417");
    case Symbology::Itf14:
        return QStringLiteral("ITF-14");
    case Symbology::UpcA:
        return QStringLiteral("UPC-A");
    case Symbology::Gs1DataMatrix:
        return QStringLiteral("GS1 DataMatrix");
    case Symbology::Code39:
        return QStringLiteral("Code 39");
    case Symbology::Ean13:
        return QStringLiteral("EAN 13");
    }
    return {};
}

bool isTwoDimensional(Symbology symbology) {
    return symbology == Symbology::QrCode || symbology == Symbology::DataMatrix ||
           symbology == Symbology::Pdf417 || symbology == Symbology::Gs1DataMatrix;
}

QString sampleValue(Symbology symbology) {
    switch (symbology) {
    case Symbology::Gs1_128:
    case Symbology::Gs1DataMatrix:
        return QStringLiteral("(01)09501101530003");
    case Symbology::Itf14:
        return QStringLiteral("1540014128876");
    case Symbology::UpcA:
        return QStringLiteral("72527273070");
    default:
        return QStringLiteral("Marvello 123");
    }
}

Encoding encode(Symbology symbology, const QString& data) {
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
    }
    // ITF-14 as printed on cartons, its check digit included: libzint wants it without and
    // adds it again (a wrong one is refused before this).
    const QString trimmed = data.trimmed();
    const bool fullItf14 =
        symbology == Symbology::Itf14 && trimmed.size() == 14 &&
        std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    const QByteArray bytes = (fullItf14 ? trimmed.left(13) : data).toUtf8();
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

std::vector<barcode::Box> layout(const Symbol& symbol, Symbology symbology, const QRectF& area,
                                 double unit) {
    std::vector<barcode::Box> boxes;
    if (symbol.size.isEmpty() || area.isEmpty())
        return boxes;
    double scaleX = area.width() / symbol.size.width();
    double scaleY = area.height() / symbol.size.height();
    QPointF origin = area.topLeft();
    if (isTwoDimensional(symbology)) {
        // Whole units a module, the same across and down, centred.
        const double moduleUnits = symbol.columns > 0 ? symbol.size.width() / symbol.columns : 1;
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
