// SPDX-License-Identifier: GPL-3.0-or-later
// Stored queries that join tables: the rows Access gives, found by looking rows up.

#include "database/databaseerror.h"
#include "database/storedquery.h"
#include "support/databaseerrors.h"

#include <QDateTime>

#include <map>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using storedquery::Definition;

const QVariant Null;

// Customers and orders: keys of different number types, texts in other letter cases and
// with accents, Null keys, a customer with two orders and one with none.
std::map<QString, RowSource> shop() {
    const QDateTime day(QDate(2026, 12, 8), QTime(0, 0), Qt::UTC);
    return {{u"Clienti"_s,
             RowSource{{{"Codice", fieldtype::Long}, {"Nome"}, {"Citta"}, {"Dal", fieldtype::Date}},
                       {{1, "Rossi", "Roma", day},
                        {2, "Bianchi", "Forlì", day.addDays(1)},
                        {3, "Verdi", "Milano", Null},
                        {Null, "Senza codice", "Roma", day}}}},
            {u"Ordini"_s, RowSource{{{"Numero", fieldtype::Long},
                                     {"Cliente", fieldtype::Double},
                                     {"Consegna"},
                                     {"Peso", fieldtype::Double},
                                     {"Il", fieldtype::Date}},
                                    {{10, 2.0, "FORLÌ", 3.5, day.addDays(1)},
                                     {11, 1.0, "roma", 8.0, day},
                                     {12, 2.0, "Forli", 9.0, day},
                                     {13, Null, "Roma", 1.0, day},
                                     {14, 7.0, "Torino", 2.0, day}}}},
            {u"Zone"_s, RowSource{{{"Citta"}, {"Zona"}},
                                  {{"ROMA", "Centro"}, {"forlì", "Nord"}, {"Milano", "Nord"}}}}};
}

Definition query(std::vector<Definition::Input> inputs, std::vector<QString> joins,
                 const QString& where = {}) {
    Definition definition;
    definition.options = 1; // SELECT *
    definition.inputs = std::move(inputs);
    for (const QString& condition : joins)
        definition.joins.push_back({condition, 1});
    definition.where = where;
    return definition;
}

// Each row's values, '|' between them.
QStringList run(const Definition& definition, const std::map<QString, RowSource>& tables) {
    const RowSource result =
        storedquery::run(definition, u"Q"_s, [&](const QString& t) { return tables.at(t); });
    QStringList printed;
    for (const Row& row : result.rows) {
        QStringList values;
        for (const QVariant& value : row)
            values << (value.typeId() == QMetaType::QDateTime ? value.toDate().toString(u"d/M")
                                                              : value.toString());
        printed << values.join(u'|');
    }
    return printed;
}

TEST(QueryJoin, JoinsGiveTheRowsAccessGives) {
    const auto tables = shop();
    const std::vector<std::pair<Definition, QStringList>> cases = {
        // Numbers of two types are one key; Null keys match nothing; nested-loop order.
        {query({{"Clienti", ""}, {"Ordini", "O"}}, {"Clienti.Codice = O.Cliente"}),
         {"1|Rossi|Roma|8/12|11|1|roma|8|8/12", "2|Bianchi|Forlì|9/12|10|2|FORLÌ|3.5|9/12",
          "2|Bianchi|Forlì|9/12|12|2|Forli|9|8/12"}},
        // Texts ignoring letter case, accents counting; a second condition on the same pair.
        {query({{"Ordini", ""}, {"Clienti", ""}},
               {"Ordini.Consegna = Clienti.Citta AND Ordini.Peso > 2"}),
         {"10|2|FORLÌ|3.5|9/12|2|Bianchi|Forlì|9/12", "11|1|roma|8|8/12|1|Rossi|Roma|8/12",
          "11|1|roma|8|8/12||Senza codice|Roma|8/12"}},
        // Two keys at once, one of them a date, and a WHERE on one table.
        {query({{"Clienti", ""}, {"Ordini", ""}},
               {"Clienti.Codice = Ordini.Cliente AND Ordini.Il = Clienti.Dal"},
               "Clienti.Nome <> 'Verdi'"),
         {"1|Rossi|Roma|8/12|11|1|roma|8|8/12", "2|Bianchi|Forlì|9/12|10|2|FORLÌ|3.5|9/12"}},
        // Three tables, the third linked to the first.
        {query({{"Ordini", ""}, {"Clienti", ""}, {"Zone", "Z"}},
               {"Ordini.Cliente = Clienti.Codice", "Z.Citta = Clienti.Citta"}),
         {"10|2|FORLÌ|3.5|9/12|2|Bianchi|Forlì|9/12|forlì|Nord",
          "11|1|roma|8|8/12|1|Rossi|Roma|8/12|ROMA|Centro",
          "12|2|Forli|9|8/12|2|Bianchi|Forlì|9/12|forlì|Nord"}},
        // No equality between the tables: every pair the condition keeps.
        {query({{"Clienti", ""}, {"Zone", ""}}, {}, "Clienti.Codice = 3 AND Zone.Zona = 'Nord'"),
         {"3|Verdi|Milano||forlì|Nord", "3|Verdi|Milano||Milano|Nord"}},
        {query({{"Clienti", ""}, {"Ordini", ""}}, {"Clienti.Codice < Ordini.Cliente"},
               "Ordini.Numero = 14 AND Clienti.Codice > 1"),
         {"2|Bianchi|Forlì|9/12|14|7|Torino|2|8/12", "3|Verdi|Milano||14|7|Torino|2|8/12"}}};
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(run(cases[i].first, tables), cases[i].second) << "case " << i;

    // A number compared with a text is still Access's type mismatch.
    const Definition mismatch =
        query({{"Clienti", ""}, {"Ordini", ""}}, {"Clienti.Nome = Ordini.Cliente"});
    EXPECT_EQ(databaseError([&] { run(mismatch, tables); }).number, DatabaseError::TypeMismatch);
}

// 20,000 orders of 20,000 customers: looked up, not paired (400 million pairs would not fit
// in memory); pairs of tables with no equality beyond two million are refused before any is made.
TEST(QueryJoin, LargeJoinsAreLookedUpAndUnboundedOnesRefused) {
    std::map<QString, RowSource> tables;
    RowSource& customers = tables[u"Clienti"_s];
    RowSource& orders = tables[u"Ordini"_s];
    customers.fields = {{"Codice", fieldtype::Long}, {"Nome"}};
    orders.fields = {{"Numero", fieldtype::Long}, {"Cliente", fieldtype::Long}};
    for (int n = 1; n <= 20000; ++n) {
        customers.rows.push_back({n, u"Cliente %1"_s.arg(n)});
        orders.rows.push_back({100000 + n, 20001 - n});
    }
    const QStringList rows =
        run(query({{"Ordini", ""}, {"Clienti", ""}}, {"Ordini.Cliente = Clienti.Codice"}), tables);
    ASSERT_EQ(rows.size(), 20000);
    EXPECT_EQ(rows.front(), "100001|20000|20000|Cliente 20000");

    const Definition unbounded =
        query({{"Ordini", ""}, {"Clienti", ""}}, {}, "Ordini.Cliente > Clienti.Codice");
    const DatabaseError error = databaseError([&] { run(unbounded, tables); });
    EXPECT_EQ(error.number, DatabaseError::UnsupportedQuery);
    EXPECT_TRUE(error.description.contains(u"unisce 20000 righe a 20000"))
        << error.description.toStdString();
}

} // namespace
