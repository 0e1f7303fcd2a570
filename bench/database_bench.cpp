// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the 20,000-row database (or any source with an Indirizzi table: a CSV copy, a server's
// address), selects records two ways and walks every selected record reading five fields, as
// printing does. Prints time and peak memory per step.
//
//   database_bench [path/to/grande.mdb | indirizzi.csv | postgresql://...] [table]

#include "database/clsdatabase.h"
#include "database/databaseerror.h"
#include "database/recordsource.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <string>

#include <sys/resource.h>

namespace {

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void report(const char* step, QElapsedTimer& timer, long records = -1) {
    std::printf("%-44s %8.1f ms  peak %7.1f MB", step, double(timer.nsecsElapsed()) / 1e6,
                double(peakKilobytes()) / 1024.0);
    if (records >= 0)
        std::printf("  %ld records", records);
    std::printf("\n");
    timer.restart();
}

long walk(const RecordSource& source, RecordSelection selection) {
    const auto records = source.open(selection);
    std::vector<int> fields;
    for (const char* name : {"Codice", "Nome", "Indirizzo", "Citta", "EAN13"})
        fields.push_back(records->fieldIndex(QString::fromLatin1(name)));
    long seen = 0;
    std::size_t characters = 0;
    while (records->next()) {
        for (const int field : fields)
            characters += field < 0 ? 0 : records->row()[std::size_t(field)].toString().size();
        ++seen;
    }
    return characters > 0 ? seen : 0;
}

RecordSelection selection(const QString& table, const char* field, Criterion criterion,
                          const char* equal, const char* from, const char* to) {
    RecordSelection s;
    s.table = table;
    s.field = QString::fromLatin1(field);
    s.criterion = criterion;
    s.equalTo = QString::fromLatin1(equal);
    s.from = QString::fromLatin1(from);
    s.to = QString::fromLatin1(to);
    return s;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(MARVELLO_TEST_DATA_DIR "/grande.mdb");
    try {
        QElapsedTimer total;
        total.start();
        QElapsedTimer timer;
        timer.start();
        clsDatabase database;
        database.setNomeDatabase(path);
        if (!database.ConnettiDatabase())
            return 1;
        report("open database", timer);

        const RecordSource& source = database.source();
        const QString table =
            argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("Indirizzi");
        for (const auto& [step, chosen] :
             {std::pair{"Codice between 5000 and 15000",
                        selection(table, "Codice", Criterion::Compreso, "", "5000", "15000")},
              {"Citta = 'Roma'", selection(table, "Citta", Criterion::UgualeA, "Roma", "", "")},
              {"all records", selection(table, "", Criterion::Tutti, "", "", "")}}) {
            RecordSelection counted = chosen;
            const long count = source.count(counted);
            report((std::string("count ") + step).c_str(), timer, count);
            report("walk, five fields a record", timer, walk(source, chosen));
        }
        std::printf("%-44s %8.1f ms\n", "total", double(total.nsecsElapsed()) / 1e6);
    } catch (const DatabaseError& error) {
        std::fprintf(stderr, "error %d: %s\n", error.number, qPrintable(error.description));
        return 1;
    }
    return 0;
}
