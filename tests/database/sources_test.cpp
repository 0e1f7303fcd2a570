// SPDX-License-Identifier: GPL-3.0-or-later
// The same records from every kind of source: demo.mdb's Clienti copied into delimited text
// files of every dialect, an SQLite file, a PostgreSQL and a MariaDB server, then selected
// and printed.
#include "common/windows1252.h"
#include "database/accesssource.h"
#include "database/clsdatabase.h"
#include "database/sourceaddress.h"
#include "database/widgets/connectdialogs.h"
#include "printing/fieldtext.h"
#include "support/files.h"
#include "support/marvelloprocess.h"
#include "support/recordingmessages.h"
#include "support/spreadsheets.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QUuid>

#include <ctime>
#include <map>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

RowSource clienti() {
    static const RowSource rows = AccessSource(testData("demo.mdb"), {}).readSource(u"Clienti"_s);
    return rows;
}

// Runs `fill` on a connection of Qt's to the database at the address.
template <typename Fill>
void withDatabase(const QString& driver, const QString& name, Fill&& fill) {
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, connection);
        if (driver == u"QSQLITE") {
            db.setDatabaseName(name);
        } else {
            const auto address = SourceAddress::parse(name);
            db.setHostName(address->host);
            db.setPort(address->port);
            db.setUserName(address->user);
            db.setPassword(u"marvello"_s);
            db.setDatabaseName(address->database);
        }
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        fill(db);
    }
    QSqlDatabase::removeDatabase(connection);
}

// A server the test script started: the variable that gives its address, Qt's driver for it.
struct TestServer {
    const char* variable;
    const char* driver;
};
constexpr TestServer PostgreSql{"MARVELLO_TEST_POSTGRES", "QPSQL"};
constexpr TestServer MariaDb{"MARVELLO_TEST_MARIADB", "QMYSQL"};

// The server's address; empty when there is none.
QString server(const TestServer& kind) {
    return qEnvironmentVariable(kind.variable);
}

// The name of this test's own database on a server: tests run side by side, and none may
// meet another's tables (or end its connections).
QString ownDatabase() {
    return u"marvello_%1"_s.arg(QCoreApplication::applicationPid());
}

QString dropOwnDatabase(const TestServer& kind) {
    return u"DROP DATABASE IF EXISTS %1"_s.arg(ownDatabase()) +
           (std::string_view(kind.driver) == PostgreSql.driver ? u" WITH (FORCE)"_s : QString());
}

// The addresses of this test's own databases, made on first use; gone once dropped.
std::map<const char*, QString> ownAddresses;

// The address of this test's own database on the server; empty when there is no server.
QString ownAddress(const TestServer& kind) {
    QString& address = ownAddresses[kind.variable];
    if (address.isEmpty() && !server(kind).isEmpty()) {
        withDatabase(QString::fromLatin1(kind.driver), server(kind), [&](QSqlDatabase db) {
            QSqlQuery query(db);
            query.exec(dropOwnDatabase(kind));
            ASSERT_TRUE(query.exec(u"CREATE DATABASE %1"_s.arg(ownDatabase())))
                << query.lastError().text().toStdString();
        });
        SourceAddress own = *SourceAddress::parse(server(kind));
        own.database = ownDatabase();
        address = own.toString();
    }
    return address;
}

QString postgres() {
    return ownAddress(PostgreSql);
}

// The first value `sql` gives on this test's own PostgreSQL database, with `bound` for its
// mark; -1 when it gives none.
QVariant onPostgres(const QString& sql, const QVariant& bound = {}) {
    QVariant value = -1;
    withDatabase(u"QPSQL"_s, postgres(), [&](QSqlDatabase db) {
        QSqlQuery query(db);
        query.prepare(sql);
        if (bound.isValid())
            query.addBindValue(bound);
        if (query.exec() && query.next())
            value = query.value(0);
    });
    return value;
}

bool isServer(const QString& name) {
    const auto address = SourceAddress::parse(name);
    return address && address->isServer();
}

#define REQUIRE_POSTGRES()                                                                         \
    if (server(PostgreSql).isEmpty()) {                                                            \
        if (qEnvironmentVariableIsSet("MARVELLO_REQUIRE_POSTGRES"))                                \
            FAIL() << "MARVELLO_TEST_POSTGRES is not set";                                         \
        GTEST_SKIP() << "no PostgreSQL server (scripts/test.sh starts one)";                       \
    }

// A value as a spreadsheet writes it: numbers with a decimal comma, dates day first.
QString written(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime when = value.toDateTime();
        return when.toString(when.time() == QTime(0, 0) ? u"dd/MM/yyyy"_s
                                                        : u"dd/MM/yyyy HH:mm:ss"_s);
    }
    case QMetaType::Bool:
        return value.toBool() ? u"Vero"_s : u"Falso"_s;
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15).replace(u'.', u',');
    default:
        return value.toString();
    }
}

enum class Encoding { Utf8Bom, Utf8, Windows1252 };

void writeDelimited(const QString& path, const RowSource& rows, QChar separator,
                    Encoding encoding) {
    const auto field = [&](QString text) {
        if (text.contains(separator) || text.contains(u'"') || text.contains(u'\n') ||
            text.contains(u'\r'))
            text = u'"' + text.replace(u"\""_s, u"\"\""_s) + u'"';
        return text;
    };
    QStringList line;
    for (const FieldInfo& info : rows.fields)
        line << field(info.name);
    QString text = line.join(separator) + u"\r\n"_s;
    for (const Row& row : rows.rows) {
        line.clear();
        for (const QVariant& value : row)
            line << field(written(value));
        text += line.join(separator) + u"\r\n"_s;
    }
    writeBytes(path, encoding == Encoding::Windows1252 ? *windows1252::encode(text)
                     : encoding == Encoding::Utf8Bom   ? "\xEF\xBB\xBF" + text.toUtf8()
                                                       : text.toUtf8());
}

// The column type a server gives a field of the kind; SQLite holds dates as texts.
QString sqlType(int type, const QSqlDriver& driver) {
    const auto dbms = driver.dbmsType();
    switch (fieldtype::classOf(type)) {
    case fieldtype::Class::Number:
        return type == fieldtype::Boolean ? u"BOOLEAN"_s
               : type == fieldtype::Long || type == fieldtype::Integer || type == fieldtype::Byte
                   ? u"INTEGER"_s
               : dbms == QSqlDriver::SQLite ? u"REAL"_s
                                            : u"DOUBLE PRECISION"_s;
    case fieldtype::Class::Date:
        return dbms == QSqlDriver::PostgreSQL    ? u"TIMESTAMP"_s
               : dbms == QSqlDriver::MySqlServer ? u"DATETIME"_s
                                                 : u"TEXT"_s;
    default:
        return u"TEXT"_s;
    }
}

// Copies the rows into a table of a database, Codice its primary key.
void copyInto(QSqlDatabase db, const QString& table, const RowSource& rows) {
    const QSqlDriver& driver = *db.driver();
    const auto name = [&](const QString& identifier) {
        return driver.escapeIdentifier(identifier, QSqlDriver::FieldName);
    };
    QStringList columns, marks;
    for (const FieldInfo& info : rows.fields) {
        columns << u"%1 %2%3"_s.arg(name(info.name), sqlType(info.type, driver),
                                    info.name == u"Codice" ? u" PRIMARY KEY"_s : QString());
        marks << u"?"_s;
    }
    QSqlQuery query(db);
    ASSERT_TRUE(query.exec(u"DROP TABLE IF EXISTS %1"_s.arg(name(table))));
    ASSERT_TRUE(query.exec(u"CREATE TABLE %1 (%2)"_s.arg(name(table), columns.join(u", "))))
        << query.lastError().text().toStdString();
    db.transaction();
    ASSERT_TRUE(query.prepare(u"INSERT INTO %1 VALUES (%2)"_s.arg(name(table), marks.join(u", "))));
    // Stored in reverse: the records must still come in the key's order.
    for (auto row = rows.rows.rbegin(); row != rows.rows.rend(); ++row) {
        for (std::size_t i = 0; i < row->size(); ++i) {
            const QVariant& value = (*row)[i];
            query.bindValue(int(i), driver.dbmsType() == QSqlDriver::SQLite &&
                                            value.typeId() == QMetaType::QDateTime
                                        ? QVariant(written(value))
                                        : value);
        }
        ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
    }
    db.commit();
}

// The rows copied into a table of the SQLite file and of each server there is; their addresses.
QStringList copiedToDatabases(const QString& sqlite, const QString& table, const RowSource& rows) {
    QStringList addresses{sqlite};
    withDatabase(u"QSQLITE"_s, sqlite, [&](QSqlDatabase db) { copyInto(db, table, rows); });
    for (const TestServer& kind : {PostgreSql, MariaDb}) {
        if (server(kind).isEmpty())
            continue;
        addresses << ownAddress(kind);
        withDatabase(QString::fromLatin1(kind.driver), addresses.back(),
                     [&](QSqlDatabase db) { copyInto(db, table, rows); });
    }
    return addresses;
}

class Sources : public ::testing::Test {
protected:
    ~Sources() override {
        qunsetenv("ODBCINI"); // the data sources were the test's own
        database.DisconnettiDatabase();
        for (const TestServer& kind : {PostgreSql, MariaDb})
            if (!ownAddresses[kind.variable].isEmpty())
                withDatabase(QString::fromLatin1(kind.driver), server(kind),
                             [&](QSqlDatabase db) { QSqlQuery(db).exec(dropOwnDatabase(kind)); });
        ownAddresses.clear();
    }

    // Every copy of Clienti, by the name a label would give its source.
    QStringList copies() {
        QStringList names;
        const RowSource rows = clienti();
        const std::tuple<const char*, QChar, Encoding> dialects[] = {
            {"semicolon/Clienti.csv", u';', Encoding::Windows1252},
            {"comma/Clienti.csv", u',', Encoding::Utf8Bom},
            {"tab/Clienti.tsv", u'\t', Encoding::Utf8}};
        for (const auto& [name, separator, encoding] : dialects) {
            const QString path = folder.filePath(QString::fromLatin1(name));
            QDir().mkpath(QFileInfo(path).absolutePath());
            writeDelimited(path, rows, separator, encoding);
            names << path;
        }
        names << copiedToDatabases(folder.filePath(u"clienti.sqlite"_s), u"Clienti"_s, rows);
        // Spreadsheets: one written by openpyxl, and LibreOffice's own of it in both formats.
        const QString xlsx = folder.filePath(u"clienti.xlsx"_s);
        writeXlsx(xlsx, sheetJson(u"Clienti"_s, rows));
        names << xlsx << testData("spreadsheets/clienti.ods")
              << testData("spreadsheets/clienti-libreoffice.xlsx");
        if (!server(PostgreSql).isEmpty()) // the same PostgreSQL table through ODBC
            names << odbcSource(u"MarvelloPG"_s, *SourceAddress::parse(postgres()),
                                u"BoolsAsChar=0\n"_s);
        return names;
    }

    // An ODBC data source of the test's own for the server at `address` as its user, through
    // PostgreSQL's driver where Debian's odbc-postgresql puts it: the source's name for a label;
    // none when the driver is not there (a failure where PostgreSQL is required).
    QStringList odbcSource(const QString& name, const SourceAddress& address,
                           const QString& more = {}) {
        for (const QFileInfo& lib : QDir(u"/usr/lib"_s).entryInfoList(QDir::Dirs)) {
            const QString driver = lib.filePath() + u"/odbc/psqlodbcw.so"_s;
            if (!QFileInfo::exists(driver))
                continue;
            const QString odbcIni = folder.filePath(u"odbc.ini"_s);
            writeBytes(odbcIni, QStringLiteral("[%1]\nDriver=%2\nServername=%3\nPort=%4\n"
                                               "Database=%5\nUsername=%6\n%7")
                                    .arg(name, driver, address.host)
                                    .arg(address.port)
                                    .arg(address.database, address.user, more)
                                    .toUtf8());
            qputenv("ODBCINI", odbcIni.toLocal8Bit());
            return {u"odbc:"_s + name};
        }
        EXPECT_FALSE(qEnvironmentVariableIsSet("MARVELLO_REQUIRE_POSTGRES"))
            << "PostgreSQL's ODBC driver (odbc-postgresql) is not installed";
        return {};
    }

    bool connect(const QString& name, const QString& password = u"marvello"_s) {
        database.setNomeDatabase(name);
        database.setPasswordDb(isServer(name) ? password : QString());
        return database.ConnettiDatabase();
    }

    // The field names, then each record of the table: values between tabs. What was said when
    // the source was refused.
    QStringList read(const QString& source, const QString& table,
                     const QString& password = u"marvello"_s) {
        if (!connect(source, password))
            return {messages.lastText()};
        RecordSelection all{table};
        const auto records = database.source().open(all);
        QStringList names, lines;
        for (const FieldInfo& field : records->fields())
            names << field.name;
        lines << names.join(u'\t');
        while (records->next()) {
            QStringList values;
            for (const QVariant& value : records->row())
                values << value.toString();
            lines << values.join(u'\t');
        }
        database.DisconnettiDatabase();
        return lines;
    }

    // spedizione.eti saved in the folder as `name`, with `from` changed to `to` in its text.
    QString shippingLabel(const char* name, const QByteArray& from, const QByteArray& to) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        writeBytes(path, readBytes(example("spedizione.eti")).replace(from, to));
        return path;
    }

    // What the records a criterion selects print: each field of each, as a label shows it.
    std::string select(const QString& field, Criterion criterion, const char* equal,
                       const char* from, const char* to) {
        RecordSelection selection(u"clienti"_s, field, criterion, QString::fromUtf8(equal),
                                  QString::fromUtf8(from), QString::fromUtf8(to));
        // Counted and opened from the one selection the criterion rewrites, as a job does.
        selected = database.source().count(selection);
        const auto records = database.source().open(selection);
        QStringList printed;
        while (records->next()) {
            QStringList values;
            for (const char* name : {"Codice", "RagioneSociale", "Indirizzo", "CAP", "Citta",
                                     "Provincia", "EAN", "Fido", "Peso", "Note", "Attivo"})
                values << fieldText(
                    records->row()[std::size_t(records->fieldIndex(QString::fromLatin1(name)))]);
            printed << values.join(u'|');
        }
        return printed.join(u'\n').toStdString();
    }

    QTemporaryDir folder;
    RecordingMessages messages;
    clsDatabase database;
    long selected = 0; // the records the last selection counted
};

// Text criteria ignore letter case, numbers and dates compare by value, bounds typed with a
// comma or a full stop are the same number: every source selects what Access selects, in the
// key's order, and the values print alike. Text ranges keep and leave out the same names on
// every source, accented or not: an open bound is open, and no server's collation decides;
// numbers written as text are numbers.
TEST_F(Sources, EverySourceSelectsAndPrintsWhatAccessDoes) {
    // Dates compare as written whatever the machine's time zone.
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Rome");
    tzset();
    const auto restoreZone = qScopeGuard([&] {
        zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
        tzset();
    });
    // Where a case is compared: Access's file only (fields the copies lack), the copies that
    // type their columns (servers, spreadsheets), or every copy. -1: the count is not pinned.
    enum Where { AccessOnly, Typed, Everywhere };
    using enum Criterion;
    const std::tuple<const char*, Criterion, const char*, const char*, const char*, Where, int>
        cases[] = {
            {"Citta", Tutti, "", "", "", Everywhere, 40},
            {"Citta", UgualeA, "roma", "", "", Everywhere, 7},
            {"Citta", UgualeA, "L'Aquila", "", "", Everywhere, 2},
            {"Citta", UgualeA, "Roma' OR 'a'='a", "", "", Everywhere, 0},
            {"Citta", Compreso, "", "Bari", "Firenze", Everywhere, 8},
            {"CAP", Compreso, "", "00100", "09999", Everywhere, 9},
            {"Codice", Compreso, "", "10", "", Everywhere, 31},
            {"Fido", Compreso, "", "1000,5", "5000", Everywhere, -1},
            {"Peso", UgualeA, "10.5", "", "", Everywhere, -1},
            // 13 digits: numbers in the delimited copy, and no open bound leaves them out.
            {"EAN", Compreso, "", "8001234000000", "", Everywhere, -1},
            {"Attivo", UgualeA, "-1", "", "", Typed, 35},
            {"Attivo", UgualeA, "0", "", "", Typed, 5}, // the customers not active
            // A delimited file has no yes/no (it says "Vero"), SQLite no dates (it holds texts).
            // Dates are typed day first, as an Italian user writes them.
            {"DataIscrizione", Compreso, "", "01/01/2016", "31/12/2016", Typed, 4},
            {"DataIscrizione", UgualeA, "12/01/2015", "", "", Typed, 1},
            // Empty bounds do not limit, on dates as on texts.
            {"DataIscrizione", Compreso, "", "01/01/2016", "", Typed, -1},
            {"DataIscrizione", Compreso, "", "", "31/12/2015", Typed, -1},
            {"Citta", Compreso, "", "M", "", Everywhere, -1},
            {"Citta", Compreso, "", "", "m", Everywhere, -1},
            // Yes/no as the labels print it, or as users write it; numbers as Access reads them.
            {"Attivo", UgualeA, "Vero", "", "", Typed, 35},
            {"Attivo", UgualeA, "no", "", "", Typed, 5},
            {"Attivo", UgualeA, "1", "", "", AccessOnly, 0},
            {"Fido", Compreso, "", "1000", "5000", AccessOnly, 28},
            {"Fido", UgualeA, "0", "", "", AccessOnly, 1},
            {"Sconto", UgualeA, "10", "", "", AccessOnly, 5},
            {"Pezzi", Compreso, "", "100", "200", AccessOnly, 10},
            {"Classe", UgualeA, "255", "", "", AccessOnly, 1},
            {"DataIscrizione", UgualeA, "21/10/2019", "", "", AccessOnly, 0},
            {"DataIscrizione", Compreso, "", "21/10/2019", "22/10/2019", AccessOnly, 1},
            {"DataIscrizione", Compreso, "", "2020-01-01", "31/12/2020", AccessOnly, 4},
            {"Note", UgualeA, "x", "", "", AccessOnly, 0}};
    ASSERT_TRUE(connect(testData("demo.mdb")));
    std::vector<std::string> expected;
    for (const auto& [field, criterion, equal, from, to, where, records] : cases) {
        expected.push_back(select(QString::fromLatin1(field), criterion, equal, from, to));
        if (records >= 0)
            EXPECT_EQ(selected, records) << field << " '" << equal << "' '" << from << "' '" << to;
    }

    for (const QString& copy : copies()) {
        SCOPED_TRACE(copy.toStdString());
        ASSERT_TRUE(connect(copy)) << messages.lastText().toStdString();
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const auto& [field, criterion, equal, from, to, where, records] = cases[i];
            // Spreadsheets type their cells as servers type their columns.
            const bool typed = isServer(copy) || copy.endsWith(u".xlsx") || copy.endsWith(u".ods");
            if (where == AccessOnly ||
                (where == Typed && !typed &&
                 (copy.endsWith(u".sqlite") || field != std::string_view("DataIscrizione"))))
                continue;
            std::string wanted = expected[i];
            if (copy.startsWith(testData("spreadsheets"))) // LibreOffice drops a break's \r
                wanted = QString::fromStdString(wanted).replace(u"\r\n"_s, u"\n"_s).toStdString();
            EXPECT_EQ(select(QString::fromLatin1(field), criterion, equal, from, to), wanted)
                << field << " '" << equal << "' '" << from << "' '" << to << "'";
        }
    }

    RowSource names;
    names.fields = {{u"Codice"_s, fieldtype::Long}, {u"Nome"_s}, {u"Importo"_s}}; // Importo: text
    names.rows = {{1, u"Milano"_s, u"1.234,56"_s}, {2, u"Zürich"_s, u"1234.56"_s},
                  {3, u"Žilina"_s, u"7"_s},        {4, u"Ørsted"_s, u"7"_s},
                  {5, u"Ñandú"_s, u"7"_s},         {6, u"Ünïcödé"_s, u"7"_s},
                  {7, u"abete"_s, u"7"_s},         {8, u"Zurigo"_s, u"7"_s}};
    const QString csv = folder.filePath(u"nomi.csv"_s);
    writeDelimited(csv, names, u';', Encoding::Utf8);
    const QStringList sources =
        QStringList{csv} + copiedToDatabases(folder.filePath(u"nomi.sqlite"_s), u"nomi"_s, names);
    const auto kept = [&](const char* from, const char* to) {
        RecordSelection selection(u"nomi"_s, u"Nome"_s, Criterion::Compreso, {},
                                  QString::fromUtf8(from), QString::fromUtf8(to));
        if (std::string_view(from) == "=") // Importo equal to `to`
            selection =
                RecordSelection{u"nomi"_s, u"Importo"_s, Criterion::UgualeA, QString::fromUtf8(to)};
        const auto records = database.source().open(selection);
        QStringList found;
        while (records->next())
            found << records->row()[1].toString();
        found.sort();
        return found.join(u',').toStdString();
    };
    for (const QString& source : sources) {
        SCOPED_TRACE(source.toStdString());
        ASSERT_TRUE(connect(source)) << messages.lastText().toStdString();
        EXPECT_EQ(kept("M", ""), "Milano,Zurigo,Zürich,Ñandú,Ørsted,Ünïcödé,Žilina");
        EXPECT_EQ(kept("u", "v"), "Ünïcödé");
        EXPECT_EQ(kept("", "b"), "abete");
        EXPECT_EQ(kept("=", "1234,56"), "Milano,Zürich");
    }
}

// Damaged delimited files are refused with the line at fault; a file's separator can be given;
// "Testo Unicode" (UTF-16) reads as well; columns of one name stay apart. One stray byte in a
// UTF-8 file leaves it UTF-8 (the byte shows as a mark).
TEST_F(Sources, DelimitedFilesAreReadInTheirEncodingOrRefused) {
    // A Windows-1252 ù among UTF-8 text. (A file all in Windows-1252, the semicolon copy of
    // Clienti, is read in EverySourceSelectsAndPrintsWhatAccessDoes.)
    const QString negozi = folder.filePath(u"negozi.csv"_s);
    writeBytes(negozi, "Citta\n" + QByteArray("Forlì\n").repeated(20) + "Cant\xF9\n");
    EXPECT_EQ(read(negozi, u"negozi"_s),
              QStringList{u"Citta"_s} + QStringList(20, u"Forlì"_s) + QStringList{u"Cant\uFFFD"_s});

    const std::tuple<const char*, QByteArray, const char*> files[] = {
        {"aperte.csv", "Nome,Citta\n\"Rossi,Roma\n", "non si chiudono"},
        {"larga.csv", "Nome;Citta\nRossi;Roma;Lazio\n", "riga 2"},
        {"vuota.csv", "", "nomi dei campi"}};
    for (const auto& [name, bytes, why] : files) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        writeBytes(path, bytes);
        EXPECT_FALSE(connect(path)) << name;
        EXPECT_TRUE(messages.lastText().contains(QString::fromUtf8(why)))
            << messages.lastText().toStdString();
    }
    const QString unicode = folder.filePath(u"unicode.txt"_s);
    const QString text = u"Città\tCittà\tCittà\r\nForlì\tCantù\t€\r\n"_s;
    writeBytes(unicode,
               QByteArray("\xFF\xFE", 2) +
                   QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
    EXPECT_EQ(read(unicode, u"unicode"_s),
              QStringList({u"Città\tCittà_2\tCittà_3"_s, u"Forlì\tCantù\t€"_s}));

    // A separator named after the path wins over the one the header suggests.
    const QString path = folder.filePath(u"elenco.txt"_s);
    writeBytes(path, "Nome|Note\nRossi|a, b; c\nBianchi|\"x|y\"\n");
    EXPECT_EQ(read(path + u"?separatore=|"_s, u"elenco"_s),
              QStringList({u"Nome\tNote"_s, u"Rossi\ta, b; c"_s, u"Bianchi\tx|y"_s}));

    // The file dialog shows the separator a label names, and names the one chosen.
    frmConnettiDBMDB dialog;
    dialog.setDatabase(path + u"?separatore=|"_s, {});
    EXPECT_EQ(dialog.txtNomeFileDB->text(), path);
    EXPECT_TRUE(dialog.cmbSeparatore->isEnabled());
    dialog.cmbSeparatore->setCurrentIndex(dialog.cmbSeparatore->findData(u"tab"_s));
    dialog.cmdOk->click();
    EXPECT_EQ(dialog.NomeFile, path + u"?separatore=tab"_s);
    dialog.txtNomeFileDB->setText(testData("demo.mdb"));
    EXPECT_FALSE(dialog.cmbSeparatore->isEnabled());
}

// "Server di database": "Prova connessione" says what the server says; Ok gives the address.
// A server that refuses says why, to a person and to a batch job. A password reaches the server
// by a file, standard input, the environment or the address, and no other user of the machine
// reads it: not in the process's arguments, not in messages or in --info.
TEST_F(Sources, AServerThatRefusesSaysWhyAndPasswordsReachNobodyElse) {
    REQUIRE_POSTGRES();
    frmConnettiServer dialog;
    dialog.setAddress(postgres(), u"sbagliata"_s);
    dialog.cmdProva->click();
    EXPECT_TRUE(messages.lastText().contains(u"password")) << messages.lastText().toStdString();
    dialog.txtPassword->setText(u"marvello"_s);
    dialog.cmdProva->click();
    EXPECT_TRUE(messages.lastText().startsWith(u"Connessione riuscita"))
        << messages.lastText().toStdString();
    dialog.cmdOk->click();
    EXPECT_TRUE(dialog.Confermato);
    EXPECT_EQ(dialog.Indirizzo, postgres());
    EXPECT_EQ(dialog.Password, u"marvello");

    frmConnettiServer odbc;
    odbc.cmbTipo->setCurrentIndex(2);
    EXPECT_FALSE(odbc.txtServer->isEnabled());
    odbc.txtDatabase->setText(u"Magazzino"_s);
    odbc.cmdOk->click();
    EXPECT_EQ(odbc.Indirizzo, u"odbc:Magazzino");

    for (const TestServer& kind : {PostgreSql, MariaDb}) {
        if (!server(kind).isEmpty()) {
            EXPECT_FALSE(connect(ownAddress(kind), u"sbagliata"_s));
            EXPECT_TRUE(messages.lastText().contains(u"password"))
                << messages.lastText().toStdString();
        }
    }
    SourceAddress down = *SourceAddress::parse(postgres());
    down.port = 1; // nothing listens there

    // In a batch job: a missing table, and a server that is not there, stop it.
    copies();
    const QString pdf = folder.filePath(u"out.pdf"_s);
    const QString label = example("spedizione.eti");
    const auto runWith = [&](const QString& eti, const QString& db) {
        return marvello(printTo(eti, pdf, {u"--db"_s, db, u"--password"_s, u"marvello"_s}));
    };
    EXPECT_TRUE(exited(runWith(shippingLabel("prodotti.eti", "Clienti", "Fornitori"), postgres()),
                       1, u"\"Fornitori\" non è nel database"));
    const ProcessRun run = runWith(label, down.toString());
    EXPECT_TRUE(exited(run, 1, u"Impossibile connettersi al database"));
    EXPECT_FALSE(run.err.contains(u"objDatabase")) << run.err.toStdString(); // a routine's name
    EXPECT_FALSE(QFile::exists(pdf));

    const QString passwordFile = folder.filePath(u"password"_s);
    writeBytes(passwordFile, "marvello\n");
    const QString withPassword = postgres().replace(u"marvello@"_s, u"marvello:marvello@"_s);
    ASSERT_NE(withPassword, postgres());
    const std::pair<QStringList, QStringList> routes[] = {
        {{u"--db"_s, postgres(), u"--password-file"_s, passwordFile}, {}},
        {{u"--db"_s, postgres()}, {u"MARVELLO_PASSWORD=marvello"_s}},
        {{u"--db"_s, withPassword}, {}},
    };
    for (const auto& [options, environment] : routes) {
        QFile::remove(pdf);
        EXPECT_TRUE(exited(marvello(printTo(label, pdf, options), environment), 0))
            << options.join(u' ').toStdString();
        EXPECT_TRUE(QFile::exists(pdf));
    }
    // From standard input.
    EXPECT_TRUE(exited(
        runProgram(u"/bin/sh"_s,
                   QStringList{u"-c"_s, u"echo marvello | exec \"$0\" \"$@\""_s,
                               QStringLiteral(MARVELLO_EXECUTABLE)} +
                       printTo(label, pdf, {u"--db"_s, postgres(), u"--password"_s, u"-"_s})),
        0));

    // While the job runs, its arguments show no password, given alone or in the address.
    QByteArray cmdline;
    const ProcessRun shown = marvello(
        printTo(label, pdf,
                {u"--db"_s, withPassword, u"--password"_s, u"marvello"_s, u"--progress"_s}),
        {}, [&](QProcess& process) {
            process.setReadChannel(QProcess::StandardError);
            process.waitForReadyRead(30000);
            cmdline = readBytes(u"/proc/%1/cmdline"_s.arg(process.processId()));
        });
    EXPECT_TRUE(exited(shown, 0));
    ASSERT_TRUE(cmdline.contains("--password"));
    EXPECT_FALSE(cmdline.contains(QByteArray("\0marvello\0", 10))) << cmdline.toStdString();
    EXPECT_FALSE(cmdline.contains(":marvello@")) << cmdline.toStdString();

    // A wrong password in the address is not repeated in the message; --info hides it too.
    const QString wrong = QString(withPassword).replace(u":marvello@"_s, u":Segreta99@"_s);
    const ProcessRun refused = marvello(printTo(label, pdf, {u"--db"_s, wrong}));
    EXPECT_TRUE(exited(refused, 1));
    EXPECT_FALSE(refused.err.contains(u"Segreta99")) << refused.err.toStdString();
    const ProcessRun info =
        marvello({u"--info"_s, shippingLabel("legato.eti", "clienti.mdb", wrong.toUtf8())});
    EXPECT_TRUE(exited(info, 0));
    EXPECT_TRUE(info.out.contains(u"marvello:***@")) << info.out.toStdString();
    EXPECT_FALSE(info.out.contains(u"Segreta99"));
}

// Names in other people's databases are names, whatever quotes and SQL they hold: a column
// named like a piece of a query reads that column's values, on every kind of source, and a
// less privileged role reads nothing it may not read.
TEST_F(Sources, HostileNamesAreOnlyNames) {
    const QString column = uR"("1" AS Nome, sqlite_version() AS Citta, "x")"_s;
    const QString pgColumn = uR"("id",(SELECT min(v) FROM segreti),"id")"_s;
    const QString myColumn = u"id`,(SELECT user()),`id"_s;
    const QString table = uR"("ostile")"_s;
    const auto doubled = [](QString name, QChar quote) {
        return quote + name.replace(quote, QString(2, quote)) + quote;
    };
    const auto fill = [&](QSqlDatabase db, const QString& name, QChar quote) {
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(u"CREATE TABLE %1 (%2 INTEGER PRIMARY KEY, %3 VARCHAR(40))"_s.arg(
            doubled(table, quote), doubled(u"Codice"_s, quote), doubled(name, quote))))
            << query.lastError().text().toStdString();
        ASSERT_TRUE(query.exec(u"INSERT INTO %1 VALUES (1, 'ciao')"_s.arg(doubled(table, quote))));
    };
    // The table as a label reads it: the name is its column's, the value the one written.
    const auto held = [](const QString& name) {
        return QStringList{u"Codice\t"_s + name, u"1\tciao"_s};
    };

    const QString sqlite = folder.filePath(u"ostile.sqlite"_s);
    withDatabase(u"QSQLITE"_s, sqlite, [&](QSqlDatabase db) { fill(db, column, u'"'); });
    EXPECT_EQ(read(sqlite, table), held(column));

    if (!server(MariaDb).isEmpty()) {
        withDatabase(u"QMYSQL"_s, ownAddress(MariaDb),
                     [&](QSqlDatabase db) { fill(db, myColumn, u'`'); });
        EXPECT_EQ(read(ownAddress(MariaDb), table), held(myColumn));
    }

    REQUIRE_POSTGRES();
    // A role that may read the label's table but not the secrets beside it.
    const QString role = u"magazzino_%1"_s.arg(QCoreApplication::applicationPid());
    withDatabase(u"QPSQL"_s, postgres(), [&](QSqlDatabase db) {
        fill(db, pgColumn, u'"');
        QSqlQuery query(db);
        query.exec(u"DROP ROLE IF EXISTS %1"_s.arg(role));
        for (const QString& statement :
             {u"CREATE TABLE segreti (v TEXT)"_s, u"INSERT INTO segreti VALUES ('segreto')"_s,
              u"CREATE ROLE %1 LOGIN PASSWORD 'magazzino'"_s.arg(role),
              u"GRANT SELECT ON %1 TO %2"_s.arg(doubled(table, u'"'), role)})
            ASSERT_TRUE(query.exec(statement)) << query.lastError().text().toStdString();
    });
    const auto cleanUp = qScopeGuard([&] {
        database.DisconnettiDatabase();
        withDatabase(u"QPSQL"_s, server(PostgreSql), [&](QSqlDatabase db) {
            QSqlQuery(db).exec(dropOwnDatabase(PostgreSql));
            QSqlQuery(db).exec(u"DROP ROLE IF EXISTS %1"_s.arg(role));
        });
        ownAddresses.clear();
    });
    SourceAddress limited = *SourceAddress::parse(postgres());
    limited.user = role;
    EXPECT_EQ(read(limited.toString(), table, u"magazzino"_s), held(pgColumn));
    for (const QString& odbc : odbcSource(u"Ostile"_s, limited)) // when its driver is there
        EXPECT_EQ(read(odbc, table, u"magazzino"_s), held(pgColumn));
}

// A view that never ends stops the job after the time asked, with a message, and the server
// stops working on it; SIGTERM ends a job waiting for such a view within two seconds.
TEST_F(Sources, AQueryThatNeverEndsIsStoppedInTime) {
    const QString view = QStringLiteral(
        "CREATE VIEW infinita AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) "
        "SELECT i AS \"Codice\", 'Cliente' AS \"RagioneSociale\", 'Via Roma' AS \"Indirizzo\", "
        "'00100' AS \"CAP\", 'Roma' AS \"Citta\", 'RM' AS \"Provincia\", "
        "'8001234000011' AS \"EAN\" FROM n");
    const QString label = shippingLabel("infinita.eti", "Clienti", "infinita");
    const QString pdf = folder.filePath(u"infinita.pdf"_s);

    const auto createView = [&](QSqlDatabase db) { ASSERT_TRUE(QSqlQuery(db).exec(view)); };
    const QString sqlite = folder.filePath(u"infinita.sqlite"_s);
    withDatabase(u"QSQLITE"_s, sqlite, createView);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(exited(marvello(printTo(label, pdf, {u"--db"_s, sqlite, u"--timeout"_s, u"2"_s})),
                       1, u"non ha risposto per 2 secondi"));
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_FALSE(QFile::exists(pdf));

    REQUIRE_POSTGRES();
    withDatabase(u"QPSQL"_s, postgres(), createView);
    // The program's queries at work on the server, of connections made since `since`; -1
    // when the server cannot say.
    const auto activeQueries = [&](const QString& since = u"-infinity"_s) {
        return onPostgres(u"SELECT count(*) FROM pg_stat_activity WHERE application_name = "
                          "'marvello' AND state = 'active' AND datname = current_database() "
                          "AND backend_start > CAST(? AS timestamptz)"_s,
                          since)
            .toInt();
    };
    const QStringList options{u"--db"_s, postgres(), u"--password"_s, u"marvello"_s};
    clock.restart();
    EXPECT_TRUE(exited(marvello(printTo(label, pdf, options + QStringList{"--timeout", "3"})), 1,
                       u"non ha risposto per 3 secondi"));
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(activeQueries(), 0); // cancelled on the server too

    const QString started = onPostgres(u"SELECT CAST(clock_timestamp() AS text)"_s).toString();
    const ProcessRun run = marvello(printTo(label, pdf, options), {}, [&](QProcess& process) {
        // Once the server is working on the view, the job is asked to stop.
        while (activeQueries(started) == 0 && process.state() == QProcess::Running)
            QThread::msleep(50);
        clock.restart();
        process.terminate();
    });
    const qint64 afterSignal = clock.elapsed();
    EXPECT_TRUE(exited(run, 143));
    EXPECT_GE(afterSignal, 0);
    EXPECT_LT(afterSignal, 2000);
    EXPECT_FALSE(QFile::exists(pdf));
}

// A connection that drops while labels are drawn stops the job: no file, a message, an exit
// code that says so.
TEST_F(Sources, AConnectionThatDropsMidJobLeavesNoOutput) {
    REQUIRE_POSTGRES();
    withDatabase(u"QPSQL"_s, postgres(), [](QSqlDatabase db) {
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral(
            "CREATE TABLE molti AS SELECT n AS \"Codice\", 'Cliente ' || n AS \"RagioneSociale\", "
            "'Via Roma ' || n AS \"Indirizzo\", '00100' AS \"CAP\", 'Roma' AS \"Citta\", "
            "'RM' AS \"Provincia\", '8001234000011' AS \"EAN\" FROM generate_series(1, 300000) "
            "n")));
    });
    const QString label = shippingLabel("molti.eti", "Clienti", "molti");
    const QString pdf = folder.filePath(u"molti.pdf"_s);
    bool dropped = false;
    const ProcessRun run =
        marvello(printTo(label, pdf,
                         {u"--db"_s, postgres(), u"--password"_s, u"marvello"_s, u"--progress"_s}),
                 {}, [&](QProcess& process) {
                     // Once labels are being drawn, the server ends the program's connection.
                     QByteArray said;
                     process.setReadChannel(QProcess::StandardError);
                     while (!said.contains("Etichetta 2000/") && process.waitForReadyRead(30000))
                         said += process.readAllStandardError();
                     dropped =
                         onPostgres(u"SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                                    "application_name = 'marvello' AND datname = "
                                    "current_database()"_s) == QVariant(true);
                 });
    ASSERT_TRUE(dropped);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
