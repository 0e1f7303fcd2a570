// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/querycancel.h"

#include <QSqlDriver>
#include <QVariant>

#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstring>
#include <memory>

QueryCanceller queryCanceller(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || !handle.data())
        return {};
    const char* type = handle.typeName();
    // Qt names the handle by libpq's struct: pg_conn*.
    if (type && (std::strcmp(type, "pg_conn*") == 0 || std::strcmp(type, "PGconn*") == 0)) {
        PGconn* connection = *static_cast<PGconn* const*>(handle.data());
        // Made here, used from the watchdog's thread: PQcancel only reads it.
        const std::shared_ptr<PGcancel> cancel(connection ? PQgetCancel(connection) : nullptr,
                                               [](PGcancel* c) {
                                                   if (c)
                                                       PQfreeCancel(c);
                                               });
        if (!cancel)
            return {};
        return {[cancel] {
                    char error[256];
                    PQcancel(cancel.get(), error, int(sizeof error));
                },
                true};
    }
    if (type && std::strcmp(type, "sqlite3*") == 0) {
        sqlite3* connection = *static_cast<sqlite3* const*>(handle.data());
        if (!connection)
            return {};
        // Called only while a query of the connection is under way (the watchdog's lock
        // keeps it so), never after the connection is closed.
        return {[connection] { sqlite3_interrupt(connection); }, false};
    }
    return {};
}
