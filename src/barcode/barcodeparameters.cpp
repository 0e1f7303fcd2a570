// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/barcodeparameters.h"

#include "common/numbers.h"

using barcode::TextPosition;

BarcodeParameters BarcodeParameters::fromTag(const QString& tag) {
    BarcodeParameters parameters;
    parameters.TipoBarcode = static_cast<int>(ValoreIntero(tag.left(1)));
    const int text = static_cast<int>(ValoreIntero(tag.mid(1, 1)));
    parameters.Testo = text == 1   ? TextPosition::Sopra
                       : text == 2 ? TextPosition::Nascosto
                                   : TextPosition::Sotto;
    return parameters;
}

QString BarcodeParameters::toTag() const {
    return QString::number(TipoBarcode) + QString::number(int(Testo));
}
