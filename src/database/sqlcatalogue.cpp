// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/sqlcatalogue.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlIndex>
#include <QSqlQuery>

namespace sqlcatalogue {

namespace {

bool splitsSchema(const QSqlDatabase& db) {
    const QSqlDriver::DbmsType type = db.driver()->dbmsType();
    return type == QSqlDriver::PostgreSQL || db.driverName() == u"QODBC";
}

QStringList column(QSqlQuery& query) {
    QStringList values;
    while (query.next())
        values << query.value(0).toString();
    return values;
}

} // namespace

QString quoted(const QSqlDatabase& db, const QString& name) {
    // The driver's quote characters, learnt from a name that needs nothing else: the drivers
    // pass through any name that merely starts or ends with one.
    const QString sample =
        db.driver()->escapeIdentifier(QStringLiteral("a"), QSqlDriver::FieldName);
    // A driver that claims a blank or a letter as its quote is taken to quote as SQL does.
    const bool known = sample == u"`a`" || sample == u"[a]";
    const QChar open = known ? sample.front() : QChar(u'"');
    const QChar close = known ? sample.back() : QChar(u'"');
    QString inside = name;
    inside.replace(close, QString(2, close));
    return open + inside + close;
}

QString quotedTable(const QSqlDatabase& db, const QString& table) {
    const qsizetype dot = table.indexOf(u'.');
    if (dot <= 0 || !splitsSchema(db))
        return quoted(db, table);
    return quoted(db, table.left(dot)) + u'.' + quoted(db, table.mid(dot + 1));
}

QSqlRecord columns(const QSqlDatabase& db, const QString& table, QString* error) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(quotedTable(db, table)))) {
        if (error)
            *error = query.lastError().text().trimmed();
        return {};
    }
    return query.record();
}

QStringList keyColumns(const QSqlDatabase& db, const QString& table) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    switch (db.driver()->dbmsType()) {
    case QSqlDriver::PostgreSQL:
        query.prepare(QStringLiteral(
            "SELECT a.attname FROM pg_index i JOIN pg_attribute a ON a.attrelid = i.indrelid "
            "AND a.attnum = ANY(i.indkey) WHERE i.indisprimary "
            "AND i.indrelid = CAST(? AS regclass) "
            "ORDER BY array_position(CAST(i.indkey AS smallint[]), a.attnum)"));
        query.addBindValue(quotedTable(db, table));
        break;
    case QSqlDriver::MySqlServer:
        query.prepare(QStringLiteral(
            "SELECT COLUMN_NAME FROM information_schema.KEY_COLUMN_USAGE "
            "WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = ? AND CONSTRAINT_NAME = 'PRIMARY' "
            "ORDER BY ORDINAL_POSITION"));
        query.addBindValue(table);
        break;
    case QSqlDriver::SQLite:
        query.prepare(
            QStringLiteral("SELECT name FROM pragma_table_info(?) WHERE pk > 0 ORDER BY pk"));
        query.addBindValue(table);
        break;
    default: {
        // ODBC asks its driver's catalogue function: no statement is written.
        const QSqlDriver* driver = db.driver();
        const QString name = driver->isIdentifierEscaped(table, QSqlDriver::TableName)
                                 ? table
                                 : driver->escapeIdentifier(table, QSqlDriver::TableName);
        const QSqlIndex key = db.primaryIndex(name);
        QStringList names;
        for (int i = 0; i < key.count(); ++i)
            names << key.fieldName(i);
        return names;
    }
    }
    return query.exec() ? column(query) : QStringList();
}

std::vector<DeclaredColumn> declaredColumns(const QSqlDatabase& db, const QString& table) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // xinfo lists generated columns too, as SELECT * gives them; hidden ones (of virtual
    // tables) it does not give.
    query.prepare(QStringLiteral("SELECT name, type FROM pragma_table_xinfo(?) "
                                 "WHERE hidden IN (0, 2, 3) ORDER BY cid"));
    query.addBindValue(table);
    std::vector<DeclaredColumn> columns;
    if (query.exec()) {
        while (query.next())
            columns.push_back({query.value(0).toString(), query.value(1).toString()});
    }
    return columns;
}

} // namespace sqlcatalogue
