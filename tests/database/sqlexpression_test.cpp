// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/accessvalues.h"
#include "database/sqlexpression.h"
#include "support/databaseerrors.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const std::vector<FieldInfo> Fields = {{u"Citta"_s, 10, u"Clienti"_s},
                                       {u"Pezzi"_s, 3, u"Clienti"_s},
                                       {u"Attivo"_s, 1, u"Clienti"_s},
                                       {u"Data"_s, 8, u"Clienti"_s}};

std::unique_ptr<sql::Node> bound(const char* expression) {
    auto node = sql::parse(QString::fromUtf8(expression));
    sql::bind(*node, Fields);
    return node;
}

QVariant eval(const char* expression, const Row& row) {
    return sql::evaluate(*bound(expression), row);
}

const Row Rome = {u"Roma"_s, 150, true, QDateTime(QDate(2019, 10, 21), QTime(14, 30), Qt::UTC)};
const Row Nowhere = {QVariant(), QVariant(), false, QVariant()};

int outcome(const QVariant& v) {
    return v.isNull() ? -1 : v.toBool() ? 1 : 0;
}

// Each condition on a row of values and on a row of Nulls: 1 true, 0 false, -1 Null.
// Arithmetic keeps precedence, unary minus and parentheses, and Null propagates; letter case is
// ignored, accents are not.
TEST(Conditions, FollowAccessThreeValuedLogic) {
    const std::tuple<const char*, int, int> cases[] = {
        {R"((((Clienti.Citta)="Roma")))", 1, -1},
        {"[Clienti].[Citta] = 'ROMA'", 1, -1},
        {"Citta <> 'Roma'", 0, -1},
        {"Pezzi Between 100 AND 200", 1, -1},
        {"Pezzi NOT Between 100 AND 200", 0, -1},
        {"Citta Like 'r?m*'", 1, -1},
        {"Citta Like '[!a-m]oma'", 1, -1},
        {"Citta Is Null", 0, 1},
        {"Citta Is Not Null", 1, 0},
        {"Attivo = True", 1, 0},
        {"Attivo = -1", 1, 0},
        {"Pezzi In (1, 150, 2)", 1, -1},
        {"Citta Not In ('Milano')", 1, -1},
        {"Data > #10/21/2019#", 1, -1},
        {"Data Between #2019-10-21# And #21/10/2019 23:00#", 1, -1},
        {"Citta = 'Roma' Or Citta Is Null", 1, 1},
        {"Citta = 'Roma' And Pezzi > 1000", 0, -1},
        {"Not (Pezzi > 100)", 0, -1},
        {"Pezzi / 1.5 = 100", 1, -1},
        {"Pezzi - 50 * 2 = 50", 1, -1},
        {"(Pezzi - 50) * 2 = 200", 1, -1},
        {"-Pezzi + 151 = 1", 1, -1},
        {"Citta & ' (' & Pezzi & ')' = 'Roma (150)'", 1, 0},
        {"Citta = 'Romà'", 0, -1}};
    for (const auto& [expression, onRome, onNowhere] : cases) {
        EXPECT_EQ(outcome(eval(expression, Rome)), onRome) << expression;
        EXPECT_EQ(outcome(eval(expression, Nowhere)), onNowhere) << expression;
    }
}

TEST(SqlExpression, ArithmeticColumnsHaveTheirType) {
    EXPECT_EQ(sql::resultType(*bound("[Pezzi]/1.22"), Fields), fieldtype::Double);
    EXPECT_EQ(sql::resultType(*bound("Citta & ' (' & Pezzi & ')'"), Fields), fieldtype::Text);
}

// Syntax errors, texts against numbers and division by zero with their error numbers; fields
// that are not in the table.
TEST(SqlExpression, ErrorsAndUnknownFields) {
    const std::pair<int, std::vector<const char*>> errors[] = {
        {DatabaseError::SyntaxError,
         {"Citta = 'Roma", "Citta = ", "Citta Between 1", "[Citta", "Citta @ 1", "#32/32/2020#",
          "Citta Is 5"}},
        {DatabaseError::TypeMismatch, {"Citta = 5"}},
        {DatabaseError::DivisionByZero, {"Pezzi / 0"}},
        {DatabaseError::ItemNotFound, {"Provincia = 'RM'", "Altra.Citta = 'RM'"}}};
    for (const auto& [number, expressions] : errors)
        for (const char* bad : expressions)
            EXPECT_EQ(databaseError([&] { eval(bad, Rome); }).number, number) << bad;
}

TEST(AccessDates, ReadAsAccessReadsThem) {
    EXPECT_EQ(jet::parseDate(u"01/12/2015")->date(), QDate(2015, 1, 12)); // month first
    EXPECT_EQ(jet::parseDate(u"2019-10-21 14:30:00")->time(), QTime(14, 30));
    EXPECT_EQ(jet::parseDate(u"10/21/2019 2:30 PM")->time(), QTime(14, 30));
    EXPECT_EQ(jet::parseDate(u"1/2/29")->date(), QDate(2029, 1, 2));
    EXPECT_EQ(jet::parseDate(u"1/2/30")->date(), QDate(1930, 1, 2));
}

} // namespace
