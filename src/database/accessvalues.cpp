// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/accessvalues.h"

#include "database/databaseerror.h"

#include <QCollator>
#include <QRegularExpression>

#include <unicode/ucol.h>

#include <memory>

namespace jet {

namespace {

const QDateTime& dayZero() {
    static const QDateTime zero(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return zero;
}

bool isDate(const QVariant& value) {
    return value.typeId() == QMetaType::QDateTime;
}

bool isText(const QVariant& value) {
    return value.typeId() == QMetaType::QString;
}

const QCollator& collator() {
    static const QCollator instance = [] {
        QCollator c{QLocale(QLocale::Italian, QLocale::Italy)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return instance;
}

[[noreturn]] void mismatch() {
    throw DatabaseError(
        DatabaseError::TypeMismatch,
        QStringLiteral("Tipo di dati non corrispondente nell'espressione criterio."));
}

// The collation of collator() as ICU's own, for sort keys: Italian, letter case ignored.
const UCollator* keyCollator() {
    static const std::unique_ptr<UCollator, void (*)(UCollator*)> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UCollator, void (*)(UCollator*)> opened(ucol_open("it_IT", &status),
                                                                ucol_close);
        if (opened)
            ucol_setStrength(opened.get(), UCOL_SECONDARY);
        return opened;
    }();
    return instance.get();
}

int twoDigitYear(int year) {
    return year < 30 ? 2000 + year : 1900 + year;
}

} // namespace

bool isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UInt:
        return true;
    default:
        return false;
    }
}

double toNumber(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1.0 : 0.0;
    if (isDate(value))
        return double(dayZero().msecsTo(value.toDateTime())) / 86400000.0;
    return value.toDouble();
}

int compare(const QVariant& a, const QVariant& b) {
    if ((isNumber(a) || isDate(a)) && (isNumber(b) || isDate(b))) {
        const double x = toNumber(a);
        const double y = toNumber(b);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    if (isText(a) && isText(b)) {
        const int order = collator().compare(a.toString(), b.toString());
        return order < 0 ? -1 : order > 0 ? 1 : 0;
    }
    mismatch();
}

std::optional<QByteArray> equalityKey(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    if (isNumber(value) || isDate(value)) {
        const double number = toNumber(value);
        return 'N' + QByteArray::number(number == 0 ? 0.0 : number, 'g', 17);
    }
    if (isText(value) && keyCollator()) {
        const QString text = value.toString();
        QByteArray key(qsizetype(text.size()) * 4 + 16, Qt::Uninitialized);
        for (;;) {
            const int length = ucol_getSortKey(
                keyCollator(), reinterpret_cast<const UChar*>(text.utf16()), int(text.size()),
                reinterpret_cast<uint8_t*>(key.data() + 1), int(key.size() - 1));
            if (length < key.size()) {
                key.truncate(length + 1);
                break;
            }
            key.resize(length + 1);
        }
        key[0] = 'T';
        return key;
    }
    return 'X' + QByteArray::number(value.typeId()) + ':' + value.toString().toUtf8();
}

std::optional<QDateTime> parseDate(QStringView text, DateOrder order) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(\d{1,4})[/.-](\d{1,2})[/.-](\d{1,4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?\s*([AaPp][Mm])?)?\s*$)"));
    static const QRegularExpression timeOnly(
        QStringLiteral(R"(^\s*(\d{1,2}):(\d{2})(?::(\d{2}))?\s*([AaPp][Mm])?\s*$)"));
    const QString input = text.toString();
    int hour = 0, minute = 0, second = 0;
    QString meridiem;
    QDate date = dayZero().date();
    if (const auto m = pattern.match(input); m.hasMatch()) {
        const QString first = m.captured(1);
        int a = first.toInt(), b = m.captured(2).toInt(), c = m.captured(3).toInt();
        if (first.size() == 4) {
            date = QDate(a, b, c);
        } else {
            const int year = m.captured(3).size() <= 2 ? twoDigitYear(c) : c;
            if (order == DateOrder::DayFirst)
                std::swap(a, b);
            date = QDate(year, a, b); // month/day/year
            if (!date.isValid())
                date = QDate(year, b, a); // day/month/year
        }
        hour = m.captured(4).toInt();
        minute = m.captured(5).toInt();
        second = m.captured(6).toInt();
        meridiem = m.captured(7);
    } else if (const auto t = timeOnly.match(input); t.hasMatch()) {
        hour = t.captured(1).toInt();
        minute = t.captured(2).toInt();
        second = t.captured(3).toInt();
        meridiem = t.captured(4);
    } else {
        return std::nullopt;
    }
    if (!meridiem.isEmpty()) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        const bool pm = meridiem.startsWith(u'p', Qt::CaseInsensitive);
        hour = hour % 12 + (pm ? 12 : 0);
    }
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

bool like(const QString& value, const QString& pattern) {
    QString regex;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'*') {
            regex += QStringLiteral(".*");
        } else if (c == u'?') {
            regex += u'.';
        } else if (c == u'#') {
            regex += QStringLiteral("[0-9]");
        } else if (c == u'[') {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            if (close < 0)
                throw DatabaseError(DatabaseError::SyntaxError,
                                    QStringLiteral("Criterio Like non valido: %1").arg(pattern));
            QString set = pattern.mid(i + 1, close - i - 1);
            QString out = QStringLiteral("[");
            qsizetype start = 0;
            if (set.startsWith(u'!')) {
                out += u'^';
                start = 1;
            }
            for (qsizetype k = start; k < set.size(); ++k) {
                const QChar s = set[k];
                if (s == u'-' && k > start && k + 1 < set.size())
                    out += u'-';
                else
                    out += QRegularExpression::escape(QString(s));
            }
            regex += out + u']';
            i = close;
        } else {
            regex += QRegularExpression::escape(QString(c));
        }
    }
    const QRegularExpression compiled(QRegularExpression::anchoredPattern(regex),
                                      QRegularExpression::CaseInsensitiveOption |
                                          QRegularExpression::DotMatchesEverythingOption);
    return compiled.match(value).hasMatch();
}

} // namespace jet
