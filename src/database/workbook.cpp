// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/workbook.h"

#include <QDateTime>

#include <cmath>

namespace workbook {

QDateTime serialDate(double serial, bool from1904) {
    // Day 60 of the 1900 system is 29 February 1900, a day that never was: the days before it
    // are counted from 31 December 1899, those after from 30 December.
    if (!std::isfinite(serial) || serial < 0 || serial > 2958466) // after 31/12/9999
        return {};
    const double day = std::floor(serial);
    const QDate zero = from1904   ? QDate(1904, 1, 1)
                       : day < 61 ? QDate(1899, 12, 31)
                                  : QDate(1899, 12, 30);
    const auto milliseconds = std::llround((serial - day) * 86400000.0);
    return QDateTime(zero.addDays(qint64(day)), QTime(0, 0), Qt::UTC).addMSecs(milliseconds);
}

int columnIndex(QStringView letters) {
    if (letters.isEmpty() || letters.size() > 3)
        return -1;
    int index = 0;
    for (const QChar c : letters) {
        const char16_t upper = c.toUpper().unicode();
        if (upper < u'A' || upper > u'Z')
            return -1;
        index = index * 26 + (upper - u'A' + 1);
    }
    return index - 1;
}

} // namespace workbook
