// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// Values of an Access file decoded from the bytes the file stores, without libmdb's text
// conversion: libmdb 1.0 loses dates before 1900, large numbers, extended dates, calculated
// columns and characters outside the Basic Multilingual Plane.
namespace accessraw {

// Column type codes as the file stores them (beyond those DAO knows).
enum Type : int {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Single = 0x06,
    Double = 0x07,
    DateTime = 0x08,
    Binary = 0x09,
    Text = 0x0a,
    Ole = 0x0b,
    Memo = 0x0c,
    Guid = 0x0f,
    Numeric = 0x10,
    Complex = 0x12, // attachments, multi-valued fields
    BigInt = 0x13,  // "Large Number"
    ExtendedDateTime = 0x14,
};

// Text as stored: Windows-1252 in Jet 3 files; UTF-16LE in later ones, where a leading
// FF FE marks the "Unicode compression" that stores runs of one-byte characters.
QString text(const QByteArray& bytes, bool jet3);

// Days since 30 December 1899, the fraction the time of day. A value without a day (the
// date part 0) is a time alone: a QTime.
QVariant dateTime(const QByteArray& eightBytes);
// "Date/Time Extended": "DDDDDDDDDDDDDDDDDDD:TTTTTTTTTTTTTTTTTTT:P", days since 1 January 1
// and ticks of 100 ns.
QVariant extendedDateTime(const QByteArray& bytes);
// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, the first three groups little-endian.
QString guid(const QByteArray& sixteenBytes);
// A Numeric (decimal) column: a sign byte and a 128-bit integer as four 32-bit words, the
// most significant first, scaled by 10^-scale.
QVariant numeric(const QByteArray& seventeenBytes, int scale);

// A fixed-size value of `type`; Null when the bytes do not fit the type.
QVariant fixed(int type, const QByteArray& bytes, int scale = 0);

// Calculated columns (ACE) keep their result behind a 20-byte header (16 unknown bytes and a
// 32-bit length); numeric results are .NET decimals. Null when the bytes do not fit.
QByteArray calculatedPayload(const QByteArray& stored);
QVariant calculatedValue(int resultType, const QByteArray& payload, bool jet3);

} // namespace accessraw
