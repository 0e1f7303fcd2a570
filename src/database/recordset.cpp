// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/recordset.h"

#include "database/databaseerror.h"

namespace {
constexpr int NoCurrentRecord = 3021;
}

Recordset::Recordset(RowSource source)
    : m_source(std::move(source)) {}

const FieldInfo& Recordset::field(const QString& name) const {
    const int index = fieldIndex(name);
    if (index < 0)
        throw DatabaseError(
            DatabaseError::ItemNotFound,
            QStringLiteral("Elemento non trovato in questo insieme: %1.").arg(name));
    return m_source.fields[index];
}

void Recordset::MoveNext() {
    if (!eof())
        ++m_position;
}

void Recordset::MovePrevious() {
    if (m_position >= 0)
        --m_position;
}

QVariant Recordset::value(const QString& name) const {
    const int index = fieldIndex(name);
    if (index < 0)
        field(name); // reports the missing field
    return value(index);
}

QVariant Recordset::value(int index) const {
    if (eof() || m_position < 0)
        throw DatabaseError(NoCurrentRecord, QStringLiteral("Nessun record corrente."));
    const Row& row = m_source.rows[std::size_t(m_position)];
    return index >= 0 && std::size_t(index) < row.size() ? row[index] : QVariant();
}
