// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/rowsource.h"
#include "database/sqlexpression.h"

#include <vector>

namespace storedquery {

// Most rows a join without an equality between two tables may build: beyond it the query is
// refused before its rows are made.
inline constexpr double MostCrossRows = 2'000'000;

// The rows of an inner join of `inputs`, each input's fields after those of the inputs before
// it (as `fields` lists them), kept where every condition (bound to `fields`) is true, in the
// order nested loops over the inputs would give them. Each input is added through the
// equalities that link it to the inputs before it, by looking its rows up (time linear in the
// rows read and given, memory proportional to the smaller side); an input no equality links
// is paired with every row, up to MostCrossRows. Throws DatabaseError 3129 naming `name`
// beyond that.
std::vector<Row> join(const std::vector<RowSource>& inputs, const std::vector<FieldInfo>& fields,
                      const std::vector<const sql::Node*>& conditions, const QString& name);

// The parts of a condition joined by AND, each to be true on its own.
void splitConjunction(const sql::Node& condition, std::vector<const sql::Node*>& parts);

} // namespace storedquery
