// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

// The number conventions of the whole program. They follow the system locale; a system
// without regional settings (C/POSIX, as batch jobs and services often run) gets the Italian
// conventions the program was designed for: decimal comma, thousands point.
class RegionalSettings {
public:
    static const QLocale& locale();
    static QChar decimalSeparator();
    static QChar groupSeparator();

    // Replaces the locale for the whole program (tests, or a user's explicit choice).
    static void setLocale(const QLocale& locale);
    // Back to the system-derived locale.
    static void reset();

    static QLocale fromSystem(const QLocale& system);
};
