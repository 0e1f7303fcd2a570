// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/recordsource.h"
#include "database/workbook.h"

#include <QDateTime>

#include <map>

// Records from a spreadsheet file (.xlsx, .ods): each sheet a table, its first row with
// anything in it the field names, empty rows left out. A sheet is read once to learn its
// fields, what each column holds and how many records it has, and then row by row for each
// walk: nothing but the current row is held (and, for .xlsx, the file's shared texts).
class SpreadsheetSource : public RecordSource {
public:
    // Throws DatabaseError when the file cannot be read or is no such spreadsheet.
    explicit SpreadsheetSource(const QString& path);
    ~SpreadsheetSource() override;

    QStringList tableNames() const override;
    QStringList queryNames() const override { return {}; }
    std::vector<FieldInfo> fields(const QString& table) const override;
    std::unique_ptr<RecordCursor> open(RecordSelection& selection) const override;
    long count(RecordSelection& selection) const override;

private:
    struct Survey {
        std::vector<FieldInfo> fields;
        long records = 0;
    };
    QString sheetNamed(const QString& table) const;
    const Survey& survey(const QString& sheet) const;
    void reopenIfChanged() const;

    QString m_path;
    mutable std::unique_ptr<workbook::Workbook> m_workbook;
    mutable std::map<QString, Survey> m_surveys;
    mutable QDateTime m_modified;
    mutable qint64 m_size = 0;
};
