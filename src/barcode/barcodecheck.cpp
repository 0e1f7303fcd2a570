// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/barcodecheck.h"

#include "barcode/barcodeencoding.h"
#include "barcode/zintsymbol.h"

namespace barcodecheck {

namespace {

bool allDigits(QStringView text) {
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return !text.isEmpty();
}

// For digit strings that carry their check digit as the last one; empty when it is right.
QString wrongCheckDigit(QStringView digits) {
    const int expected = gs1CheckDigit(digits.chopped(1));
    if (digits.back().unicode() - u'0' == expected)
        return {};
    return QStringLiteral("cifra di controllo %1 errata, quella giusta è %2")
        .arg(digits.back())
        .arg(expected);
}

QString code39Problem(const QString& data) {
    for (const QChar c : data.toUpper()) {
        if (c == u'*' || c.unicode() < 32 || barcode::code39Pattern(c.unicode()).isEmpty() ||
            c.unicode() > 90)
            return QStringLiteral("il carattere \"%1\" non esiste in Code 39 (solo cifre, lettere "
                                  "senza accenti, spazio e - . $ / + %)")
                .arg(c);
    }
    return {};
}

} // namespace

int gs1CheckDigit(QStringView digits) {
    int sum = 0;
    // From the right: the digit next to the check digit weighs 3.
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const int digit = digits[digits.size() - 1 - i].unicode() - u'0';
        sum += i % 2 == 0 ? 3 * digit : digit;
    }
    return (10 - sum % 10) % 10;
}

QString problem(barcode::Symbology symbology, const QString& data) {
    using barcode::Symbology;
    const QString text = data.trimmed();
    if (text.isEmpty())
        return {};
    switch (symbology) {
    case Symbology::Code39:
        return code39Problem(data);
    case Symbology::Ean13:
        // Lengths and letters are the encoder's to say; a full code's check digit is ours.
        return (text.size() == 13 || text.size() == 8) && allDigits(text) ? wrongCheckDigit(text)
                                                                          : QString();
    case Symbology::UpcA:
        return text.size() == 12 && allDigits(text) ? wrongCheckDigit(text) : QString();
    case Symbology::Itf14:
        return text.size() == 14 && allDigits(text) ? wrongCheckDigit(text) : QString();
    case Symbology::Gs1_128:
    case Symbology::Gs1DataMatrix: {
        // libzint knows every application identifier's rules.
        const zintsymbol::Encoding encoding = zintsymbol::encode(symbology, data);
        return encoding.symbol ? QString() : encoding.error;
    }
    default:
        return {};
    }
}

} // namespace barcodecheck
