// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "barcode/barcodeoptions.h"
#include "barcode/symbology.h"

#include <QString>

// A barcode element keeps its parameters in its Tag as two digits: the symbology and where the
// human-readable text goes (see symbology.h); further options beside it.
struct BarcodeParameters {
    // The first digit as read (0 when missing): printing draws nothing for values outside the
    // symbologies, and the parameters dialog shows those as Code 39.
    int TipoBarcode = int(barcode::Symbology::Code39);
    barcode::TextPosition Testo = barcode::TextPosition::Sotto;
    barcode::Options Opzioni;

    // The digits as read back from a Tag: the second picks above (1), hidden (2) or, for
    // anything else, below.
    static BarcodeParameters fromTag(const QString& tag, const barcode::Options& options = {});
    // "10" for EAN 13 with the text below.
    QString toTag() const;
    // The options' symbology when they name one, else the Tag's.
    std::optional<barcode::Symbology> symbology() const {
        if (Opzioni.symbology)
            return Opzioni.symbology;
        return barcode::symbologyFromDigit(TipoBarcode);
    }
    // Sets the symbology: by its digit for the first ten, else by name with its stand-in digit.
    void setSymbology(barcode::Symbology symbology);
    bool operator==(const BarcodeParameters&) const = default;
};
