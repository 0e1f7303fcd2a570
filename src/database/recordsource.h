// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/databasebinding.h"
#include "database/rowsource.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

// Which records of which table a job prints: the table and criterion of a label's binding.
struct RecordSelection {
    RecordSelection() = default;
    RecordSelection(QString table, QString field = {}, Criterion criterion = Criterion::Tutti,
                    QString equalTo = {}, QString from = {}, QString to = {})
        : table(std::move(table))
        , field(std::move(field))
        , criterion(criterion)
        , equalTo(std::move(equalTo))
        , from(std::move(from))
        , to(std::move(to)) {}

    QString table;
    QString field; // the field the criterion tests
    Criterion criterion = Criterion::Tutti;
    QString equalTo;
    QString from;
    QString to;

    static RecordSelection of(const CollegamentoDatabase& binding);
    // Writes the bounds back as the criterion read them (see SelectionFilter).
    void storeBounds(CollegamentoDatabase& binding) const;
};

// A forward walk over the selected records, one at a time: nothing but the current record is
// held, however many there are.
class RecordCursor {
public:
    virtual ~RecordCursor() = default;

    virtual const std::vector<FieldInfo>& fields() const = 0;
    // Moves to the next record; false after the last. Throws DatabaseError when the source
    // fails on the way (a connection that drops, a file that changes or is cut short): an end
    // is never a failure in disguise.
    virtual bool next() = 0;
    // The current record, after a next() that gave true.
    virtual const Row& row() const = 0;
    // How many records the walk gives, when the source knows it without reading them.
    virtual std::optional<long> size() const { return std::nullopt; }

    // The field's position, letter case ignored; -1 when there is none.
    int fieldIndex(const QString& name) const;
};

// Where a label's records come from: an Access file, a delimited text file, an SQLite file or a
// database server. Every call may throw DatabaseError.
class RecordSource {
public:
    virtual ~RecordSource() = default;

    // The tables (and delimited files) that can feed labels, in the source's order.
    virtual QStringList tableNames() const = 0;
    // The views and stored queries that can feed labels.
    virtual QStringList queryNames() const = 0;
    // A table's or query's fields with their kinds, in field order.
    virtual std::vector<FieldInfo> fields(const QString& table) const = 0;
    // There is a table or query of this name, blanks and letter case ignored.
    virtual bool contains(const QString& table) const;

    // The records the selection selects, in the source's order. The bounds are rewritten as
    // the criterion reads them.
    virtual std::unique_ptr<RecordCursor> open(RecordSelection& selection) const = 0;
    // How many records open() would give.
    virtual long count(RecordSelection& selection) const;
    // open() with the count of what it gives, each found the cheapest way the source has.
    virtual std::unique_ptr<RecordCursor> openCounted(RecordSelection& selection,
                                                      long& count) const;
};

// A walk over rows already in memory (what a stored query computes).
class RowsCursor : public RecordCursor {
public:
    explicit RowsCursor(RowSource rows)
        : m_rows(std::move(rows)) {}
    const std::vector<FieldInfo>& fields() const override { return m_rows.fields; }
    bool next() override { return ++m_position < m_rows.rows.size(); }
    const Row& row() const override { return m_rows.rows.at(m_position); }
    std::optional<long> size() const override { return long(m_rows.rows.size()); }

private:
    RowSource m_rows;
    std::size_t m_position = std::size_t(-1);
};
