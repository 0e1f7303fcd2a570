// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/spreadsheetsource.h"

#include "database/databaseerror.h"
#include "database/selectionfilter.h"
#include "database/workbookfile.h"

#include <QFileInfo>

#include <map>
#include <set>

namespace {

// The name a header cell gives its column, whatever it holds.
QString headerName(const QVariant& value) {
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date().toString(Qt::ISODate);
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString().simplified();
}

int fieldTypeOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Double:
        return fieldtype::Double;
    case QMetaType::QDateTime:
        return fieldtype::Date;
    case QMetaType::Bool:
        return fieldtype::Boolean;
    default:
        return fieldtype::Text;
    }
}

// The rows after the header, each as wide as the table, empty ones left out.
class SheetCursor : public RecordCursor {
public:
    SheetCursor(std::unique_ptr<workbook::SheetRows> rows, std::vector<FieldInfo> fields,
                std::optional<SelectionFilter> filter, long size)
        : m_rows(std::move(rows))
        , m_fields(std::move(fields))
        , m_filter(std::move(filter))
        , m_size(size) {
        while (m_rows->next(m_row) && m_row.empty()) {
        } // the header
    }
    const std::vector<FieldInfo>& fields() const override { return m_fields; }
    std::optional<long> size() const override {
        return m_filter ? std::nullopt : std::optional<long>(m_size);
    }
    bool next() override {
        while (m_rows->next(m_row)) {
            if (m_row.empty())
                continue;
            m_row.resize(m_fields.size()); // the survey saw every column
            if (!m_filter || m_filter->keeps(m_row))
                return true;
        }
        return false;
    }
    const Row& row() const override { return m_row; }

private:
    std::unique_ptr<workbook::SheetRows> m_rows;
    std::vector<FieldInfo> m_fields;
    std::optional<SelectionFilter> m_filter;
    long m_size;
    Row m_row;
};

} // namespace

SpreadsheetSource::SpreadsheetSource(const QString& path)
    : m_path(path) {
    reopenIfChanged();
}

SpreadsheetSource::~SpreadsheetSource() = default;

void SpreadsheetSource::reopenIfChanged() const {
    const QFileInfo info(m_path);
    if (m_workbook && info.lastModified() == m_modified && info.size() == m_size)
        return;
    // What was learnt of the old file is forgotten only once the new one opens.
    auto opened = workbook::open(m_path);
    m_workbook = std::move(opened);
    m_surveys.clear();
    m_modified = info.lastModified();
    m_size = info.size();
}

QStringList SpreadsheetSource::tableNames() const {
    return m_workbook->sheetNames();
}

QString SpreadsheetSource::sheetNamed(const QString& table) const {
    for (const QString& sheet : m_workbook->sheetNames()) {
        if (sheet.trimmed().compare(table.trimmed(), Qt::CaseInsensitive) == 0)
            return sheet;
    }
    throw DatabaseError(
        DatabaseError::NoSuchTable,
        QStringLiteral("Impossibile trovare la tabella o la query di input '%1'.").arg(table));
}

const SpreadsheetSource::Survey& SpreadsheetSource::survey(const QString& sheet) const {
    if (const auto known = m_surveys.find(sheet); known != m_surveys.end())
        return known->second;
    const auto rows = m_workbook->rows(sheet);
    Row row;
    Row header;
    while (rows->next(header) && header.empty()) {
    }
    if (header.empty())
        throw DatabaseError(DatabaseError::UnrecognizedFormat,
                            QStringLiteral("Il foglio %1 del file %2 non ha la riga dei nomi dei "
                                           "campi.")
                                .arg(sheet, m_path));
    // A column is numbers, dates or yes/no when every value in it is one; text otherwise.
    std::vector<int> types;
    std::vector<bool> written;
    long records = 0;
    std::size_t width = header.size();
    while (rows->next(row)) {
        if (row.empty())
            continue;
        ++records;
        width = std::max(width, row.size());
        types.resize(width, fieldtype::Text);
        written.resize(width, false);
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (row[i].isNull())
                continue;
            const int type = fieldTypeOf(row[i]);
            if (!written[i])
                types[i] = type;
            else if (types[i] != type)
                types[i] = fieldtype::Text;
            written[i] = true;
        }
    }
    types.resize(width, fieldtype::Text);
    Survey survey;
    std::set<QString> seen;
    std::map<QString, int> repeats; // the next number for a name met again
    for (std::size_t i = 0; i < width; ++i) {
        FieldInfo field;
        const QString name = i < header.size() ? headerName(header[i]) : QString();
        const QString base = name.isEmpty() ? QStringLiteral("Campo%1").arg(i + 1) : name;
        field.name = base;
        // Two columns of one name could never be told apart.
        for (int& n = repeats[base.toUpper()]; !seen.insert(field.name.toUpper()).second;)
            field.name = QStringLiteral("%1_%2").arg(base).arg(n = std::max(n, 1) + 1);
        field.type = types[i];
        field.table = sheet;
        survey.fields.push_back(field);
    }
    survey.records = records;
    return m_surveys.emplace(sheet, std::move(survey)).first->second;
}

std::vector<FieldInfo> SpreadsheetSource::fields(const QString& table) const {
    reopenIfChanged();
    return survey(sheetNamed(table)).fields;
}

std::unique_ptr<RecordCursor> SpreadsheetSource::open(RecordSelection& selection) const {
    reopenIfChanged();
    const QString sheet = sheetNamed(selection.table);
    const Survey& known = survey(sheet);
    std::optional<SelectionFilter> filter;
    if (SelectionFilter f(known.fields, selection); f.active())
        filter = std::move(f);
    return std::make_unique<SheetCursor>(m_workbook->rows(sheet), known.fields, std::move(filter),
                                         known.records);
}

long SpreadsheetSource::count(RecordSelection& selection) const {
    if (selection.criterion != Criterion::Tutti)
        return RecordSource::count(selection);
    reopenIfChanged();
    return survey(sheetNamed(selection.table)).records;
}
