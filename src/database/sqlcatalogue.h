// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QStringList>

#include <vector>

// What the program asks a database about its tables. Names come from other people's
// databases: each is quoted here, whatever it looks like (a name that arrives "already quoted"
// is a name with quotes in it), and names handed to the server's catalogue are bound values.
namespace sqlcatalogue {

// One name (column, or table without its schema) in the driver's quotes, the quote doubled
// inside.
QString quoted(const QSqlDatabase& db, const QString& name);

// A table's name as a query names it: on PostgreSQL and ODBC `schema.table` are two names.
QString quotedTable(const QSqlDatabase& db, const QString& table);

// The columns of a table or view, as a query over it gives them; an empty record and the
// server's words in `error` when the query fails.
QSqlRecord columns(const QSqlDatabase& db, const QString& table, QString* error);

// The columns of the table's primary key in key order; none for views.
QStringList keyColumns(const QSqlDatabase& db, const QString& table);

// SQLite: each column's name as written (Qt's driver drops the quotes inside names) and its
// declared type, in column order.
struct DeclaredColumn {
    QString name;
    QString type;
};
std::vector<DeclaredColumn> declaredColumns(const QSqlDatabase& db, const QString& table);

} // namespace sqlcatalogue
