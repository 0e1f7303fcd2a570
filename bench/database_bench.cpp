// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the 20,000-row database, selects records two ways and walks every selected record
// reading five fields, as printing does. Prints time and peak memory per step.
//
//   database_bench [path/to/grande.mdb]

#include "database/clsdatabase.h"
#include "database/databaseerror.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

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

long walk(clsDatabase& database, Recordset& records) {
    const char* fields[] = {"Codice", "Nome", "Indirizzo", "Citta", "EAN13"};
    long seen = 0;
    std::size_t characters = 0;
    for (records.MoveFirst(); !records.eof(); records.MoveNext()) {
        for (const char* field : fields)
            characters +=
                database.GetValoreCampo(records, QString::fromLatin1(field)).toString().size();
        ++seen;
    }
    return characters > 0 ? seen : 0;
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

        std::unique_ptr<Recordset> records;
        QString equal, from = QStringLiteral("5000"), to = QStringLiteral("15000");
        database.ConnettiRecordset(records, QStringLiteral("Indirizzi"), QStringLiteral("Codice"),
                                   2, equal, from, to);
        report("select Codice Between 5000 AND 15000", timer, records->RecordCount());
        report("walk, five fields a record", timer, walk(database, *records));

        equal = QStringLiteral("Roma");
        database.ConnettiRecordset(records, QStringLiteral("Indirizzi"), QStringLiteral("Citta"), 1,
                                   equal, from, to);
        report("select Citta = 'Roma'", timer, records->RecordCount());
        report("walk, five fields a record", timer, walk(database, *records));

        QString none1, none2, none3;
        database.ConnettiRecordset(records, QStringLiteral("Indirizzi"), QString(), 0, none1, none2,
                                   none3);
        report("select all records", timer, records->RecordCount());
        report("walk, five fields a record", timer, walk(database, *records));
        std::printf("%-44s %8.1f ms\n", "total", double(total.nsecsElapsed()) / 1e6);
    } catch (const DatabaseError& error) {
        std::fprintf(stderr, "error %d: %s\n", error.number, qPrintable(error.description));
        return 1;
    }
    return 0;
}
