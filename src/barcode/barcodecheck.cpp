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
QString wrongCheckDigit(QStringView digits, int expected) {
    if (digits.back().unicode() - u'0' == expected)
        return {};
    return checkDigitText(expected);
}

QString wrongCheckDigit(QStringView digits) {
    return wrongCheckDigit(digits, gs1CheckDigit(digits.chopped(1)));
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

QString checkDigitText(int expected) {
    return QStringLiteral("cifra di controllo errata: attesa %1").arg(expected);
}

QString problem(barcode::Symbology symbology, const QString& data) {
    using barcode::Symbology;
    const QString text = data.trimmed();
    if (text.isEmpty())
        return {};
    const bool digits = allDigits(text);
    switch (symbology) {
    case Symbology::Code39:
        return code39Problem(data);
    case Symbology::Ean13:
        // Lengths and letters are the encoder's to say; a full code's check digit is ours.
        return (text.size() == 13 || text.size() == 8) && digits ? wrongCheckDigit(text)
                                                                 : QString();
    case Symbology::Ean8:
        if (!digits || (text.size() != 7 && text.size() != 8))
            return QStringLiteral("un EAN-8 ha 7 cifre, o 8 con la cifra di controllo");
        return text.size() == 8 ? wrongCheckDigit(text) : QString();
    case Symbology::UpcA:
        return text.size() == 12 && digits ? wrongCheckDigit(text) : QString();
    case Symbology::UpcE:
        // Only number systems 0 and 1 have a UPC-E: libzint would print another code.
        if (digits && text.size() >= 7 && text.front() != u'0' && text.front() != u'1')
            return QStringLiteral("un UPC-E di 7 o 8 cifre comincia con 0 o 1");
        // Its check digit is the one of the UPC-A it stands for.
        if (text.size() == 8 && digits) {
            const int expected = zintsymbol::checkDigit(symbology, text.left(7));
            return expected < 0 ? QString() : wrongCheckDigit(text, expected);
        }
        return {};
    case Symbology::Itf14:
    case Symbology::DataBar:
    case Symbology::DataBarLimited:
        if (text.size() == 14 && digits) {
            if (const QString wrong = wrongCheckDigit(text); !wrong.isEmpty())
                return wrong;
        }
        break;
    case Symbology::Gs1_128:
    case Symbology::Gs1DataMatrix:
    case Symbology::DataBarExpanded: {
        // libzint knows every application identifier's rules.
        const zintsymbol::Encoding encoding = zintsymbol::encode(symbology, data);
        return encoding.symbol ? QString() : encoding.error;
    }
    default:
        break;
    }
    return {};
}

} // namespace barcodecheck
