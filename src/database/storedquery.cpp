// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/storedquery.h"

#include "database/accessvalues.h"
#include "database/databaseerror.h"
#include "database/queryjoin.h"
#include "database/sqlexpression.h"

#include <algorithm>

namespace storedquery {

namespace {

enum Attribute {
    Kind = 0,
    Parameters = 2,
    Options = 3,
    Connect = 4,
    InputTable = 5,
    OutputColumn = 6,
    JoinRow = 7,
    Where = 8,
    GroupBy = 9,
    Having = 10,
    OrderBy = 11
};

constexpr int SelectStar = 1;
constexpr int OwnerAccess = 4;
constexpr int DistinctRow = 8;

[[noreturn]] void unsupported(const QString& name, const QString& why) {
    throw DatabaseError(DatabaseError::UnsupportedQuery,
                        QStringLiteral("La query \"%1\" non può essere usata per le etichette: %2.")
                            .arg(name, why));
}

QString text(const Row& row, int index) {
    return index >= 0 && std::size_t(index) < row.size() ? row[index].toString() : QString();
}

} // namespace

Definition fromSystemTable(const RowSource& msysQueries, qint32 objectId) {
    const int object = msysQueries.fieldIndex(QStringLiteral("ObjectId"));
    const int attribute = msysQueries.fieldIndex(QStringLiteral("Attribute"));
    const int expression = msysQueries.fieldIndex(QStringLiteral("Expression"));
    const int flag = msysQueries.fieldIndex(QStringLiteral("Flag"));
    const int name1 = msysQueries.fieldIndex(QStringLiteral("Name1"));
    const int name2 = msysQueries.fieldIndex(QStringLiteral("Name2"));
    if (object < 0 || attribute < 0)
        throw DatabaseError(DatabaseError::UnrecognizedFormat, QStringLiteral("MSysQueries"));

    Definition definition;
    for (const Row& row : msysQueries.rows) {
        if (row[object].toInt() != objectId)
            continue;
        const int flagValue = flag >= 0 ? row[flag].toInt() : 0;
        switch (row[attribute].toInt()) {
        case Kind:
            definition.kind = flagValue;
            break;
        case Parameters:
            definition.hasParameters = true;
            break;
        case Options:
            definition.options = flagValue;
            break;
        case Connect:
            definition.external = !text(row, name1).isEmpty() || !text(row, expression).isEmpty();
            break;
        case InputTable:
            definition.inputs.push_back({text(row, name1), text(row, name2)});
            break;
        case OutputColumn:
            definition.outputs.push_back({text(row, expression), text(row, name1)});
            break;
        case JoinRow:
            definition.joins.push_back({text(row, expression), flagValue});
            break;
        case Where:
            definition.where = text(row, expression);
            break;
        case GroupBy:
        case Having:
            definition.grouped = true;
            break;
        case OrderBy:
            definition.orderBy.push_back(
                {text(row, expression), text(row, name1).startsWith(u'D', Qt::CaseInsensitive)});
            break;
        default:
            break;
        }
    }
    return definition;
}

std::optional<QString> whyNotRunnable(const Definition& definition) {
    if (definition.kind != 0)
        return QStringLiteral("non è una query di selezione");
    if (definition.hasParameters)
        return QStringLiteral("chiede dei parametri");
    if (definition.external)
        return QStringLiteral("legge dati da un altro database");
    if (definition.grouped)
        return QStringLiteral("raggruppa i record");
    if (definition.options & ~(SelectStar | OwnerAccess | DistinctRow))
        return QStringLiteral("usa DISTINCT o TOP");
    if (definition.inputs.empty())
        return QStringLiteral("non legge nessuna tabella");
    for (const auto& join : definition.joins) {
        if (join.type != 1)
            return QStringLiteral("usa un join esterno");
    }
    // Expressions this engine cannot read (functions, subqueries).
    try {
        for (const auto& output : definition.outputs) {
            const QString expression = output.expression.trimmed();
            if (expression != u"*" && !expression.endsWith(QStringLiteral(".*")))
                sql::parse(expression);
        }
        for (const auto& join : definition.joins)
            sql::parse(join.condition);
        if (!definition.where.trimmed().isEmpty())
            sql::parse(definition.where);
        for (const auto& order : definition.orderBy)
            sql::parse(order.expression);
    } catch (const DatabaseError&) {
        return QStringLiteral("usa espressioni che le etichette non sanno calcolare");
    }
    return std::nullopt;
}

int kindFromCatalogFlags(qint32 flags) {
    // The query's type is in the high bits of the low byte; 0x08 marks a hidden query (the
    // "~sq_" record sources of forms and reports are hidden select queries).
    return flags & 0xf0;
}

RowSource run(const Definition& definition, const QString& name,
              const std::function<RowSource(const QString&)>& source) {
    if (const auto why = whyNotRunnable(definition))
        unsupported(name, *why);

    // Every input, its fields qualified by its alias.
    RowSource combined;
    std::vector<RowSource> inputs;
    for (const auto& input : definition.inputs) {
        inputs.push_back(source(input.table));
        const QString qualifier = input.alias.isEmpty() ? input.table : input.alias;
        for (FieldInfo field : inputs.back().fields) {
            field.table = qualifier;
            combined.fields.push_back(field);
        }
    }

    std::vector<std::unique_ptr<sql::Node>> conditions;
    for (const auto& join : definition.joins)
        conditions.push_back(sql::parse(join.condition));
    if (!definition.where.trimmed().isEmpty())
        conditions.push_back(sql::parse(definition.where));
    std::vector<const sql::Node*> parts;
    for (auto& condition : conditions) {
        sql::bind(*condition, combined.fields);
        splitConjunction(*condition, parts);
    }
    std::vector<Row> selected = join(inputs, combined.fields, parts, name);
    inputs.clear();

    if (!definition.orderBy.empty()) {
        std::vector<std::pair<std::unique_ptr<sql::Node>, bool>> keys;
        for (const auto& order : definition.orderBy) {
            auto key = sql::parse(order.expression);
            sql::bind(*key, combined.fields);
            keys.emplace_back(std::move(key), order.descending);
        }
        std::stable_sort(selected.begin(), selected.end(), [&](const Row& a, const Row& b) {
            for (const auto& [key, descending] : keys) {
                const QVariant x = sql::evaluate(*key, a);
                const QVariant y = sql::evaluate(*key, b);
                // Null sorts before everything.
                const int order = x.isNull()   ? (y.isNull() ? 0 : -1)
                                  : y.isNull() ? 1
                                               : jet::compare(x, y);
                if (order != 0)
                    return descending ? order > 0 : order < 0;
            }
            return false;
        });
    }

    // The output columns: whole tables ("T.*", "*"), fields or expressions, with their
    // aliases; an expression without one is named as Access names it (Expr1000, Expr1001...).
    std::vector<std::unique_ptr<sql::Node>> columns;
    RowSource result;
    auto addColumn = [&](std::unique_ptr<sql::Node> node, const QString& alias) {
        FieldInfo field;
        if (node->kind == sql::Node::Kind::Column) {
            field = combined.fields[std::size_t(node->index)];
        } else {
            field.type = sql::resultType(*node, combined.fields);
            field.name = QStringLiteral("Expr%1").arg(1000 + int(columns.size()));
        }
        if (!alias.isEmpty())
            field.name = alias;
        result.fields.push_back(field);
        columns.push_back(std::move(node));
    };
    auto addAll = [&](const QString& qualifier) {
        for (std::size_t i = 0; i < combined.fields.size(); ++i) {
            if (qualifier.isEmpty() ||
                combined.fields[i].table.compare(qualifier, Qt::CaseInsensitive) == 0) {
                auto node = std::make_unique<sql::Node>();
                node->kind = sql::Node::Kind::Column;
                node->index = int(i);
                addColumn(std::move(node), {});
            }
        }
    };
    if (definition.outputs.empty() && (definition.options & SelectStar))
        addAll({});
    for (const auto& output : definition.outputs) {
        const QString expression = output.expression.trimmed();
        if (expression == u"*") {
            addAll({});
            continue;
        }
        if (expression.endsWith(QStringLiteral(".*"))) {
            QString qualifier = expression.chopped(2);
            if (qualifier.startsWith(u'[') && qualifier.endsWith(u']'))
                qualifier = qualifier.mid(1, qualifier.size() - 2);
            addAll(qualifier);
            continue;
        }
        auto node = sql::parse(expression);
        sql::bind(*node, combined.fields);
        addColumn(std::move(node), output.alias);
    }
    if (result.fields.empty())
        unsupported(name, QStringLiteral("non restituisce campi"));

    result.rows.reserve(selected.size());
    for (const Row& row : selected) {
        Row out;
        out.reserve(columns.size());
        for (const auto& column : columns)
            out.push_back(sql::evaluate(*column, row));
        result.rows.push_back(std::move(out));
    }
    return result;
}

} // namespace storedquery
