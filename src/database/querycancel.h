// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>

#include <functional>

// How a query under way on a connection is stopped from another thread: PostgreSQL is asked
// to cancel it (the server stops working on it too), SQLite is interrupted. Nothing for the
// drivers that have no such call: their timeouts, and a batch job's forced exit, end their
// waits.
std::function<void()> queryCanceller(const QSqlDatabase& db);
