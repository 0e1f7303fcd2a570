// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/accessraw.h"

#include "common/windows1252.h"

#include <QDateTime>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace accessraw {

namespace {

const QDate AccessEpoch(1899, 12, 30);

template <typename T> T little(const QByteArray& bytes, qsizetype at = 0) {
    return qFromLittleEndian<T>(bytes.constData() + at);
}

double littleDouble(const QByteArray& bytes) {
    const quint64 bits = little<quint64>(bytes);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A 96- or 128-bit integer scaled to a double: exact enough for what a label prints.
QVariant scaled(double magnitude, bool negative, int scale) {
    if (scale < 0 || scale > 28)
        return {};
    const double value = magnitude / std::pow(10.0, scale);
    return negative ? -value : value;
}

} // namespace

QString text(const QByteArray& bytes, bool jet3) {
    if (jet3)
        return windows1252::decode(bytes);
    if (bytes.size() >= 2 && quint8(bytes[0]) == 0xff && quint8(bytes[1]) == 0xfe) {
        // Compressed: one-byte characters until a 0x00 switches to two-byte ones, which are
        // read in pairs (a space there is 20 00) until a pair starts with 0x00, and back.
        QString result;
        bool compressed = true;
        for (qsizetype i = 2; i < bytes.size();) {
            if (bytes[i] == '\0') {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                result.append(QChar(quint8(bytes[i])));
                ++i;
            } else {
                if (i + 1 >= bytes.size())
                    break;
                result.append(QChar(char16_t(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8)));
                i += 2;
            }
        }
        return result;
    }
    // UTF-16: pairs of surrogates stay one character (emoji and other planes).
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()),
                              bytes.size() / 2);
}

QVariant dateTime(const QByteArray& bytes) {
    if (bytes.size() != 8)
        return {};
    const double value = littleDouble(bytes);
    if (!std::isfinite(value) || std::fabs(value) > 2958466) // beyond 31/12/9999
        return {};
    // Before the epoch the day counts back but the fraction still counts forward:
    // -1.25 is 29/12/1899 06:00.
    const double days = std::trunc(value);
    const double fraction = std::fabs(value - days);
    qint64 milliseconds = std::llround(fraction * 86400000.0);
    qint64 wholeDays = qint64(days);
    if (milliseconds >= 86400000) {
        milliseconds -= 86400000;
        ++wholeDays; // the time of day counts forward, before the epoch too
    }
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(milliseconds));
    if (wholeDays == 0 && milliseconds != 0)
        return time;
    return QDateTime(AccessEpoch.addDays(wholeDays), time, Qt::UTC);
}

QVariant extendedDateTime(const QByteArray& bytes) {
    const QList<QByteArray> parts = bytes.split(':');
    if (parts.size() < 2)
        return {};
    bool daysOk = false, ticksOk = false;
    const qint64 days = parts[0].toLongLong(&daysOk);
    const qint64 ticks = parts[1].toLongLong(&ticksOk);
    if (!daysOk || !ticksOk || days < 0 || days > 3652058 || ticks < 0 ||
        ticks >= qint64(864000000000))
        return {};
    const QDate date = QDate(1, 1, 1).addDays(days);
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(ticks / 10000)), Qt::UTC);
}

QString guid(const QByteArray& bytes) {
    if (bytes.size() != 16)
        return {};
    const QByteArray hex = bytes.toHex().toUpper();
    auto swapped = [&](int from, int count) {
        QByteArray group;
        for (int i = count - 1; i >= 0; --i)
            group += hex.mid((from + i) * 2, 2);
        return group;
    };
    return QString::fromLatin1('{' + swapped(0, 4) + '-' + swapped(4, 2) + '-' + swapped(6, 2) +
                               '-' + hex.mid(16, 4) + '-' + hex.mid(20, 12) + '}');
}

QVariant numeric(const QByteArray& bytes, int scale) {
    if (bytes.size() != 17)
        return {};
    double magnitude = 0;
    for (int word = 0; word < 4; ++word)
        magnitude = magnitude * 4294967296.0 + little<quint32>(bytes, 1 + word * 4);
    return scaled(magnitude, (quint8(bytes[0]) & 0x80) != 0, scale);
}

QVariant fixed(int type, const QByteArray& bytes, int scale) {
    auto sized = [&](qsizetype size) { return bytes.size() == size; };
    switch (type) {
    case Byte:
        return sized(1) ? QVariant(int(quint8(bytes[0]))) : QVariant();
    case Integer:
        return sized(2) ? QVariant(int(little<qint16>(bytes))) : QVariant();
    case Long:
        return sized(4) ? QVariant(int(little<qint32>(bytes))) : QVariant();
    case Currency:
        return sized(8) ? QVariant(double(little<qint64>(bytes)) / 10000.0) : QVariant();
    case Single: {
        if (!sized(4))
            return {};
        const quint32 bits = little<quint32>(bytes);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return double(value);
    }
    case Double:
        return sized(8) ? QVariant(littleDouble(bytes)) : QVariant();
    case DateTime:
        return dateTime(bytes);
    case ExtendedDateTime:
        return extendedDateTime(bytes);
    case Guid:
        return sized(16) ? QVariant(guid(bytes)) : QVariant();
    case Numeric:
        return numeric(bytes, scale);
    case BigInt:
        return sized(8) ? QVariant(little<qint64>(bytes)) : QVariant();
    default:
        return {};
    }
}

QByteArray calculatedPayload(const QByteArray& stored) {
    if (stored.size() < 20)
        return {};
    const quint32 length = little<quint32>(stored, 16);
    if (length > quint32(stored.size() - 20))
        return {};
    return stored.mid(20, length);
}

QVariant calculatedValue(int resultType, const QByteArray& payload, bool jet3) {
    switch (resultType) {
    case Boolean:
        return payload.isEmpty() ? QVariant() : QVariant(payload[0] != '\0');
    case Text:
    case Memo:
        return text(payload, jet3);
    case Numeric: {
        // A .NET decimal: flags (scale in byte 2, sign in byte 3), then the high, low and
        // middle 32-bit words of a 96-bit integer.
        if (payload.size() != 16)
            return {};
        const double magnitude = double(little<quint32>(payload, 4)) * 18446744073709551616.0 +
                                 double(little<quint32>(payload, 12)) * 4294967296.0 +
                                 double(little<quint32>(payload, 8));
        return scaled(magnitude, (quint8(payload[3]) & 0x80) != 0, quint8(payload[2]));
    }
    default:
        return fixed(resultType, payload);
    }
}

} // namespace accessraw
