// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/recordsource.h"

// Records handed over whole (a print service's job brings its own): one table, every record
// printed, whatever the label's criterion says.
class MemorySource final : public RecordSource {
public:
    MemorySource(QString table, RowSource rows)
        : m_table(std::move(table))
        , m_rows(std::move(rows)) {}

    QStringList tableNames() const override { return {m_table}; }
    QStringList queryNames() const override { return {}; }
    std::vector<FieldInfo> fields(const QString&) const override { return m_rows.fields; }
    std::unique_ptr<RecordCursor> open(RecordSelection&) const override {
        return std::make_unique<RowsCursor>(m_rows);
    }

private:
    QString m_table;
    RowSource m_rows;
};
