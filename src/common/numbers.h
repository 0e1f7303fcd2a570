// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>

#include <optional>

// Conversions between numbers and the texts users type, under the regional settings.

// A null value or an empty text gives 0; otherwise the number the text denotes under the
// regional settings ("1.234,500" is 1234.5 on an Italian system); a text that is no number
// gives 0 and never fails.
double ValoreNumerico(const QVariant& valore);

// A null value or an empty text gives 0; otherwise the value as a 16-bit integer by the
// regional rules, halves rounded to even. When that fails (no number, or out of range) the
// leading decimal number of the text read with a full stop (8.7abc gives 8.7, abc gives 0).
float ValoreIntero(const QVariant& valore);

// A grouped number with the given count of decimals, halves rounded away from zero:
// 1234.5 with 3 decimals is "1.234,500" on an Italian system.
QString FormatNumero(double valore, int decimali = 0);

namespace numbers {

// The number at the start of a text, read with a full stop as decimal mark: blanks are
// skipped anywhere, reading stops at the first other character. "  -12.5kg" gives -12.5,
// "abc" gives 0. Never fails.
double leadingNumber(QStringView text);

// The number a whole text denotes under the regional settings, blanks around it ignored and
// thousands separators ignored wherever they stand; nothing when it is not a number.
std::optional<double> parseRegional(QStringView text);

// A number written by a program whatever its locale: blanks around are ignored and its one
// separator, comma or point, is the decimal mark ("12,5" and "12.5" are 12.5). When both
// appear, the last one is the decimal mark and the other groups thousands. Nothing when it is
// no number.
std::optional<double> parseAnySeparator(QStringView text);

// The shortest text that reads back as the same value, with the given decimal mark and no
// thousands separator, never in exponent form: 12, 12,5, -0,25.
QString formatPlain(double value, QChar decimalMark);
QString formatPlain(float value, QChar decimalMark);

// Rounds to a 16-bit integer, halves to even; nothing when out of range or not finite.
std::optional<qint16> toInt16(double value);

// Rounds to a 32-bit integer, halves to even; nothing when out of range or not finite.
std::optional<qint32> toInt32(double value);

} // namespace numbers
