// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/jsonfields.h"

#include <cmath>

void JsonFields::text(const char* key, QString& value) {
    if (m_out) {
        m_out->insert(QLatin1String(key), value);
        return;
    }
    const QJsonValue read = m_in->value(QLatin1String(key));
    if (read.isString())
        value = read.toString();
    else if (!read.isUndefined())
        wrongType(key, "un testo");
}

void JsonFields::flag(const char* key, bool& value) {
    if (m_out) {
        m_out->insert(QLatin1String(key), value);
        return;
    }
    const QJsonValue read = m_in->value(QLatin1String(key));
    if (read.isBool())
        value = read.toBool();
    else if (!read.isUndefined())
        wrongType(key, "true o false");
}

std::optional<double> JsonFields::readNumber(const char* key) {
    const QJsonValue read = m_in->value(QLatin1String(key));
    // Beyond what any property holds: the label file's own checks then refuse it by name.
    constexpr double Largest = 1e12;
    if (read.isDouble() && std::isfinite(read.toDouble()) && std::fabs(read.toDouble()) < Largest)
        return read.toDouble();
    if (!read.isUndefined())
        wrongType(key, "un numero");
    return std::nullopt;
}

void JsonFields::wrongType(const char* key, const char* expected) {
    if (!m_problem)
        m_problem = QStringLiteral("%1: \"%2\" deve essere %3.")
                        .arg(m_where, QLatin1String(key), QLatin1String(expected));
}
