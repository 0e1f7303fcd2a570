// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/querycancel.h"
#include "database/recordsource.h"
#include "database/sourceaddress.h"

#include <QString>

#include <functional>

// Records from an SQLite file or a database server (PostgreSQL, MySQL/MariaDB, ODBC) through
// Qt's SQL drivers. The criterion runs on the server as a query with bound values; records
// come in the table's primary key order (a view's own order) and are fetched one at a time.
class SqlSource : public RecordSource {
public:
    // Opens the connection; an SQLite file only for reading. Throws DatabaseError 3051 with the
    // driver's own words when it cannot.
    SqlSource(const SourceAddress& address, const QString& password);
    ~SqlSource() override;
    SqlSource(const SqlSource&) = delete;
    SqlSource& operator=(const SqlSource&) = delete;

    QStringList tableNames() const override;
    QStringList queryNames() const override; // the views
    std::vector<FieldInfo> fields(const QString& table) const override;
    std::unique_ptr<RecordCursor> open(RecordSelection& selection) const override;
    long count(RecordSelection& selection) const override;
    // On PostgreSQL, SQLite and MySQL the count and the records come from one snapshot of the data,
    // so that records added or removed meanwhile by others change neither.
    std::unique_ptr<RecordCursor> openCounted(RecordSelection& selection,
                                              long& count) const override;

    // How long a connection attempt may take before the server counts as unreachable.
    static constexpr int ConnectSeconds = 10;

private:
    struct Statement;
    Statement statement(RecordSelection& selection, bool counting) const;
    QString actualName(const QString& table) const;

    QString m_connection;    // the name of Qt's connection, one per source
    QString m_address;       // for messages
    QueryCanceller m_cancel; // stops a query under way, from another thread
};
