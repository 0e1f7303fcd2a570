// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/regionalsettings.h"

#include <optional>

namespace {

std::optional<QLocale>& current() {
    static std::optional<QLocale> locale;
    return locale;
}

} // namespace

QLocale RegionalSettings::fromSystem(const QLocale& system) {
    if (system.language() == QLocale::C)
        return QLocale(QLocale::Italian, QLocale::Italy);
    return system;
}

const QLocale& RegionalSettings::locale() {
    auto& locale = current();
    if (!locale)
        locale = fromSystem(QLocale::system());
    return *locale;
}

QChar RegionalSettings::decimalSeparator() {
    const QString mark = locale().decimalPoint();
    return mark.isEmpty() ? QChar(u',') : mark.front();
}

QChar RegionalSettings::groupSeparator() {
    const QString mark = locale().groupSeparator();
    return mark.isEmpty() ? QChar(u'.') : mark.front();
}

void RegionalSettings::setLocale(const QLocale& locale) {
    current() = locale;
}

void RegionalSettings::reset() {
    current().reset();
}
