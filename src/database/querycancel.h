// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>

#include <functional>

// How a query under way on a connection is stopped from another thread: PostgreSQL is asked
// to cancel it (the server stops working on it too), SQLite is interrupted. Nothing for the
// drivers that have no such call: their timeouts, and a batch job's forced exit, end their
// waits.
struct QueryCanceller {
    std::function<void()> cancel; // empty: the driver has none
    bool mayBlock = false;        // talks to the server, so it may wait itself
};
QueryCanceller queryCanceller(const QSqlDatabase& db);
