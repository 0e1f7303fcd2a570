// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A barcode element keeps its parameters in its Tag as two digits: the symbology (0 Code 39,
// 1 EAN 13, 2 to 9 those of zintsymbol: Code 128, GS1-128, QR Code, Data Matrix, PDF417,
// ITF-14, UPC-A, GS1 DataMatrix) and where the human-readable text goes (0 below, 1 above,
// 2 hidden).
struct BarcodeParameters {
    enum Symbology { Code39 = 0, Ean13 = 1 };
    enum TextPosition { Sotto = 0, Sopra = 1, Nascosto = 2 };

    int TipoBarcode = Code39;
    int Testo = Sotto;

    // The digits as read back from a Tag: the first digit's value is the symbology (0 when
    // missing; printing draws nothing for values other than 0 and 1), the second picks above (1),
    // hidden (2) or, for anything else, below.
    static BarcodeParameters fromTag(const QString& tag);
    // "10" for EAN 13 with the text below.
    QString toTag() const;

    bool operator==(const BarcodeParameters&) const = default;
};
