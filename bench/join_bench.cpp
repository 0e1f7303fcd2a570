// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a stored query that joins N orders to N customers (an equality join, as Access
// queries of labels do) and prints its time and the process's peak memory. One size a run,
// so that each peak is its own:
//
//   for n in 1000 4000 20000; do join_bench $n; done

#include "database/databaseerror.h"
#include "database/storedquery.h"

#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <map>

#include <sys/resource.h>

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
    std::map<QString, RowSource> tables;
    RowSource& customers = tables[QStringLiteral("Clienti")];
    RowSource& orders = tables[QStringLiteral("Ordini")];
    customers.fields = {{QStringLiteral("Codice"), fieldtype::Long},
                        {QStringLiteral("Nome")},
                        {QStringLiteral("Citta")}};
    orders.fields = {{QStringLiteral("Numero"), fieldtype::Long},
                     {QStringLiteral("Cliente"), fieldtype::Long},
                     {QStringLiteral("Articolo")}};
    for (int n = 1; n <= count; ++n) {
        customers.rows.push_back({n, QStringLiteral("Cliente %1 S.r.l.").arg(n),
                                  n % 2 ? QStringLiteral("Roma") : QStringLiteral("Milano")});
        orders.rows.push_back(
            {100000 + n, (n * 7919) % count + 1, QStringLiteral("ART-%1").arg(n)});
    }
    storedquery::Definition query;
    query.options = 1; // SELECT *
    query.inputs = {{QStringLiteral("Ordini"), {}}, {QStringLiteral("Clienti"), {}}};
    query.joins = {{QStringLiteral("Ordini.Cliente = Clienti.Codice"), 1}};
    query.where = QStringLiteral("Clienti.Citta = 'Roma'");
    query.orderBy = {{QStringLiteral("Clienti.Nome"), false}};
    QElapsedTimer timer;
    timer.start();
    try {
        const RowSource result =
            storedquery::run(query, QStringLiteral("Ordini dei clienti"),
                             [&](const QString& table) { return tables.at(table); });
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%6d x %6d rows: %8.1f ms, %6zu rows joined, peak %6.1f MB\n", count, count,
                    double(timer.nsecsElapsed()) / 1e6, result.rows.size(),
                    double(usage.ru_maxrss) / 1024.0);
    } catch (const DatabaseError& error) {
        std::fprintf(stderr, "error %d: %s\n", error.number, qPrintable(error.description));
        return 1;
    }
    return 0;
}
