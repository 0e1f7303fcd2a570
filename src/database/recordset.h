// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/rowsource.h"

// The rows a query selected, with a cursor over them: what printing walks through, one label
// per record.
class Recordset {
public:
    explicit Recordset(RowSource source);

    const std::vector<FieldInfo>& fields() const { return m_source.fields; }
    // The field's position, letter case ignored; -1 when there is none.
    int fieldIndex(const QString& name) const { return m_source.fieldIndex(name); }
    // Throws DatabaseError 3265 when there is no such field.
    const FieldInfo& field(const QString& name) const;

    long RecordCount() const { return long(m_source.rows.size()); }
    bool eof() const { return m_position >= RecordCount(); }
    bool bof() const { return m_position < 0 || RecordCount() == 0; }
    void MoveFirst() { m_position = 0; }
    void MoveLast() { m_position = std::max(0L, RecordCount() - 1); }
    void MoveNext();
    void MovePrevious();

    // The current record's value (a null QVariant for Null). Throws DatabaseError: 3265 for a
    // field that does not exist, 3021 when there is no current record.
    QVariant value(const QString& name) const;
    QVariant value(int index) const;

private:
    RowSource m_source;
    long m_position = 0;
};
