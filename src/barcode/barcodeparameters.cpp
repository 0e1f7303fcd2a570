// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/barcodeparameters.h"

#include "common/numbers.h"

using barcode::Symbology;
using barcode::TextPosition;

BarcodeParameters BarcodeParameters::fromTag(const QString& tag, const barcode::Options& options) {
    BarcodeParameters parameters;
    parameters.TipoBarcode = static_cast<int>(ValoreIntero(tag.left(1)));
    const int text = static_cast<int>(ValoreIntero(tag.mid(1, 1)));
    parameters.Testo = text == 1   ? TextPosition::Sopra
                       : text == 2 ? TextPosition::Nascosto
                                   : TextPosition::Sotto;
    parameters.Opzioni = options;
    return parameters;
}

QString BarcodeParameters::toTag() const {
    return QString::number(TipoBarcode) + QString::number(int(Testo));
}

void BarcodeParameters::setSymbology(Symbology symbology) {
    TipoBarcode = barcode::tagDigit(symbology);
    Opzioni.symbology = int(symbology) > barcode::LastTagSymbology
                            ? std::optional<Symbology>(symbology)
                            : std::nullopt;
}
