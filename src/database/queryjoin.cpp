// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/queryjoin.h"

#include "database/accessvalues.h"
#include "database/databaseerror.h"

#include <algorithm>
#include <unordered_map>

namespace storedquery {

namespace {

using Conditions = std::vector<const sql::Node*>;

// The input a column of the joined row comes from.
std::size_t inputOf(int column, const std::vector<std::size_t>& offsets) {
    return std::size_t(std::upper_bound(offsets.begin(), offsets.end(), std::size_t(column)) -
                       offsets.begin()) -
           1;
}

// The last input whose fields the condition reads: where it can first be tested.
std::size_t lastInput(const sql::Node& node, const std::vector<std::size_t>& offsets) {
    std::size_t last = node.kind == sql::Node::Kind::Column ? inputOf(node.index, offsets) : 0;
    for (const auto& argument : node.args)
        last = std::max(last, lastInput(*argument, offsets));
    return last;
}

bool keeps(const Conditions& conditions, const Row& row) {
    return std::all_of(conditions.begin(), conditions.end(),
                       [&](const sql::Node* c) { return sql::isTrue(sql::evaluate(*c, row)); });
}

// The joined rows' key on some of their columns; nothing when one is Null (no match).
std::optional<QByteArray> keyOf(const Row& row, const std::vector<int>& columns,
                                std::size_t offset = 0) {
    QByteArray key;
    for (const int column : columns) {
        const auto part = jet::equalityKey(row[std::size_t(column) - offset]);
        if (!part)
            return std::nullopt;
        key += QByteArray::number(part->size()) + ':' + *part;
    }
    return key;
}

// A number or date compared with a text is an error the comparison itself must raise: such
// an equality is tested row by row, never looked up.
bool comparable(const FieldInfo& a, const FieldInfo& b) {
    const auto textual = [](const FieldInfo& f) {
        return fieldtype::classOf(f.type) == fieldtype::Class::Text;
    };
    return textual(a) == textual(b);
}

} // namespace

void splitConjunction(const sql::Node& condition, std::vector<const sql::Node*>& parts) {
    if (condition.kind == sql::Node::Kind::And) {
        for (const auto& argument : condition.args)
            splitConjunction(*argument, parts);
    } else {
        parts.push_back(&condition);
    }
}

std::vector<Row> join(const std::vector<RowSource>& inputs, const std::vector<FieldInfo>& fields,
                      const Conditions& conditions, const QString& name) {
    std::vector<std::size_t> offsets{0};
    for (const RowSource& input : inputs)
        offsets.push_back(offsets.back() + input.fields.size());
    std::vector<Conditions> atInput(inputs.size());
    for (const sql::Node* condition : conditions)
        atInput[lastInput(*condition, offsets)].push_back(condition);

    std::vector<Row> rows;
    for (const Row& row : inputs.front().rows) {
        if (keeps(atInput[0], row))
            rows.push_back(row);
    }
    for (std::size_t k = 1; k < inputs.size(); ++k) {
        const std::vector<Row>& right = inputs[k].rows;
        // The equalities between a column of this input and one of the inputs before it.
        std::vector<int> leftColumns, rightColumns;
        for (const sql::Node* condition : atInput[k]) {
            if (condition->kind != sql::Node::Kind::Compare || condition->op != u"=" ||
                condition->args.size() != 2 ||
                condition->args[0]->kind != sql::Node::Kind::Column ||
                condition->args[1]->kind != sql::Node::Kind::Column)
                continue;
            int a = condition->args[0]->index, b = condition->args[1]->index;
            if (inputOf(a, offsets) == k)
                std::swap(a, b);
            if (inputOf(b, offsets) != k || inputOf(a, offsets) >= k ||
                !comparable(fields[std::size_t(a)], fields[std::size_t(b)]))
                continue;
            leftColumns.push_back(a);
            rightColumns.push_back(b);
        }
        // Which pairs of rows may match, in nested-loop order.
        std::vector<std::pair<std::size_t, std::size_t>> pairs;
        if (leftColumns.empty()) {
            if (double(rows.size()) * double(right.size()) > MostCrossRows)
                throw DatabaseError(
                    DatabaseError::UnsupportedQuery,
                    QStringLiteral("La query \"%1\" non può essere usata per le etichette: unisce "
                                   "%2 righe a %3 senza un'uguaglianza fra le tabelle, più di %4 "
                                   "coppie.")
                        .arg(name)
                        .arg(rows.size())
                        .arg(right.size())
                        .arg(qint64(MostCrossRows)));
            for (std::size_t i = 0; i < rows.size(); ++i)
                for (std::size_t j = 0; j < right.size(); ++j)
                    pairs.emplace_back(i, j);
        } else {
            // The smaller side is indexed, the other looks its rows up.
            const std::size_t offset = offsets[k];
            const bool indexLeft = rows.size() < right.size();
            const std::vector<Row>& indexed = indexLeft ? rows : right;
            const std::vector<Row>& probing = indexLeft ? right : rows;
            const std::vector<int>& indexedColumns = indexLeft ? leftColumns : rightColumns;
            const std::vector<int>& probingColumns = indexLeft ? rightColumns : leftColumns;
            const std::size_t indexedOffset = indexLeft ? 0 : offset;
            const std::size_t probingOffset = indexLeft ? offset : 0;
            std::unordered_map<QByteArray, std::vector<std::size_t>> index;
            for (std::size_t i = 0; i < indexed.size(); ++i) {
                if (const auto key = keyOf(indexed[i], indexedColumns, indexedOffset))
                    index[*key].push_back(i);
            }
            for (std::size_t p = 0; p < probing.size(); ++p) {
                const auto key = keyOf(probing[p], probingColumns, probingOffset);
                if (!key)
                    continue;
                const auto found = index.find(*key);
                if (found == index.end())
                    continue;
                for (const std::size_t i : found->second)
                    pairs.emplace_back(indexLeft ? i : p, indexLeft ? p : i);
            }
            if (indexLeft)
                std::sort(pairs.begin(), pairs.end());
        }
        std::vector<Row> joined;
        for (const auto& [i, j] : pairs) {
            Row row = rows[i];
            row.insert(row.end(), right[j].begin(), right[j].end());
            if (keeps(atInput[k], row)) // the equalities too: keys may collide
                joined.push_back(std::move(row));
        }
        rows = std::move(joined);
    }
    return rows;
}

} // namespace storedquery
