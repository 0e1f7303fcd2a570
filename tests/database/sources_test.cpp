// SPDX-License-Identifier: GPL-3.0-or-later
// The same records from every kind of source: demo.mdb's Clienti copied into delimited text
// files of every dialect, an SQLite file, a PostgreSQL and a MariaDB server, then selected
// and printed.
#include "common/windows1252.h"
#include "database/accesssource.h"
#include "database/clsdatabase.h"
#include "database/databaseerror.h"
#include "database/sourceaddress.h"
#include "database/widgets/connectdialogs.h"
#include "printing/printengine.h"
#include "support/files.h"
#include "support/marvelloprocess.h"
#include "support/recordingmessages.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <ctime>
#include <map>

#include <gtest/gtest.h>

namespace {

RowSource clienti() {
    static const RowSource rows =
        AccessSource(testData("demo.mdb"), {}).readSource(QStringLiteral("Clienti"));
    return rows;
}

template <typename Fill> void withDatabase(const QString& driver, const QString& name, Fill&& fill);

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
    return QStringLiteral("marvello_%1").arg(QCoreApplication::applicationPid());
}

QString dropOwnDatabase(const TestServer& kind) {
    const bool postgres = std::string_view(kind.driver) == PostgreSql.driver;
    return QStringLiteral("DROP DATABASE IF EXISTS %1").arg(ownDatabase()) +
           (postgres ? QStringLiteral(" WITH (FORCE)") : QString());
}

// The addresses of this test's own databases, made on first use; gone once dropped.
std::map<const char*, QString>& ownAddresses() {
    static std::map<const char*, QString> addresses;
    return addresses;
}

// The address of this test's own database on the server; empty when there is no server.
QString ownAddress(const TestServer& kind) {
    QString& address = ownAddresses()[kind.variable];
    if (address.isEmpty() && !server(kind).isEmpty()) {
        withDatabase(QString::fromLatin1(kind.driver), server(kind), [&](QSqlDatabase db) {
            QSqlQuery query(db);
            query.exec(dropOwnDatabase(kind));
            ASSERT_TRUE(query.exec(QStringLiteral("CREATE DATABASE %1").arg(ownDatabase())))
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

// PostgreSQL's ODBC driver, where Debian's odbc-postgresql puts it; empty when it is not there.
QString postgresOdbcDriver() {
    for (const QFileInfo& folder : QDir(QStringLiteral("/usr/lib")).entryInfoList(QDir::Dirs)) {
        const QString driver = folder.filePath() + QStringLiteral("/odbc/psqlodbcw.so");
        if (QFileInfo::exists(driver))
            return driver;
    }
    return {};
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
        return when.toString(when.time() == QTime(0, 0) ? QStringLiteral("dd/MM/yyyy")
                                                        : QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Vero") : QStringLiteral("Falso");
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
            text = u'"' + text.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
        return text;
    };
    QString text;
    QStringList line;
    for (const FieldInfo& info : rows.fields)
        line << field(info.name);
    text += line.join(separator) + QStringLiteral("\r\n");
    for (const Row& row : rows.rows) {
        line.clear();
        for (const QVariant& value : row)
            line << field(written(value));
        text += line.join(separator) + QStringLiteral("\r\n");
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
        return type == fieldtype::Boolean ? QStringLiteral("BOOLEAN")
               : type == fieldtype::Long || type == fieldtype::Integer || type == fieldtype::Byte
                   ? QStringLiteral("INTEGER")
               : dbms == QSqlDriver::SQLite ? QStringLiteral("REAL")
                                            : QStringLiteral("DOUBLE PRECISION");
    case fieldtype::Class::Date:
        return dbms == QSqlDriver::PostgreSQL    ? QStringLiteral("TIMESTAMP")
               : dbms == QSqlDriver::MySqlServer ? QStringLiteral("DATETIME")
                                                 : QStringLiteral("TEXT");
    default:
        return QStringLiteral("TEXT");
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
        columns << QStringLiteral("%1 %2%3").arg(
            name(info.name), sqlType(info.type, driver),
            info.name == u"Codice" ? QStringLiteral(" PRIMARY KEY") : QString());
        marks << QStringLiteral("?");
    }
    QSqlQuery query(db);
    ASSERT_TRUE(query.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(name(table))));
    ASSERT_TRUE(
        query.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(name(table), columns.join(u", "))))
        << query.lastError().text().toStdString();
    db.transaction();
    ASSERT_TRUE(query.prepare(
        QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(name(table), marks.join(u", "))));
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
            db.setPassword(QStringLiteral("marvello"));
            db.setDatabaseName(address->database);
        }
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        fill(db);
    }
    QSqlDatabase::removeDatabase(connection);
}

class Sources : public ::testing::Test {
protected:
    ~Sources() override {
        database.DisconnettiDatabase();
        for (const TestServer& kind : {PostgreSql, MariaDb}) {
            if (!ownAddresses()[kind.variable].isEmpty())
                withDatabase(QString::fromLatin1(kind.driver), server(kind),
                             [&](QSqlDatabase db) { QSqlQuery(db).exec(dropOwnDatabase(kind)); });
        }
        ownAddresses().clear();
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
        const QString sqlite = folder.filePath(QStringLiteral("clienti.sqlite"));
        withDatabase(QStringLiteral("QSQLITE"), sqlite,
                     [&](QSqlDatabase db) { copyInto(db, QStringLiteral("Clienti"), rows); });
        names << sqlite;
        for (const TestServer& kind : {PostgreSql, MariaDb}) {
            if (server(kind).isEmpty())
                continue;
            withDatabase(QString::fromLatin1(kind.driver), ownAddress(kind),
                         [&](QSqlDatabase db) { copyInto(db, QStringLiteral("Clienti"), rows); });
            names << ownAddress(kind);
        }
        const QString odbcDriver = postgresOdbcDriver();
        if (!server(PostgreSql).isEmpty() && odbcDriver.isEmpty() &&
            qEnvironmentVariableIsSet("MARVELLO_REQUIRE_POSTGRES"))
            ADD_FAILURE() << "PostgreSQL's ODBC driver (odbc-postgresql) is not installed";
        if (!server(PostgreSql).isEmpty() && !odbcDriver.isEmpty()) {
            // The same PostgreSQL table through an ODBC data source of the test's own.
            const SourceAddress address = *SourceAddress::parse(postgres());
            const QString odbcIni = folder.filePath(QStringLiteral("odbc.ini"));
            writeBytes(odbcIni, QStringLiteral("[MarvelloPG]\nDriver=%1\nServername=%2\nPort=%3\n"
                                               "Database=%4\nUsername=%5\nBoolsAsChar=0\n")
                                    .arg(odbcDriver, address.host)
                                    .arg(address.port)
                                    .arg(address.database, address.user)
                                    .toUtf8());
            qputenv("ODBCINI", odbcIni.toLocal8Bit());
            names << QStringLiteral("odbc:MarvelloPG");
        }
        return names;
    }

    bool connect(const QString& name) {
        database.setNomeDatabase(name);
        database.setPasswordDb(isServer(name) ? QStringLiteral("marvello") : QString());
        return database.ConnettiDatabase();
    }

    // What the records a criterion selects print: each field of each, as a label shows it.
    std::string select(const QString& field, Criterion criterion, const char* equal,
                       const char* from, const char* to) {
        RecordSelection selection{QStringLiteral("clienti"),
                                  field,
                                  criterion,
                                  QString::fromUtf8(equal),
                                  QString::fromUtf8(from),
                                  QString::fromUtf8(to)};
        RecordSelection counted = selection;
        const long count = database.source().count(counted);
        const auto records = database.source().open(selection);
        QStringList printed;
        while (records->next()) {
            QStringList values;
            for (const char* name : {"Codice", "RagioneSociale", "Indirizzo", "CAP", "Citta",
                                     "Fido", "Peso", "Note", "Attivo"})
                values << fieldText(
                    records->row()[std::size_t(records->fieldIndex(QString::fromLatin1(name)))]);
            printed << values.join(u'|');
        }
        EXPECT_EQ(count, long(printed.size()));
        return printed.join(u'\n').toStdString();
    }

    QTemporaryDir folder;
    RecordingMessages messages;
    clsDatabase database;
};

// Text criteria ignore letter case, numbers and dates compare by value, bounds typed with a
// comma or a full stop are the same number: every source selects what Access selects, in the
// key's order, and the values print alike.
TEST_F(Sources, EverySourceSelectsAndPrintsWhatAccessDoes) {
    // Dates compare as written whatever the machine's time zone.
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Rome");
    tzset();
    const auto restoreZone = qScopeGuard([&] {
        zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
        tzset();
    });
    const std::tuple<const char*, Criterion, const char*, const char*, const char*, bool> cases[] =
        {{"Citta", Criterion::Tutti, "", "", "", true},
         {"Citta", Criterion::UgualeA, "roma", "", "", true},
         {"Citta", Criterion::UgualeA, "L'Aquila", "", "", true},
         {"Citta", Criterion::UgualeA, "Roma' OR 'a'='a", "", "", true},
         {"Citta", Criterion::Compreso, "", "Bari", "Firenze", true},
         {"CAP", Criterion::Compreso, "", "00100", "09999", true},
         {"Codice", Criterion::Compreso, "", "10", "", true},
         {"Fido", Criterion::Compreso, "", "1000,5", "5000", true},
         {"Peso", Criterion::UgualeA, "10.5", "", "", true},
         // 13 digits: numbers in the delimited copy, and no open bound leaves them out.
         {"EAN", Criterion::Compreso, "", "8001234000000", "", true},
         {"Attivo", Criterion::UgualeA, "-1", "", "", false},
         {"Attivo", Criterion::UgualeA, "0", "", "", false},
         // A delimited file has no yes/no (it says "Vero"), SQLite no dates (it holds texts).
         {"DataIscrizione", Criterion::Compreso, "", "01/01/2016", "12/31/2016", false},
         {"DataIscrizione", Criterion::UgualeA, "01/12/2015", "", "", false}};
    ASSERT_TRUE(connect(testData("demo.mdb")));
    std::vector<std::string> expected;
    for (const auto& [field, criterion, equal, from, to, everywhere] : cases)
        expected.push_back(select(QString::fromLatin1(field), criterion, equal, from, to));
    const auto records = [](const std::string& printed) {
        return std::count(printed.begin(), printed.end(), '\n') + 1;
    };
    EXPECT_EQ(records(expected[1]), 7);
    EXPECT_EQ(records(expected[2]), 2);
    EXPECT_EQ(records(expected[10]), 36);
    EXPECT_EQ(records(expected[11]), 5); // the customers not active
    EXPECT_EQ(records(expected[12]), 4);

    for (const QString& copy : copies()) {
        SCOPED_TRACE(copy.toStdString());
        ASSERT_TRUE(connect(copy)) << messages.lastText().toStdString();
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const auto& [field, criterion, equal, from, to, everywhere] = cases[i];
            if (!everywhere && !isServer(copy) &&
                (copy.endsWith(u".sqlite") || field != std::string_view("DataIscrizione")))
                continue;
            EXPECT_EQ(select(QString::fromLatin1(field), criterion, equal, from, to), expected[i])
                << field << " '" << equal << "' '" << from << "' '" << to << "'";
        }
    }
}

// The same label prints the same labels (texts and barcodes) from every copy.
TEST_F(Sources, TheSameLabelPrintsTheSameFromEverySource) {
    const QString label = example("spedizione.eti");
    const auto text = [&](const QString& pdf) {
        return runProgram(tool("pdftotext"), {pdf, QStringLiteral("-")}).out;
    };
    const QString access = folder.filePath(QStringLiteral("access.pdf"));
    ASSERT_EQ(marvello(printTo(label, access)).exitCode, 0);
    const QString expected = text(access);
    ASSERT_TRUE(expected.contains(u"Pizzeria \"Da Totò\""));
    int n = 0;
    for (const QString& copy : copies()) {
        const QString pdf = folder.filePath(QStringLiteral("%1.pdf").arg(++n));
        const ProcessRun run =
            marvello(printTo(label, pdf,
                             {QStringLiteral("--db"), copy, QStringLiteral("--password"),
                              QStringLiteral("marvello")}));
        ASSERT_EQ(run.exitCode, 0) << copy.toStdString() << ": " << run.err.toStdString();
        EXPECT_EQ(text(pdf), expected) << copy.toStdString();
    }
}

// Damaged delimited files are refused with the line at fault; a file's separator can be given;
// "Testo Unicode" (UTF-16) reads as well; columns of one name stay apart.
TEST_F(Sources, DelimitedFilesThatCannotBeReadAreRefused) {
    const std::tuple<const char*, QByteArray, const char*> files[] = {
        {"aperte.csv", "Nome,Citta\n\"Rossi,Roma\n", "non si chiudono"},
        {"larga.csv", "Nome;Citta\nRossi;Roma;Lazio\n", "riga 2"},
        {"vuota.csv", "", "nomi dei campi"}};
    for (const auto& [name, bytes, why] : files) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        writeBytes(path, bytes);
        database.setNomeDatabase(path);
        EXPECT_FALSE(database.ConnettiDatabase()) << name;
        EXPECT_TRUE(messages.lastText().contains(QString::fromUtf8(why)))
            << messages.lastText().toStdString();
    }
    const QString unicode = folder.filePath(QStringLiteral("unicode.txt"));
    const QString text = QStringLiteral("Città\tCittà\tCittà\r\nForlì\tCantù\t€\r\n");
    writeBytes(unicode,
               QByteArray("\xFF\xFE", 2) +
                   QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2));
    ASSERT_TRUE(connect(unicode)) << messages.lastText().toStdString();
    RecordSelection cities{QStringLiteral("unicode")};
    const auto read = database.source().open(cities);
    ASSERT_TRUE(read->next());
    EXPECT_EQ(read->row(),
              (Row{QStringLiteral("Forlì"), QStringLiteral("Cantù"), QStringLiteral("€")}));
    EXPECT_EQ(read->fields()[2].name, u"Città_3");

    // A separator named after the path wins over the one the header suggests.
    const QString path = folder.filePath(QStringLiteral("elenco.txt"));
    writeBytes(path, "Nome|Note\nRossi|a, b; c\nBianchi|\"x|y\"\n");
    ASSERT_TRUE(connect(path + QStringLiteral("?separatore=|")));
    RecordSelection all{QStringLiteral("elenco")};
    const auto records = database.source().open(all);
    ASSERT_EQ(records->fields().size(), 2u);
    ASSERT_TRUE(records->next() && records->next());
    EXPECT_EQ(records->row()[1].toString(), u"x|y");

    // The file dialog shows the separator a label names, and names the one chosen.
    frmConnettiDBMDB dialog;
    dialog.setDatabase(path + QStringLiteral("?separatore=|"), {});
    EXPECT_EQ(dialog.txtNomeFileDB->text(), path);
    EXPECT_TRUE(dialog.cmbSeparatore->isEnabled());
    dialog.cmbSeparatore->setCurrentIndex(dialog.cmbSeparatore->findData(QStringLiteral("tab")));
    dialog.cmdOk->click();
    EXPECT_EQ(dialog.NomeFile, path + QStringLiteral("?separatore=tab"));
    dialog.txtNomeFileDB->setText(testData("demo.mdb"));
    EXPECT_FALSE(dialog.cmbSeparatore->isEnabled());
}

TEST_F(Sources, AServerThatRefusesSaysWhy) {
    REQUIRE_POSTGRES();
    const auto address = *SourceAddress::parse(postgres());
    for (const TestServer& kind : {PostgreSql, MariaDb}) {
        if (server(kind).isEmpty())
            continue;
        database.setNomeDatabase(ownAddress(kind));
        database.setPasswordDb(QStringLiteral("sbagliata"));
        EXPECT_FALSE(database.ConnettiDatabase());
        EXPECT_TRUE(messages.lastText().contains(u"password")) << messages.lastText().toStdString();
    }

    SourceAddress down = address;
    down.port = 1; // nothing listens there
    database.setNomeDatabase(down.toString());
    EXPECT_FALSE(database.ConnettiDatabase());
    EXPECT_TRUE(messages.lastText().startsWith(u"Impossibile connettersi al database"));

    // In a batch job: a missing table, and a server that is not there, stop it.
    copies();
    const QString pdf = folder.filePath(QStringLiteral("out.pdf"));
    const auto runWith = [&](const QString& label, const QString& db) {
        return marvello(printTo(label, pdf,
                                {QStringLiteral("--db"), db, QStringLiteral("--password"),
                                 QStringLiteral("marvello")}));
    };
    const QString prodotti = folder.filePath(QStringLiteral("prodotti.eti"));
    QByteArray text = readBytes(example("spedizione.eti"));
    writeBytes(prodotti, text.replace("Clienti", "Fornitori"));
    ProcessRun run = runWith(prodotti, postgres());
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(u"\"Fornitori\" non è nel database")) << run.err.toStdString();
    run = runWith(example("spedizione.eti"), down.toString());
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(u"Impossibile connettersi")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

// "Server di database": "Prova connessione" says what the server says; Ok gives the address.
TEST_F(Sources, TheServerDialogTriesTheConnectionAndGivesTheAddress) {
    REQUIRE_POSTGRES();
    frmConnettiServer dialog;
    dialog.setAddress(postgres(), QStringLiteral("sbagliata"));
    dialog.cmdProva->click();
    EXPECT_TRUE(messages.lastText().contains(u"password")) << messages.lastText().toStdString();
    dialog.txtPassword->setText(QStringLiteral("marvello"));
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
    odbc.txtDatabase->setText(QStringLiteral("Magazzino"));
    odbc.cmdOk->click();
    EXPECT_EQ(odbc.Indirizzo, u"odbc:Magazzino");
}

// A connection that drops while labels are drawn stops the job: no file, a message, an exit
// code that says so.
TEST_F(Sources, AConnectionThatDropsMidJobLeavesNoOutput) {
    REQUIRE_POSTGRES();
    withDatabase(QStringLiteral("QPSQL"), postgres(), [](QSqlDatabase db) {
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral("DROP TABLE IF EXISTS molti")));
        ASSERT_TRUE(query.exec(QStringLiteral(
            "CREATE TABLE molti AS SELECT n AS \"Codice\", 'Cliente ' || n AS \"RagioneSociale\", "
            "'Via Roma ' || n AS \"Indirizzo\", '00100' AS \"CAP\", 'Roma' AS \"Citta\", "
            "'RM' AS \"Provincia\", '8001234000011' AS \"EAN\" FROM generate_series(1, 300000) "
            "n")));
    });
    const QString label = folder.filePath(QStringLiteral("molti.eti"));
    QByteArray text = readBytes(example("spedizione.eti"));
    writeBytes(label, text.replace("Clienti", "molti"));
    const QString pdf = folder.filePath(QStringLiteral("molti.pdf"));
    bool dropped = false;
    const ProcessRun run = marvello(
        printTo(label, pdf,
                {QStringLiteral("--db"), postgres(), QStringLiteral("--password"),
                 QStringLiteral("marvello"), QStringLiteral("--progress")}),
        {}, [&](QProcess& process) {
            // Once labels are being drawn, the server ends the program's connection.
            QByteArray said;
            process.setReadChannel(QProcess::StandardError);
            while (!said.contains("Etichetta 2000/") && process.waitForReadyRead(30000))
                said += process.readAllStandardError();
            withDatabase(QStringLiteral("QPSQL"), postgres(), [&](QSqlDatabase db) {
                QSqlQuery query(db);
                dropped = query.exec(QStringLiteral(
                              "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                              "application_name = 'marvello' AND datname = current_database()")) &&
                          query.next() && query.value(0).toBool();
            });
        });
    ASSERT_TRUE(dropped);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
