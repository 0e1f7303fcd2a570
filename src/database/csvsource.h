// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/delimitedtext.h"
#include "database/recordsource.h"

#include <QDateTime>

// Records from a delimited text file (.csv, .txt, .tsv): one table named after the file, its
// first record the field names. Opening reads the file once to learn its encoding, separator,
// record count and what each column holds (numbers, dates or texts, for the criteria); records
// are then read one at a time. Values print as the file writes them.
class CsvSource : public RecordSource {
public:
    // Throws DatabaseError when the file cannot be read or is no delimited text.
    explicit CsvSource(const QString& path, std::optional<QChar> separator = std::nullopt);

    QStringList tableNames() const override { return {m_table}; }
    QStringList queryNames() const override { return {}; }
    std::vector<FieldInfo> fields(const QString& table) const override;
    std::unique_ptr<RecordCursor> open(RecordSelection& selection) const override;
    long count(RecordSelection& selection) const override;

    const delimitedtext::Format& format() const { return m_format; }

private:
    void survey() const;
    void checkTable(const QString& table) const;

    QString m_path;
    QString m_table;
    delimitedtext::Format m_format;
    // What the last reading of the file found; read again when the file changes.
    mutable std::vector<FieldInfo> m_fields;
    mutable long m_records = 0;
    mutable QDateTime m_surveyed;
    mutable qint64 m_size = 0;
};
