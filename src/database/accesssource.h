// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/accessfile.h"
#include "database/recordsource.h"
#include "database/storedquery.h"

#include <optional>

// Records from an Access file: its tables stream from the reader process one row at a time;
// its stored select queries are run here on the rows of their inputs.
class AccessSource : public RecordSource {
public:
    // Throws DatabaseError as AccessFile::open.
    AccessSource(const QString& path, const QString& password);

    QStringList tableNames() const override; // user tables, neither hidden nor system
    QStringList queryNames() const override; // the select queries this engine runs
    std::vector<FieldInfo> fields(const QString& table) const override;
    // Tables (system ones too) and every stored query count.
    bool contains(const QString& table) const override;
    std::unique_ptr<RecordCursor> open(RecordSelection& selection) const override;
    std::unique_ptr<RecordCursor> openCounted(RecordSelection& selection,
                                              long& count) const override;

    // Every stored query, in catalog order.
    QStringList allQueryNames() const;
    // All records of a table or query, as "SELECT * FROM [name];" gives them.
    RowSource readSource(const QString& name) const;

private:
    storedquery::Definition definitionOf(const AccessFile::CatalogObject& query) const;
    RowSource readSource(const QString& name, int depth) const;
    const AccessFile::CatalogObject* table(const QString& name) const;

    std::unique_ptr<AccessFile> m_file;
    mutable std::optional<RowSource> m_queryRows; // MSysQueries, read once
};
