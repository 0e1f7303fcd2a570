// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/designcontent.h"

#include "barcode/barcodeencoding.h"
#include "barcode/barcodeparameters.h"
#include "barcode/zintsymbol.h"
#include "document/labelelement.h"

namespace {

// A value a barcode element's symbology takes, shown while a linked or not yet valid element
// is designed.
QString sampleBarcodeText(const BarcodeParameters& parameters) {
    const auto symbology = parameters.symbology().value_or(barcode::Symbology::Code39);
    if (const auto kind = zintsymbol::fromTagDigit(int(symbology)))
        return zintsymbol::sampleValue(*kind);
    return symbology == barcode::Symbology::Ean13 ? QStringLiteral("8001234000011")
                                                  : QStringLiteral("000000");
}

// Whether the element's own text makes a symbol of its symbology.
bool encodable(const BarcodeParameters& parameters, const QString& text) {
    if (text.isEmpty())
        return false;
    switch (parameters.symbology().value_or(barcode::Symbology::Code39)) {
    case barcode::Symbology::Code39:
        return !barcode::code39TooLong(text);
    case barcode::Symbology::Ean13:
        return !barcode::encodeEan(text).modules.isEmpty();
    default:
        return zintsymbol::encode(*zintsymbol::fromTagDigit(parameters.TipoBarcode), text)
            .symbol.has_value();
    }
}

} // namespace

ElementContent designContent(const LabelElement& e) {
    switch (e.kind) {
    case ElementKind::Testo:
        return {e.Caption};
    case ElementKind::Immagine: {
        const BarcodeParameters parameters = BarcodeParameters::fromTag(e.Tag);
        const bool own = e.DataMember.isEmpty() && encodable(parameters, e.ToolTipText);
        return {own ? e.ToolTipText : sampleBarcodeText(parameters)};
    }
    case ElementKind::Picture:
        return {{}, &e.Picture};
    case ElementKind::Rettangolo:
        break;
    }
    return {};
}
