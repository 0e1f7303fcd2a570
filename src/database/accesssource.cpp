// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/accesssource.h"

#include "database/databaseerror.h"
#include "database/selectionfilter.h"

#include <algorithm>

namespace {

constexpr qint32 SystemObject = qint32(0x80000002);
constexpr qint32 HiddenObject = 1;
constexpr int MaximumQueryNesting = 16;

bool sameName(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// A table's rows as the reader sends them, those the criterion keeps. The reader starts with
// the first record asked for: while the print dialogs are open, nothing is read (and nothing
// piles up in memory).
class TableCursor : public RecordCursor {
public:
    TableCursor(const AccessFile& file, QString table, std::vector<FieldInfo> fields,
                SelectionFilter filter)
        : m_file(file)
        , m_table(std::move(table))
        , m_fields(std::move(fields))
        , m_filter(std::move(filter)) {}
    const std::vector<FieldInfo>& fields() const override { return m_fields; }
    bool next() override {
        if (!m_reader) {
            m_reader = m_file.openTable(m_table);
            const auto& sent = m_reader->fields();
            if (sent.size() != m_fields.size() ||
                !std::equal(
                    sent.begin(), sent.end(), m_fields.begin(),
                    [](const FieldInfo& a, const FieldInfo& b) { return a.name == b.name; }))
                throw DatabaseError(
                    DatabaseError::UnrecognizedFormat,
                    QStringLiteral("La tabella %1 è cambiata durante la lettura.").arg(m_table));
        }
        while (m_reader->next(m_row)) {
            if (m_filter.keeps(m_row))
                return true;
        }
        return false;
    }
    const Row& row() const override { return m_row; }

private:
    const AccessFile& m_file;
    QString m_table;
    std::vector<FieldInfo> m_fields;
    SelectionFilter m_filter;
    std::unique_ptr<AccessFile::TableReader> m_reader;
    Row m_row;
};

} // namespace

AccessSource::AccessSource(const QString& path, const QString& password)
    : m_file(AccessFile::open(path, password)) {}

QStringList AccessSource::tableNames() const {
    QStringList names;
    for (const auto& table : m_file->tables()) {
        if (table.Attributes != HiddenObject && table.Attributes != SystemObject)
            names << table.name;
    }
    return names;
}

QStringList AccessSource::allQueryNames() const {
    QStringList names;
    for (const auto& query : m_file->queries())
        names << query.name;
    return names;
}

QStringList AccessSource::queryNames() const {
    QStringList names;
    for (const auto& query : m_file->queries()) {
        if (!storedquery::whyNotRunnable(definitionOf(query)))
            names << query.name;
    }
    return names;
}

storedquery::Definition AccessSource::definitionOf(const AccessFile::CatalogObject& query) const {
    if (!m_queryRows)
        m_queryRows = m_file->readTable(QStringLiteral("MSysQueries"));
    auto definition = storedquery::fromSystemTable(*m_queryRows, query.id);
    // The catalog says what kind of query it is (update, append, ...) in its type bits.
    if (const int kind = storedquery::kindFromCatalogFlags(query.flags))
        definition.kind = kind;
    return definition;
}

const AccessFile::CatalogObject* AccessSource::table(const QString& name) const {
    for (const auto& candidate : m_file->tables()) {
        if (candidate.name.compare(name, Qt::CaseInsensitive) == 0)
            return &candidate;
    }
    return nullptr;
}

std::vector<FieldInfo> AccessSource::fields(const QString& name) const {
    if (const auto* found = table(name))
        return m_file->tableFields(found->name);
    return readSource(name).fields;
}

bool AccessSource::contains(const QString& name) const {
    const auto& tables = m_file->tables();
    const auto& queries = m_file->queries();
    const auto matches = [&](const auto& object) { return sameName(object.name, name); };
    return std::any_of(tables.begin(), tables.end(), matches) ||
           std::any_of(queries.begin(), queries.end(), matches);
}

RowSource AccessSource::readSource(const QString& name) const {
    return readSource(name, 0);
}

RowSource AccessSource::readSource(const QString& name, int depth) const {
    if (const auto* found = table(name))
        return m_file->readTable(found->name);
    for (const auto& query : m_file->queries()) {
        if (query.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (depth > MaximumQueryNesting)
            throw DatabaseError(DatabaseError::UnsupportedQuery,
                                QStringLiteral("La query \"%1\" richiama se stessa.").arg(name));
        const auto definition = definitionOf(query);
        return storedquery::run(definition, query.name,
                                [&](const QString& input) { return readSource(input, depth + 1); });
    }
    throw DatabaseError(
        DatabaseError::NoSuchTable,
        QStringLiteral("Impossibile trovare la tabella o la query di input '%1'.").arg(name));
}

std::unique_ptr<RecordCursor> AccessSource::open(RecordSelection& selection) const {
    if (const auto* found = table(selection.table)) {
        std::vector<FieldInfo> fields = m_file->tableFields(found->name);
        SelectionFilter filter(fields, selection);
        return std::make_unique<TableCursor>(*m_file, found->name, std::move(fields),
                                             std::move(filter));
    }
    // A query is computed whole (its joins and sorts need every row), then selected.
    RowSource rows = readSource(selection.table);
    const SelectionFilter filter(rows.fields, selection);
    if (filter.active())
        rows.rows.erase(std::remove_if(rows.rows.begin(), rows.rows.end(),
                                       [&](const Row& row) { return !filter.keeps(row); }),
                        rows.rows.end());
    return std::make_unique<RowsCursor>(std::move(rows));
}

std::unique_ptr<RecordCursor> AccessSource::openCounted(RecordSelection& selection,
                                                        long& count) const {
    if (table(selection.table))
        return RecordSource::openCounted(selection, count);
    auto rows = open(selection); // a query's rows are computed anyway: counted as they are
    count = rows->size().value_or(0);
    return rows;
}
