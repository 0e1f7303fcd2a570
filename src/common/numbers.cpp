// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/numbers.h"

#include "common/regionalsettings.h"
#include "common/rounding.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace numbers {

std::optional<double> parseAnySeparator(QStringView text) {
    text = text.trimmed();
    qsizetype i = 0;
    QByteArray normal;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        if (text[i] == u'-')
            normal += '-';
        ++i;
    }
    // The mantissa: digits with points and commas; which of them is the decimal mark is
    // decided once the whole mantissa is known.
    const qsizetype mantissaStart = i;
    int points = 0, commas = 0, digits = 0;
    qsizetype lastPoint = -1, lastComma = -1;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9')
            ++digits;
        else if (c == u'.')
            ++points, lastPoint = i;
        else if (c == u',')
            ++commas, lastComma = i;
        else
            break;
    }
    if (digits == 0)
        return std::nullopt;
    qsizetype decimalAt = -1;
    if (points && commas) {
        decimalAt = std::max(lastPoint, lastComma);
        const QChar mark = text[decimalAt];
        if ((mark == u'.' ? points : commas) != 1)
            return std::nullopt;
    } else if (points == 1) {
        decimalAt = lastPoint;
    } else if (commas == 1) {
        decimalAt = lastComma;
    }
    for (qsizetype j = mantissaStart; j < i; ++j) {
        const char16_t c = text[j].unicode();
        if (c >= u'0' && c <= u'9')
            normal += char(c);
        else if (j == decimalAt)
            normal += '.';
        // other points and commas group thousands
    }
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        normal += 'e';
        ++i;
        if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
            normal += char(text[i++].unicode());
        const qsizetype exponentStart = i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
            normal += char(text[i++].unicode());
        if (i == exponentStart)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    double value = 0;
    const auto [end, error] =
        std::from_chars(normal.constData(), normal.constData() + normal.size(), value);
    if (error != std::errc() || end != normal.constData() + normal.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

namespace {

template <typename T> QString formatShortest(T value, QChar decimalMark) {
    if (value == 0)
        value = 0; // never "-0"
    char buffer[512];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    QString digits = error == std::errc() ? QString::fromLatin1(buffer, end - buffer)
                                          : QString::number(double(value), 'g', 17);
    digits.replace(u'.', decimalMark);
    return digits;
}

} // namespace

QString formatPlain(double value, QChar decimalMark) {
    return formatShortest(value, decimalMark);
}

QString formatPlain(float value, QChar decimalMark) {
    return formatShortest(value, decimalMark);
}

double leadingNumber(QStringView text) {
    QString digits;
    bool seenDigit = false;
    bool seenPoint = false;
    bool seenExponent = false;
    bool signAllowed = true;
    for (const QChar c : text) {
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        if (c.isDigit() && c.unicode() < 128) {
            digits += c;
            seenDigit = true;
            signAllowed = false;
        } else if ((c == u'-' || c == u'+') && signAllowed) {
            digits += c;
            signAllowed = false;
        } else if (c == u'.' && !seenPoint && !seenExponent) {
            digits += c;
            seenPoint = true;
            signAllowed = false;
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && seenDigit &&
                   !seenExponent) {
            digits += u'e';
            seenExponent = true;
            signAllowed = true;
        } else {
            break;
        }
    }
    // Drop an exponent or sign that has no digits after it ("12e", "-").
    while (!digits.isEmpty() && !digits.back().isDigit() && digits.back() != u'.')
        digits.chop(1);
    bool ok = false;
    const double value = digits.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

std::optional<double> parseRegional(QStringView text) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    // Thousands separators are ignored wherever they stand, as users type them loosely:
    // "1.2345,5" is 12345.5 on an Italian system.
    QString digits = trimmed.toString();
    const QChar group = RegionalSettings::groupSeparator();
    if (group != RegionalSettings::decimalSeparator())
        digits.remove(group);
    bool ok = false;
    const double value = RegionalSettings::locale().toDouble(digits, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint16> toInt16(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = rounding::halfToEven(value);
    if (rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<qint32> toInt32(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = rounding::halfToEven(value);
    if (rounded < std::numeric_limits<qint32>::min() ||
        rounded > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(rounded);
}

} // namespace numbers

namespace {

bool isNullOrEmpty(const QVariant& valore) {
    if (valore.isNull() || !valore.isValid())
        return true;
    return valore.typeId() == QMetaType::QString && valore.toString().isEmpty();
}

bool isNumeric(const QVariant& valore) {
    switch (valore.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

} // namespace

double ValoreNumerico(const QVariant& valore) {
    if (isNullOrEmpty(valore))
        return 0.0;
    if (isNumeric(valore)) {
        // A boolean true is -1, as the database engine stores it.
        if (valore.typeId() == QMetaType::Bool)
            return valore.toBool() ? -1.0 : 0.0;
        const double value = valore.toDouble();
        return std::isfinite(value) ? value : 0.0;
    }
    return numbers::parseRegional(valore.toString()).value_or(0.0);
}

float ValoreIntero(const QVariant& valore) {
    if (isNullOrEmpty(valore))
        return 0.0f;
    std::optional<double> number;
    if (isNumeric(valore))
        number = ValoreNumerico(valore);
    else
        number = numbers::parseRegional(valore.toString());
    if (number) {
        if (const auto whole = numbers::toInt16(*number))
            return static_cast<float>(*whole);
    }
    return static_cast<float>(numbers::leadingNumber(valore.toString()));
}

QString FormatNumero(double valore, int decimali) {
    decimali = std::clamp(decimali, 0, 15);
    const double scale = std::pow(10.0, decimali);
    double rounded = rounding::halfAwayFromZero(valore * scale) / scale;
    if (!std::isfinite(rounded))
        rounded = valore;
    if (rounded == 0.0)
        rounded = 0.0; // no "-0,000"
    QLocale locale = RegionalSettings::locale();
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(rounded, 'f', decimali);
}
