// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/clsdatabase.h"

#include "common/cursor.h"
#include "common/files.h"
#include "common/messageservice.h"
#include "common/numbers.h"
#include "common/regionalsettings.h"
#include "database/accessfile.h"
#include "database/accessvalues.h"
#include "database/databaseerror.h"
#include "database/storedquery.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr qint32 SystemObject = qint32(0x80000002);
constexpr qint32 HiddenObject = 1;
constexpr int MaximumQueryNesting = 16;

QString normalised(const QString& name) {
    return name.trimmed().toUpper();
}

[[noreturn]] void notConnected() {
    throw DatabaseError(DatabaseError::CannotOpen, QStringLiteral("Nessun database connesso."));
}

QString quoted(QString text, QChar quote) {
    // A quote inside a value is doubled, so that the value stays one value.
    text.replace(quote, QString(2, quote));
    return quote + text + quote;
}

// The number a user typed in a criterion, whatever the locale: its one separator, comma or
// full stop, is the decimal mark ("1995,5" and "1995.5" are the same number); what follows
// the number is ignored, as Val ignores it ("12abc" is 12).
double criterionNumber(const QString& typed) {
    static const QRegularExpression leading(QStringLiteral(R"(^\s*[-+]?\s*[0-9.,]*[0-9][0-9.,]*)"));
    const auto match = leading.match(typed);
    if (match.hasMatch()) {
        QString number = match.captured(0);
        number.remove(u' ').remove(u'\t');
        if (const auto value = numbers::parseAnySeparator(number))
            return *value;
    }
    return numbers::leadingNumber(typed);
}

QString numberText(const QString& typed) {
    return numbers::formatPlain(criterionNumber(typed), RegionalSettings::decimalSeparator());
}

// The value a criterion compares the field with, in the field's class.
QVariant criterionValue(fieldtype::Class fieldClass, const QString& text) {
    switch (fieldClass) {
    case fieldtype::Class::Number:
        return criterionNumber(text);
    case fieldtype::Class::Date: {
        const auto date = jet::parseDate(text);
        if (!date)
            throw DatabaseError(DatabaseError::SyntaxError,
                                QStringLiteral("Errore di sintassi nella data dell'espressione "
                                               "della query: #%1#.")
                                    .arg(text));
        return *date;
    }
    default:
        return text;
    }
}

QVariant fieldValueFor(fieldtype::Class fieldClass, const QVariant& value) {
    if (fieldClass == fieldtype::Class::Text && value.typeId() != QMetaType::QString)
        return value.toString();
    return value;
}

} // namespace

clsDatabase::clsDatabase() = default;
clsDatabase::~clsDatabase() = default;

bool clsDatabase::ConnettiDatabase() {
    MessageService& messages = MessageService::current();
    const QString title = QStringLiteral("objDatabase");
    m_file.reset();
    m_queryRows.reset();
    if (!FileEsiste(m_nomeDatabase)) {
        CursoreNormale();
        messages.warn(
            QStringLiteral("Impossibile connettersi al database ") + m_nomeDatabase + u'.', title);
        return false;
    }
    if (m_nomeDatabase.isEmpty())
        return false;
    try {
        m_file = AccessFile::open(m_nomeDatabase, m_passwordDb);
        return true;
    } catch (const DatabaseError& error) {
        QString text;
        switch (error.number) {
        case DatabaseError::InvalidPath:
            text = QStringLiteral("Il percorso ") + m_nomeDatabase +
                   QStringLiteral(" è errato oppure inaccessibile.");
            break;
        case DatabaseError::Locked:
            text = QStringLiteral("Archivio attualmente bloccato da un'altro utente/istanza.");
            break;
        case DatabaseError::UnrecognizedFormat:
            // Damaged, encrypted, cut short: the number alone does not say which.
            text = QStringLiteral("Errore non gestito. Codice:") + QString::number(error.number) +
                   u'\r' + error.description;
            break;
        default:
            text = QStringLiteral("Errore non gestito. Codice:") + QString::number(error.number);
            break;
        }
        messages.warn(text, title);
        return false;
    }
}

bool clsDatabase::DisconnettiDatabase() {
    m_file.reset();
    m_queryRows.reset();
    return false;
}

const AccessFile& clsDatabase::file() const {
    if (!m_file)
        notConnected();
    return *m_file;
}

QStringList clsDatabase::tableNames() const {
    QStringList names;
    for (const auto& table : file().tables()) {
        if (table.Attributes != HiddenObject && table.Attributes != SystemObject)
            names << table.name;
    }
    return names;
}

QStringList clsDatabase::queryNames() const {
    QStringList names;
    for (const auto& query : file().queries())
        names << query.name;
    return names;
}

QStringList clsDatabase::runnableQueryNames() const {
    QStringList names;
    for (const auto& query : file().queries()) {
        if (!storedquery::whyNotRunnable(definitionOf(query)))
            names << query.name;
    }
    return names;
}

storedquery::Definition clsDatabase::definitionOf(const AccessFile::CatalogObject& query) const {
    if (!m_queryRows)
        m_queryRows = file().readTable(QStringLiteral("MSysQueries"));
    auto definition = storedquery::fromSystemTable(*m_queryRows, query.id);
    // The catalog says what kind of query it is (update, append, ...) in its type bits.
    if (const int kind = storedquery::kindFromCatalogFlags(query.flags))
        definition.kind = kind;
    return definition;
}

QStringList clsDatabase::fieldNames(const QString& tableOrQuery) const {
    QStringList names;
    const bool isTable =
        std::any_of(file().tables().begin(), file().tables().end(), [&](const auto& t) {
            return t.name.compare(tableOrQuery, Qt::CaseInsensitive) == 0;
        });
    const std::vector<FieldInfo> fields =
        isTable ? file().tableFields(tableOrQuery) : readSource(tableOrQuery).fields;
    for (const FieldInfo& field : fields)
        names << field.name;
    return names;
}

bool clsDatabase::IsQuery(const QString& NomeQuery) const {
    for (const auto& query : file().queries()) {
        if (query.name == NomeQuery)
            return true;
    }
    return false;
}

bool clsDatabase::EsisteTabella(const QString& NomeTabella) const {
    for (const auto& table : file().tables()) {
        if (normalised(table.name) == normalised(NomeTabella))
            return true;
    }
    return false;
}

bool clsDatabase::EsisteQuery(const QString& NomeQuery) const {
    for (const auto& query : file().queries()) {
        if (normalised(query.name) == normalised(NomeQuery))
            return true;
    }
    return false;
}

RowSource clsDatabase::readSource(const QString& name) const {
    return readSource(name, 0);
}

RowSource clsDatabase::readSource(const QString& name, int depth) const {
    const AccessFile& database = file();
    for (const auto& table : database.tables()) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return database.readTable(table.name);
    }
    for (const auto& query : database.queries()) {
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

qint16 clsDatabase::GetTipoCampo(const QString& NomeTabella, const QString& NomeCampo) const {
    const Recordset records(readSource(NomeTabella));
    switch (fieldtype::classOf(records.field(NomeCampo).type)) {
    case fieldtype::Class::Text:
        return 1;
    case fieldtype::Class::Date:
        return 2;
    default:
        return 0;
    }
}

QVariant clsDatabase::GetValoreCampo(const Recordset& T, const QString& NomeCampo) const {
    const FieldInfo& field = T.field(NomeCampo);
    switch (fieldtype::classOf(field.type)) {
    case fieldtype::Class::Number:
        return ValoreCampo(T.value(NomeCampo), field.type, QVariant(qint16(0)));
    case fieldtype::Class::Text:
    case fieldtype::Class::Date:
        return ValoreCampo(T.value(NomeCampo), field.type, QString());
    default:
        return {};
    }
}

void clsDatabase::ConnettiRecordset(std::unique_ptr<Recordset>& T, const QString& NomeTabella,
                                    const QString& NomeCampoSelezione, qint16 TipoCriterio,
                                    QString& ValoreUgualeA, QString& ValoreDa, QString& ValoreA) {
    // A table streams from the file and only the rows the criterion selects are kept; a
    // query is run first and its rows selected after.
    const AccessFile::CatalogObject* table = nullptr;
    for (const auto& candidate : file().tables()) {
        if (candidate.name.compare(NomeTabella, Qt::CaseInsensitive) == 0)
            table = &candidate;
    }
    std::optional<RowSource> queryRows;
    const std::vector<FieldInfo> fields =
        table ? file().tableFields(table->name) : queryRows.emplace(readSource(NomeTabella)).fields;

    const bool filtered =
        TipoCriterio == qint16(Criterion::UgualeA) || TipoCriterio == qint16(Criterion::Compreso);
    fieldtype::Class fieldClass = fieldtype::Class::Other;
    int fieldIndex = -1;
    if (filtered) {
        for (std::size_t i = 0; i < fields.size() && fieldIndex < 0; ++i) {
            if (fields[i].name.compare(NomeCampoSelezione, Qt::CaseInsensitive) == 0)
                fieldIndex = int(i);
        }
        if (fieldIndex < 0)
            throw DatabaseError(DatabaseError::ItemNotFound,
                                QStringLiteral("Elemento non trovato in questo insieme: %1.")
                                    .arg(NomeCampoSelezione));
        fieldClass = fieldtype::classOf(fields[std::size_t(fieldIndex)].type);
        if (fieldClass == fieldtype::Class::Number) {
            ValoreUgualeA = numberText(ValoreUgualeA);
            ValoreDa = numberText(ValoreDa);
            ValoreA = numberText(ValoreA);
            if (criterionNumber(ValoreA) == 0)
                ValoreA = numbers::formatPlain(HighestNumber, RegionalSettings::decimalSeparator());
        } else if (fieldClass == fieldtype::Class::Text) {
            if (ValoreDa.isEmpty())
                ValoreDa = LowestText;
            if (ValoreA.isEmpty())
                ValoreA = HighestText;
        }
    }
    m_lastQuery =
        selectionQueryText(NomeTabella, NomeCampoSelezione, filtered ? TipoCriterio : qint16(0),
                           fieldClass, ValoreUgualeA, ValoreDa, ValoreA);

    // The criterion compares values, never text spliced into a query: whatever was typed, it
    // stays one value.
    std::function<bool(const Row&)> keep;
    if (filtered && fieldClass != fieldtype::Class::Other) {
        const std::size_t index = std::size_t(fieldIndex);
        if (TipoCriterio == qint16(Criterion::UgualeA)) {
            const QVariant wanted = criterionValue(fieldClass, ValoreUgualeA);
            keep = [=](const Row& row) {
                const QVariant value = fieldValueFor(fieldClass, row[index]);
                return !value.isNull() && jet::compare(value, wanted) == 0;
            };
        } else {
            const QVariant low = criterionValue(fieldClass, ValoreDa);
            const QVariant high = criterionValue(fieldClass, ValoreA);
            keep = [=](const Row& row) {
                const QVariant value = fieldValueFor(fieldClass, row[index]);
                return !value.isNull() && jet::compare(value, low) >= 0 &&
                       jet::compare(value, high) <= 0;
            };
        }
    }
    RowSource source;
    if (table) {
        source = file().readTable(table->name, keep);
    } else {
        source = std::move(*queryRows);
        if (keep)
            source.rows.erase(std::remove_if(source.rows.begin(), source.rows.end(),
                                             [&](const Row& row) { return !keep(row); }),
                              source.rows.end());
    }
    T = std::make_unique<Recordset>(std::move(source));
}

QVariant ValoreCampo(const QVariant& value, int type, const QVariant& defaultValue,
                     const QVariant& override) {
    if (override.isValid() && !override.isNull() && !override.toString().trimmed().isEmpty())
        return override;
    if (value.isNull() || !value.isValid())
        return defaultValue;
    if (type == 14)
        return value.toString().trimmed();
    return value;
}

QString selectionQueryText(const QString& table, const QString& field, qint16 criterion,
                           fieldtype::Class fieldClass, const QString& equalTo, const QString& from,
                           const QString& to) {
    QString where;
    const QString column = QStringLiteral("WHERE [") + field + QStringLiteral("] ");
    if (criterion == qint16(Criterion::UgualeA) || criterion == qint16(Criterion::Compreso)) {
        switch (fieldClass) {
        case fieldtype::Class::Number:
            where = criterion == qint16(Criterion::UgualeA)
                        ? column + QStringLiteral("= ") + equalTo
                        : column + QStringLiteral("Between ") + from + QStringLiteral(" AND ") + to;
            break;
        case fieldtype::Class::Text:
            where = criterion == qint16(Criterion::UgualeA)
                        ? column + QStringLiteral("= ") + quoted(equalTo, u'\'')
                        : column + QStringLiteral("Between ") + quoted(from, u'\'') +
                              QStringLiteral(" AND ") + quoted(to, u'\'');
            break;
        case fieldtype::Class::Date:
            where = criterion == qint16(Criterion::UgualeA)
                        ? column + QStringLiteral("= #") + equalTo + u'#'
                        : column + QStringLiteral("Between #") + from + QStringLiteral("# AND #") +
                              to + u'#';
            break;
        case fieldtype::Class::Other:
            break;
        }
    }
    return QStringLiteral("SELECT * From [") + table + QStringLiteral("] ") + where + u';';
}
