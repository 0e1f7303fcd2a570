// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/rowsource.h"

#include <functional>
#include <optional>

// Stored queries as Access keeps them in MSysQueries, and running the ones a label can use:
// select queries over one table or inner joins, with a column list and aliases, a WHERE
// condition and ORDER BY. Anything else is refused with a message that names the query.
namespace storedquery {

struct Definition {
    int kind = 0;    // 0 select; 16 crosstab, 32 delete, 48 update, 64 append, ...
    int options = 0; // 1 SELECT *, 2 DISTINCT, ...
    bool hasParameters = false;
    bool external = false; // reads another database
    struct Input {
        QString table;
        QString alias;
    };
    std::vector<Input> inputs;
    struct Output {
        QString expression;
        QString alias;
    };
    std::vector<Output> outputs;
    struct Join {
        QString condition;
        int type = 1; // 1 inner, 2 left, 3 right
    };
    std::vector<Join> joins;
    QString where;
    bool grouped = false; // GROUP BY or HAVING
    struct Order {
        QString expression;
        bool descending = false;
    };
    std::vector<Order> orderBy;
};

// The definition of query `objectId` from the rows of MSysQueries.
Definition fromSystemTable(const RowSource& msysQueries, qint32 objectId);

// Why a definition cannot feed labels (not a select query, parameters, grouping...); nothing
// when it can be run.
std::optional<QString> whyNotRunnable(const Definition& definition);

// The kind of query (0 select, 16 crosstab, ...) from its catalog flags, whatever else they
// mark (hidden).
int kindFromCatalogFlags(qint32 flags);

// Runs a definition. `source` gives the rows of a table or query by name. Throws
// DatabaseError (3129 for what is not supported, naming `name`).
RowSource run(const Definition& definition, const QString& name,
              const std::function<RowSource(const QString&)>& source);

} // namespace storedquery
