// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/sqlsource.h"

#include "common/watchdog.h"
#include "database/databaseerror.h"
#include "database/querycancel.h"
#include "database/selectionfilter.h"
#include "database/sqlcatalogue.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

#include <optional>

namespace {

// ODBC's type of a yes/no column.
constexpr int OdbcBit = -7;

FieldInfo fieldInfo(const QSqlField& field, const QString& table, const QSqlDatabase& db) {
    FieldInfo info;
    info.name = field.name();
    info.table = table;
    if (db.driverName() == u"QODBC" && field.typeID() == OdbcBit) {
        // Qt's ODBC driver hands yes/no columns over as numbers.
        info.type = fieldtype::Boolean;
        return info;
    }
    const bool mysql = db.driver()->dbmsType() == QSqlDriver::MySqlServer;
    switch (field.metaType().id()) {
    case QMetaType::Bool:
        info.type = fieldtype::Boolean;
        break;
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        // MySQL's yes/no is TINYINT(1).
        info.type = mysql && field.length() == 1 ? fieldtype::Boolean : fieldtype::Long;
        break;
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
        info.type = fieldtype::Long;
        break;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        info.type = fieldtype::BigInt;
        break;
    case QMetaType::Float:
    case QMetaType::Double:
        info.type = fieldtype::Double;
        break;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
    case QMetaType::QTime:
        info.type = fieldtype::Date;
        break;
    case QMetaType::QByteArray:
        info.type = fieldtype::Binary;
        info.unprintable = QStringLiteral("dati binari");
        break;
    default:
        info.type = fieldtype::Text;
        break;
    }
    return info;
}

// The kind of an SQLite column by the affinity of its declared type. Dates are texts there.
int sqliteType(const QString& declared) {
    const QString type = declared.toUpper();
    if (type.contains(u"INT"))
        return fieldtype::BigInt;
    if (type.contains(u"CHAR") || type.contains(u"CLOB") || type.contains(u"TEXT") ||
        type.contains(u"DATE") || type.contains(u"TIME") || type.isEmpty())
        return fieldtype::Text;
    if (type.contains(u"BOOL"))
        return fieldtype::Boolean;
    return fieldtype::Double; // REAL, FLOAT, DOUBLE, NUMERIC, DECIMAL
}

// A value as the rest of the program takes it: Null as a null QVariant, dates as date and time,
// yes/no as true or false whatever the server keeps (SQLite and MySQL keep numbers).
QVariant rowValue(const QVariant& value, const FieldInfo& field) {
    if (value.isNull())
        return {};
    if (field.type == fieldtype::Boolean && value.typeId() != QMetaType::QString)
        return value.toBool(); // numbers: 0 is no, anything else yes
    switch (value.typeId()) {
    case QMetaType::QDate:
        return QDateTime(value.toDate(), QTime(0, 0));
    case QMetaType::QTime:
        return QDateTime(QDate(1899, 12, 30), value.toTime());
    default:
        return value;
    }
}

// Runs `step` as one wait on the server, which the watchdog cancels after its time or on a
// signal: a query that never ends, or a server that stops answering, stops the job.
template <typename Step>
bool waited(const QueryCanceller& cancel, const QString& address, Step&& step) {
    const watchdog::Wait wait(cancel.cancel, cancel.mayBlock,
                              QStringLiteral("Il database %1").arg(address));
    const bool done = step();
    if (wait.timedOut())
        throw DatabaseError(DatabaseError::CannotOpen, wait.timeoutMessage());
    return done;
}

[[noreturn]] void failed(const QString& address, const QSqlError& error) {
    throw DatabaseError(DatabaseError::CannotOpen,
                        QStringLiteral("Il database %1 non risponde come dovrebbe: %2")
                            .arg(address, error.text().trimmed()));
}

// The selected records as the server sends them, one at a time.
class QueryCursor : public RecordCursor {
public:
    QueryCursor(QSqlQuery query, std::vector<FieldInfo> fields, QString address,
                QueryCanceller cancel)
        : m_query(std::move(query))
        , m_fields(std::move(fields))
        , m_address(std::move(address))
        , m_cancel(std::move(cancel)) {}
    // A transaction of its own ends with the records: only read, nothing to keep.
    ~QueryCursor() override {
        if (m_transaction.isValid()) {
            m_query.finish();
            m_transaction.rollback();
        }
    }
    void endTransactionWhenDone(const QSqlDatabase& db) { m_transaction = db; }
    const std::vector<FieldInfo>& fields() const override { return m_fields; }
    void filterBy(std::optional<SelectionFilter> filter) { m_filter = std::move(filter); }
    bool next() override {
        do {
            if (!waited(m_cancel, m_address, [this] { return m_query.next(); })) {
                // A connection that drops ends the rows too: only the driver's error tells.
                if (m_query.lastError().isValid())
                    failed(m_address, m_query.lastError());
                return false;
            }
            m_row.resize(m_fields.size());
            for (std::size_t i = 0; i < m_fields.size(); ++i)
                m_row[i] = rowValue(m_query.value(int(i)), m_fields[i]);
        } while (m_filter && !m_filter->keeps(m_row));
        return true;
    }
    const Row& row() const override { return m_row; }

private:
    QSqlQuery m_query;
    std::vector<FieldInfo> m_fields;
    QString m_address;
    QueryCanceller m_cancel;
    Row m_row;
    QSqlDatabase m_transaction;
    std::optional<SelectionFilter> m_filter;
};

} // namespace

struct SqlSource::Statement {
    QString text;
    QVariantList values;
    std::vector<FieldInfo> fields;
    std::optional<SelectionFilter> filter; // a criterion applied here, not by the server
};

SqlSource::SqlSource(const SourceAddress& address, const QString& password)
    : m_connection(QStringLiteral("marvello-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    , m_address(address.toString()) {
    if (!QSqlDatabase::isDriverAvailable(address.driver()))
        throw DatabaseError(DatabaseError::CannotOpen,
                            QStringLiteral("Il driver %1 per il database %2 non è installato.")
                                .arg(address.driver(), m_address));
    QSqlDatabase db = QSqlDatabase::addDatabase(address.driver(), m_connection);
    if (address.kind == SourceAddress::Kind::Sqlite) {
        // Opening a name that is not there would make a new, empty database.
        if (!QFileInfo(address.path).isFile())
            throw DatabaseError(
                DatabaseError::CannotOpen,
                QStringLiteral("Impossibile aprire il file '%1'.").arg(address.path));
        db.setDatabaseName(address.path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    } else {
        db.setDatabaseName(address.database);
        db.setHostName(address.host);
        if (address.port > 0)
            db.setPort(address.port);
        db.setUserName(address.user);
        db.setPassword(password.isEmpty() ? address.password : password);
        // A server that stops answering (a cable pulled, a machine stopped) is noticed by
        // the connection itself too, after the time a job may wait.
        const auto wait = watchdog::timeout().count();
        if (address.kind == SourceAddress::Kind::PostgreSql)
            db.setConnectOptions(QStringLiteral("connect_timeout=%1;application_name=marvello;"
                                                "keepalives=1;keepalives_idle=10;"
                                                "keepalives_interval=5;keepalives_count=3;"
                                                "tcp_user_timeout=%2")
                                     .arg(ConnectSeconds)
                                     .arg(wait * 1000));
        else if (address.kind == SourceAddress::Kind::MySql)
            db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1;"
                                                "MYSQL_OPT_READ_TIMEOUT=%2;"
                                                "MYSQL_OPT_WRITE_TIMEOUT=%2")
                                     .arg(ConnectSeconds)
                                     .arg(wait));
        else if (address.kind == SourceAddress::Kind::Odbc)
            db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;"
                                                "SQL_ATTR_CONNECTION_TIMEOUT=%2")
                                     .arg(ConnectSeconds)
                                     .arg(wait));
    }
    bool opened = db.open();
    QSqlError error = db.lastError();
    if (opened && address.kind == SourceAddress::Kind::Sqlite) {
        // SQLite reads a file only when asked something: a file of another kind shows here.
        QSqlQuery probe(db);
        opened = probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        error = probe.lastError();
    }
    if (!opened) {
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        throw DatabaseError(DatabaseError::CannotOpen,
                            QStringLiteral("Impossibile connettersi al database %1: %2")
                                .arg(m_address, error.text().trimmed()));
    }
    m_cancel = queryCanceller(db);
}

SqlSource::~SqlSource() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QStringList SqlSource::tableNames() const {
    QStringList names = QSqlDatabase::database(m_connection, false).tables(QSql::Tables);
    names.sort(Qt::CaseInsensitive);
    return names;
}

QStringList SqlSource::queryNames() const {
    QStringList names = QSqlDatabase::database(m_connection, false).tables(QSql::Views);
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString SqlSource::actualName(const QString& table) const {
    for (const QStringList& names : {tableNames(), queryNames()}) {
        for (const QString& name : names) {
            if (name.trimmed().compare(table.trimmed(), Qt::CaseInsensitive) == 0)
                return name;
        }
    }
    throw DatabaseError(
        DatabaseError::NoSuchTable,
        QStringLiteral("Impossibile trovare la tabella o la query di input '%1'.").arg(table));
}

std::vector<FieldInfo> SqlSource::fields(const QString& table) const {
    const QString name = actualName(table);
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QString error;
    const QSqlRecord record = sqlcatalogue::columns(db, name, &error);
    if (!error.isEmpty())
        throw DatabaseError(
            DatabaseError::CannotOpen,
            QStringLiteral("Il database %1 non risponde come dovrebbe: %2").arg(m_address, error));
    std::vector<FieldInfo> fields;
    for (int i = 0; i < record.count(); ++i)
        fields.push_back(fieldInfo(record.field(i), name, db));
    if (db.driver()->dbmsType() == QSqlDriver::SQLite) {
        // SQLite's driver knows few type names (BIGINT, DECIMAL(8,2) come as texts) and drops
        // the quotes inside names: the declared columns decide, types by SQLite's own rules of
        // affinity.
        const auto declared = sqlcatalogue::declaredColumns(db, name);
        for (std::size_t i = 0; i < fields.size() && i < declared.size(); ++i) {
            fields[i].name = declared[i].name;
            if (fields[i].type != fieldtype::Binary)
                fields[i].type = sqliteType(declared[i].type);
        }
    }
    return fields;
}

SqlSource::Statement SqlSource::statement(RecordSelection& selection, bool counting) const {
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const QSqlDriver* driver = db.driver();
    const QString table = actualName(selection.table);
    Statement statement;
    statement.fields = fields(table);
    QStringList columns;
    for (const FieldInfo& field : statement.fields)
        columns << sqlcatalogue::quoted(db, field.name);
    statement.text = (counting ? QStringLiteral("SELECT COUNT(*) FROM ")
                               : QStringLiteral("SELECT %1 FROM ").arg(columns.join(u", "))) +
                     sqlcatalogue::quotedTable(db, table);

    // The values are bound, never written into the text: whatever was typed stays a value.
    const SelectionFilter filter(statement.fields, selection);
    if (filter.active()) {
        QString column = columns[filter.fieldIndex()];
        QString value = QStringLiteral("?");
        const bool postgres = driver->dbmsType() == QSqlDriver::PostgreSQL;
        // Dates go as text without a zone (a time zone must not move them to another day);
        // PostgreSQL takes a value's type from the column, so the kind is said outright: a
        // bound of 12,5 or 999999999999 is no integer, and is no error either.
        const auto bound = [](const QVariant& v) {
            return v.typeId() == QMetaType::QDateTime
                       ? QVariant(v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                       : v;
        };
        switch (filter.fieldClass()) {
        case fieldtype::Class::Text:
            if (driver->dbmsType() == QSqlDriver::SQLite ||
                filter.criterion() == Criterion::Compreso || filter.comparesNumbers()) {
                // SQLite lowers ASCII letters only, servers order texts by collations of their
                // own (PostgreSQL's C puts Zürich after every Z), and numbers written as text
                // compare as numbers: texts are compared here, as Access does, in the one
                // order every source shares.
                statement.filter = filter;
                break;
            }
            column = postgres ? QStringLiteral("LOWER(CAST(%1 AS TEXT))").arg(column)
                              : QStringLiteral("LOWER(%1)").arg(column);
            value = QStringLiteral("LOWER(?)");
            break;
        case fieldtype::Class::Number:
            if (postgres)
                value = QStringLiteral("CAST(? AS DOUBLE PRECISION)");
            // True is -1, as Access counts it. Only PostgreSQL has a true boolean; elsewhere
            // (SQL Server's bit included) a yes/no is a number.
            if (statement.fields[std::size_t(filter.fieldIndex())].type == fieldtype::Boolean)
                column = (postgres ? QStringLiteral("(CASE WHEN %1 THEN -1 ELSE 0 END)")
                                   : QStringLiteral("(CASE WHEN %1 <> 0 THEN -1 ELSE 0 END)"))
                             .arg(column);
            break;
        default:
            if (postgres)
                value = QStringLiteral("CAST(? AS TIMESTAMP)");
            break;
        }
        if (statement.filter) {
            // no condition for the server
        } else if (filter.criterion() == Criterion::UgualeA) {
            statement.text += QStringLiteral(" WHERE %1 = %2").arg(column, value);
            statement.values << bound(filter.equalTo());
        } else if (filter.openAbove() && filter.openBelow()) {
            statement.text += QStringLiteral(" WHERE %1 IS NOT NULL").arg(column);
        } else if (filter.openAbove()) {
            statement.text += QStringLiteral(" WHERE %1 >= %2").arg(column, value);
            statement.values << bound(filter.low());
        } else if (filter.openBelow()) {
            statement.text += QStringLiteral(" WHERE %1 <= %2").arg(column, value);
            statement.values << bound(filter.high());
        } else {
            statement.text += QStringLiteral(" WHERE %1 BETWEEN %2 AND %2").arg(column, value);
            statement.values << bound(filter.low()) << bound(filter.high());
        }
    }
    if (!counting) {
        QStringList order;
        for (const QString& key : sqlcatalogue::keyColumns(db, table))
            order << sqlcatalogue::quoted(db, key);
        if (!order.isEmpty())
            statement.text += QStringLiteral(" ORDER BY ") + order.join(u", ");
    }
    return statement;
}

std::unique_ptr<RecordCursor> SqlSource::open(RecordSelection& selection) const {
    Statement statement = this->statement(selection, false);
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true); // rows are fetched as they are taken, not all at once
    query.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!query.prepare(statement.text))
        failed(m_address, query.lastError());
    for (const QVariant& value : statement.values)
        query.addBindValue(value);
    if (!waited(m_cancel, m_address, [&] { return query.exec(); }))
        failed(m_address, query.lastError());
    auto cursor = std::make_unique<QueryCursor>(std::move(query), std::move(statement.fields),
                                                m_address, m_cancel);
    cursor->filterBy(std::move(statement.filter));
    return cursor;
}

long SqlSource::count(RecordSelection& selection) const {
    const Statement statement = this->statement(selection, true);
    if (statement.filter)
        return RecordSource::count(selection); // counted as the records are selected
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.prepare(statement.text))
        failed(m_address, query.lastError());
    for (const QVariant& value : statement.values)
        query.addBindValue(value);
    if (!waited(m_cancel, m_address, [&] { return query.exec() && query.next(); }))
        failed(m_address, query.lastError());
    return long(query.value(0).toLongLong());
}

std::unique_ptr<RecordCursor> SqlSource::openCounted(RecordSelection& selection,
                                                     long& count) const {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const QSqlDriver::DbmsType type = db.driver()->dbmsType();
    if (type != QSqlDriver::PostgreSQL && type != QSqlDriver::SQLite &&
        type != QSqlDriver::MySqlServer)
        return RecordSource::openCounted(selection, count);
    // SQLite: one read transaction sees one state of the file, whatever is written meanwhile;
    // MySQL and MariaDB read one snapshot in a transaction (their isolation is repeatable
    // read).
    if (!db.transaction())
        failed(m_address, db.lastError());
    QSqlQuery snapshot(db);
    if (type == QSqlDriver::PostgreSQL &&
        !snapshot.exec(
            QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY"))) {
        db.rollback();
        failed(m_address, snapshot.lastError());
    }
    try {
        if (type == QSqlDriver::PostgreSQL) {
            // Should the program be killed while the server counts, the server stops by
            // itself a little after the program would have. The records' query has no such
            // limit: it lasts as long as the labels take to print.
            QSqlQuery limit(db);
            limit.exec(QStringLiteral("SET LOCAL statement_timeout = %1")
                           .arg((qint64(watchdog::timeout().count()) + 10) * 1000));
        }
        count = this->count(selection);
        if (type == QSqlDriver::PostgreSQL)
            QSqlQuery(db).exec(QStringLiteral("SET LOCAL statement_timeout = 0"));
        auto records = open(selection);
        static_cast<QueryCursor&>(*records).endTransactionWhenDone(db);
        return records;
    } catch (const DatabaseError&) {
        db.rollback();
        throw;
    }
}
