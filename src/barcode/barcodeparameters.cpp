// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcodeparameters.h"

#include "common/numbers.h"

BarcodeParameters BarcodeParameters::fromTag(const QString& tag) {
    BarcodeParameters parameters;
    parameters.TipoBarcode = static_cast<int>(ValoreIntero(tag.left(1)));
    const int text = static_cast<int>(ValoreIntero(tag.mid(1, 1)));
    parameters.Testo = text == 1 ? Sopra : text == 2 ? Nascosto : Sotto;
    return parameters;
}

QString BarcodeParameters::toTag() const {
    return QString::number(TipoBarcode) + QString::number(Testo);
}
