// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

#include <vector>

// Field type codes as the Access engine reports them (DAO Field.Type).
namespace fieldtype {
enum : int {
    Boolean = 1,
    Byte = 2,
    Integer = 3,
    Long = 4,
    Currency = 5,
    Single = 6,
    Double = 7,
    Date = 8,
    Binary = 9,
    Text = 10,
    LongBinary = 11,
    Memo = 12,
    Guid = 15,
    BigInt = 16,
    VarBinary = 17,
    Char = 18,
    Numeric = 19,
    Decimal = 20,
    Float = 21,
    Time = 22,
    TimeStamp = 23
};

// How criteria treat a field: compared as a number, as text, as a date, or not at all.
enum class Class { Number, Text, Date, Other };
Class classOf(int type);
} // namespace fieldtype

struct FieldInfo {
    QString name;
    int type = fieldtype::Text;
    QString table; // the table or alias it comes from, for qualified names
    // Why its values cannot go on a label (an OLE object, attachments); empty when they can.
    QString unprintable;
};

using Row = std::vector<QVariant>; // a null QVariant is Null

// Rows with their fields: a table as read, or what a query gives.
struct RowSource {
    std::vector<FieldInfo> fields;
    std::vector<Row> rows;

    // The field's position, letter case ignored; -1 when there is none.
    int fieldIndex(const QString& name) const;
};
