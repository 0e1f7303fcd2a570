// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/labelfile.h"

#include "common/files.h"
#include "common/numbers.h"
#include "common/regionalsettings.h"
#include "common/units.h"
#include "common/windows1252.h"
#include "document/elementtype.h"
#include "document/labeldocument.h"
#include "document/picturecache.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

namespace labelfile {

// ---------------------------------------------------------------------------------------------
// Numbers

QString formatNumber(double value, QChar decimalSeparator) {
    return (value < 0 ? QString() : QStringLiteral(" ")) +
           numbers::formatPlain(value, decimalSeparator) + u' ';
}

QString formatNumber(float value, QChar decimalSeparator) {
    return (value < 0 ? QString() : QStringLiteral(" ")) +
           numbers::formatPlain(value, decimalSeparator) + u' ';
}

std::optional<double> parseNumber(QStringView text) {
    return numbers::parseAnySeparator(text);
}

} // namespace labelfile
