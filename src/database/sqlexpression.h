// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/rowsource.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

// Criteria and column expressions in Access SQL, as stored queries keep them: comparisons,
// Between, Like, Is Null, In, And/Or/Not, arithmetic (+ - * /, unary minus, parentheses) and
// text joined with &, literals ('text', "text", numbers, #dates#, True/False, Null) and
// column references ([Table].[Field], Table.Field, Field).
namespace sql {

struct Node {
    enum class Kind {
        Literal,
        Column,
        Not,
        And,
        Or,
        Compare,
        Between,
        Like,
        IsNull,
        In,
        Negate,
        Arithmetic
    };
    Kind kind = Kind::Literal;
    QVariant value;       // Literal
    QString op;           // Compare: = <> < > <= >=; Arithmetic: + - * / &
    QString table;        // Column: qualifier, may be empty
    QString column;       // Column: name
    int index = -1;       // Column: position in the row once bound
    bool negated = false; // NOT Between / NOT Like / IS NOT NULL / NOT In
    std::vector<std::unique_ptr<Node>> args;
};

// Parses a whole expression. Throws DatabaseError 3075 on a syntax error.
std::unique_ptr<Node> parse(QStringView text);

// Resolves every column reference to its position among `fields` (letter case ignored; a
// qualifier must match the field's table). Throws DatabaseError 3265 for an unknown column.
void bind(Node& node, const std::vector<FieldInfo>& fields);

// The value of a bound expression on a row; conditions give true, false or Null.
QVariant evaluate(const Node& node, const Row& row);

// True only when a condition is true (false and Null select nothing).
bool isTrue(const QVariant& condition);

// The field type (fieldtype codes) an expression gives, for a query's output column.
int resultType(const Node& node, const std::vector<FieldInfo>& fields);

} // namespace sql
