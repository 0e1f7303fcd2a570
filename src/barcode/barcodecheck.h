// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "barcode/symbology.h"

#include <QString>

// Data that a symbology would draw but a scanner would refuse, or read as something else: a
// wrong check digit (EAN, UPC-A, ITF-14, the GTIN of GS1 data), GS1 application identifiers
// whose values break their rules (a 13th month, a short GTIN), characters Code 39 has no bars
// for. Labels with such data must not be printed as if they were fine.
namespace barcodecheck {

// Why the data is not valid for the symbology, in words for the user; empty when it is (or
// when the symbology takes any data, or when there is no data at all).
QString problem(barcode::Symbology symbology, const QString& data);

// "cifra di controllo errata: attesa 7".
QString checkDigitText(int expected);

// The check digit of the GS1 family (EAN, UPC, ITF-14, GTIN) for the digits before it.
int gs1CheckDigit(QStringView digits);

} // namespace barcodecheck
