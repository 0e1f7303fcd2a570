// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>

// How the Access engine compares and reads values in criteria.
namespace jet {

bool isNumber(const QVariant& value);
// Booleans are -1 and 0, dates are days since 30 December 1899.
double toNumber(const QVariant& value);

// Numbers as numbers, texts ignoring letter case (accents count), dates as dates.
// Throws DatabaseError 3464 when the two cannot be compared. Neither may be Null.
int compare(const QVariant& a, const QVariant& b);

// A key that two values share whenever compare() finds them equal (numbers and dates by value,
// texts by the same collation), for joins that look rows up instead of comparing every pair.
// Nothing for Null, which equals nothing. Values compare() cannot compare get keys that differ.
std::optional<QByteArray> equalityKey(const QVariant& value);

// Which of two numbers before the year is the day: Access's #literals# put the month first;
// what an Italian user types puts the day first.
enum class DateOrder { MonthFirst, DayFirst };

// A date as Access reads it between # signs: month/day/year, or day/month/year when the first
// number cannot be a month, or year-month-day; a time may follow. Nothing when it is no date.
// With DayFirst, day/month/year, or month/day/year when the second number cannot be a month.
std::optional<QDateTime> parseDate(QStringView text, DateOrder order = DateOrder::MonthFirst);

// Access's Like: * any run, ? any character, # a digit, [abc] [a-z] [!abc] one of (not) them;
// letter case ignored.
bool like(const QString& value, const QString& pattern);

} // namespace jet
