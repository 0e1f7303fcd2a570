// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/csvsource.h"

#include "database/databaseerror.h"
#include "database/selectionfilter.h"

#include <QFileInfo>

#include <map>
#include <set>

namespace {

// A file with more columns than this is no table of a label's data.
constexpr qsizetype MostFields = 4096;

bool isBlank(const QStringList& record) {
    return record.size() == 1 && record.front().trimmed().isEmpty();
}

// A record of the file with the header's number of fields; fields beyond it must be empty (a
// trailing separator), fields missing are empty.
void fitRecord(QStringList& record, std::size_t width, const QString& path, long line) {
    while (std::size_t(record.size()) > width) {
        if (!record.back().trimmed().isEmpty())
            throw DatabaseError(DatabaseError::UnrecognizedFormat,
                                QStringLiteral("File %1, riga %2: %3 campi, l'intestazione ne "
                                               "nomina %4.")
                                    .arg(path)
                                    .arg(line)
                                    .arg(record.size())
                                    .arg(width));
        record.removeLast();
    }
    while (std::size_t(record.size()) < width)
        record << QString();
}

// The records of the file after its header, each fitted to the header.
class FileCursor : public RecordCursor {
public:
    FileCursor(const QString& path, const delimitedtext::Format& format,
               std::vector<FieldInfo> fields, std::optional<SelectionFilter> filter, long size)
        : m_path(path)
        , m_reader(path, format)
        , m_fields(std::move(fields))
        , m_filter(std::move(filter))
        , m_size(size) {
        QStringList header;
        m_reader.next(header);
    }
    const std::vector<FieldInfo>& fields() const override { return m_fields; }
    std::optional<long> size() const override {
        return m_filter ? std::nullopt : std::optional<long>(m_size);
    }
    bool next() override {
        QStringList record;
        while (m_reader.next(record)) {
            if (isBlank(record))
                continue;
            fitRecord(record, m_fields.size(), m_path, m_reader.line());
            m_row.assign(record.begin(), record.end());
            if (!m_filter || m_filter->keeps(typed()))
                return true;
        }
        return false;
    }
    const Row& row() const override { return m_row; }

private:
    // The record with the criterion's field as a number or date, as its column holds them.
    const Row& typed() {
        const auto index = std::size_t(m_filter->fieldIndex());
        const QString text = m_row[index].toString();
        m_typed = m_row;
        if (text.trimmed().isEmpty())
            m_typed[index] = QVariant();
        else if (m_filter->fieldClass() == fieldtype::Class::Number)
            m_typed[index] = delimitedtext::numberValue(text).value_or(0);
        else if (m_filter->fieldClass() == fieldtype::Class::Date)
            m_typed[index] = delimitedtext::dateValue(text).value_or(QDateTime());
        return m_typed;
    }

    QString m_path;
    delimitedtext::RecordReader m_reader;
    std::vector<FieldInfo> m_fields;
    std::optional<SelectionFilter> m_filter;
    long m_size;
    Row m_row, m_typed;
};

} // namespace

CsvSource::CsvSource(const QString& path, std::optional<QChar> separator)
    : m_path(path)
    , m_table(QFileInfo(path).completeBaseName()) {
    m_format = delimitedtext::detect(path, separator);
    survey();
}

void CsvSource::survey() const {
    // What is learnt is kept only once the whole file has been read: a reading that fails
    // leaves nothing half known, and the next job reads the file again.
    const QFileInfo info(m_path);
    const QDateTime modified = info.lastModified();
    const qint64 size = info.size();
    delimitedtext::RecordReader reader(m_path, m_format);
    QStringList header;
    if (!reader.next(header) || isBlank(header))
        throw DatabaseError(
            DatabaseError::UnrecognizedFormat,
            QStringLiteral("Il file %1 non ha la riga dei nomi dei campi.").arg(m_path));
    if (header.size() > MostFields)
        throw DatabaseError(DatabaseError::UnrecognizedFormat,
                            QStringLiteral("Il file %1 ha %2 campi: più di quanti un file di "
                                           "dati ne abbia (%3).")
                                .arg(m_path)
                                .arg(header.size())
                                .arg(MostFields));
    std::vector<FieldInfo> fields;
    std::set<QString> seen;
    std::map<QString, int> repeats;
    for (qsizetype i = 0; i < header.size(); ++i) {
        FieldInfo field;
        const QString name = header[i].trimmed();
        field.name = name.isEmpty() ? QStringLiteral("Campo%1").arg(i + 1) : name;
        // Two columns of one name could never be told apart.
        while (!seen.insert(field.name.toUpper()).second)
            field.name = QStringLiteral("%1_%2").arg(name).arg(++repeats[name.toUpper()] + 1);
        field.table = m_table;
        fields.push_back(field);
    }
    // A column is numbers (or dates) when every value written in it is one.
    std::vector<bool> numbers(fields.size(), true), dates(fields.size(), true),
        written(fields.size(), false);
    long records = 0;
    QStringList record;
    while (reader.next(record)) {
        if (isBlank(record))
            continue;
        fitRecord(record, fields.size(), m_path, reader.line());
        ++records;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const QString& value = record[qsizetype(i)];
            if (value.trimmed().isEmpty())
                continue;
            written[i] = true;
            if (numbers[i] && !delimitedtext::numberValue(value))
                numbers[i] = false;
            if (dates[i] && !delimitedtext::dateValue(value))
                dates[i] = false;
        }
    }
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i].type = !written[i]  ? fieldtype::Text
                         : numbers[i] ? fieldtype::Double
                         : dates[i]   ? fieldtype::Date
                                      : fieldtype::Text;
    m_fields = std::move(fields);
    m_records = records;
    m_surveyed = modified;
    m_size = size;
}

void CsvSource::checkTable(const QString& table) const {
    if (table.trimmed().compare(m_table, Qt::CaseInsensitive) != 0)
        throw DatabaseError(
            DatabaseError::NoSuchTable,
            QStringLiteral("Impossibile trovare la tabella o la query di input '%1'.").arg(table));
}

std::vector<FieldInfo> CsvSource::fields(const QString& table) const {
    checkTable(table);
    return m_fields;
}

std::unique_ptr<RecordCursor> CsvSource::open(RecordSelection& selection) const {
    checkTable(selection.table);
    const QFileInfo info(m_path);
    if (info.lastModified() != m_surveyed || info.size() != m_size)
        survey(); // changed since it was opened: read it anew
    std::optional<SelectionFilter> filter;
    if (SelectionFilter f(m_fields, selection); f.active())
        filter = std::move(f);
    return std::make_unique<FileCursor>(m_path, m_format, m_fields, std::move(filter), m_records);
}

long CsvSource::count(RecordSelection& selection) const {
    checkTable(selection.table);
    if (selection.criterion == Criterion::Tutti)
        return m_records;
    return RecordSource::count(selection);
}
