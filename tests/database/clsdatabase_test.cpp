// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/regionalsettings.h"
#include "database/accesssource.h"
#include "database/clsdatabase.h"
#include "database/databaseerror.h"
#include "database/storedquery.h"
#include "support/databaseerrors.h"
#include "support/marvelloprocess.h"
#include "support/recordingmessages.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Database : public ::testing::Test {
protected:
    void connect(const char* file) {
        database.setNomeDatabase(testData(file));
        ASSERT_TRUE(database.ConnettiDatabase()) << messages.lastText().toStdString();
    }

    const AccessSource& access() const {
        return dynamic_cast<const AccessSource&>(database.source());
    }

    static QStringList names(const std::vector<FieldInfo>& fields) {
        QStringList names;
        for (const FieldInfo& field : fields)
            names << field.name;
        return names;
    }

    // The Codice values of the records a criterion selects.
    std::vector<int> select(RecordSelection& selection, const QString& key = u"Codice"_s) {
        const auto records = database.source().open(selection);
        const int index = records->fieldIndex(key);
        std::vector<int> codes;
        while (records->next())
            codes.push_back(records->row()[std::size_t(index)].toInt());
        return codes;
    }
    std::vector<int> select(const QString& table, const QString& field, int criterion,
                            const QString& equal, const QString& from = {},
                            const QString& to = {}) {
        RecordSelection selection{table, field, Criterion(criterion), equal, from, to};
        return select(selection);
    }

    RecordingMessages messages;
    clsDatabase database;
};

TEST_F(Database, AMissingFileOrAWrongPasswordSaysSo) {
    database.setNomeDatabase(u"/non/esiste.mdb"_s);
    EXPECT_FALSE(database.ConnettiDatabase());
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.lastText(), u"Impossibile connettersi al database /non/esiste.mdb: il "
                                   u"file non esiste o non è accessibile.");
    EXPECT_EQ(messages.messages[0].title, u"objDatabase");
    EXPECT_EQ(messages.beeps, 1);
    EXPECT_FALSE(database.isConnected());

    // A wrong password gives the engine's number.
    database.setNomeDatabase(testData("demo_password.mdb"));
    database.setPasswordDb(u"sbagliata"_s);
    EXPECT_FALSE(database.ConnettiDatabase());
    EXPECT_EQ(messages.lastText(), u"Errore non gestito. Codice:3031\rPassword non valida.");
    database.setPasswordDb(u"segreto"_s);
    EXPECT_TRUE(database.ConnettiDatabase());
    EXPECT_EQ(database.source().tableNames(),
              QStringList({"Clienti", "Prodotti", "Ordini Aperti"}));
    EXPECT_FALSE(database.DisconnettiDatabase());
    EXPECT_FALSE(database.isConnected());
}

TEST_F(Database, ListsHideSystemTablesAndKeepCatalogOrder) {
    connect("demo.mdb");
    EXPECT_EQ(database.source().tableNames(),
              QStringList({"Clienti", "Prodotti", "Ordini Aperti"}));
    EXPECT_EQ(database.source().queryNames(),
              QStringList({"ClientiRoma", "ClientiAttivi", "Etichette Prodotti"}));
    EXPECT_EQ(names(database.source().fields(u"Ordini Aperti"_s)),
              QStringList({"NumeroOrdine", "CodiceCliente", "CodiceArticolo", "Data Ordine",
                           "Quantità", "Urgente"}));
    EXPECT_EQ(names(database.source().fields(u"ClientiAttivi"_s)),
              QStringList({"Codice", "Nome", "Citta", "EAN"}));
    // Names as users type them: letter case and blanks around do not count.
    EXPECT_TRUE(database.source().contains(u" clientiroma "_s));
    EXPECT_TRUE(database.source().contains(u"ordini aperti"_s));
    EXPECT_FALSE(database.source().contains(u"Clienti Roma"_s));

    // A database of system tables lists nothing.
    connect("solo_sistema.mdb");
    EXPECT_TRUE(database.source().tableNames().isEmpty());
    EXPECT_TRUE(database.source().queryNames().isEmpty());
    EXPECT_TRUE(database.source().contains(u"msysobjects"_s));
}

// Every field type has its Access code; binary and GUID fields select everything.
TEST_F(Database, FieldTypesValuesAndNulls) {
    connect("types.mdb");
    std::vector<int> types;
    for (const FieldInfo& field : access().readSource(u"Tipi"_s).fields)
        types.push_back(field.type);
    EXPECT_EQ(types, (std::vector<int>{4, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 20, 12}));
    for (const char* field : {"CampoBinario", "CampoGUID"}) {
        RecordSelection selection{u"Tipi"_s, QString::fromLatin1(field), Criterion::UgualeA,
                                  u"x"_s};
        EXPECT_EQ(database.source().count(selection), 3);
    }

    RecordSelection all{u"Tipi"_s};
    const auto records = database.source().open(all);
    const auto value = [&](const char* name) {
        return records->row()[std::size_t(records->fieldIndex(QString::fromLatin1(name)))];
    };
    ASSERT_TRUE(records->next());
    EXPECT_EQ(value("CampoTesto").toString(), u"Perché è così");
    EXPECT_EQ(value("CampoIntero").toInt(), -1234);
    EXPECT_DOUBLE_EQ(value("CampoValuta").toDouble(), 1234.5678);
    EXPECT_DOUBLE_EQ(value("CampoDoppio").toDouble(), 2.718281828459045);
    EXPECT_EQ(value("CampoData").toDateTime(),
              QDateTime(QDate(2024, 2, 29), QTime(13, 45, 30), Qt::UTC));
    EXPECT_EQ(value("CampoMemo").toString(), u"Testo lungo con € e a capo\r\nseconda riga");
    ASSERT_TRUE(records->next());
    ASSERT_TRUE(records->next());
    EXPECT_TRUE(value("CampoTesto").isNull());
    EXPECT_FALSE(records->next());
}

TEST(ValoreCampo, OverrideDefaultAndValue) {
    EXPECT_EQ(ValoreCampo(QVariant(), 10, QString()).toString(), u"");
    EXPECT_EQ(ValoreCampo(QVariant(), 10, QString(), u"   "_s).toString(), u"");
    EXPECT_EQ(ValoreCampo(u"x"_s, 10, QString(), u"  "_s).toString(), u"x");
    EXPECT_EQ(ValoreCampo(u"x"_s, 10, QString(), u"y"_s).toString(), u"y");
    EXPECT_EQ(ValoreCampo(u" a "_s, 14, QString()).toString(), u"a");
}

// Open bounds are rewritten into the caller's values; decimals compare exactly; bad criteria
// are errors; large tables select as small ones.
TEST_F(Database, SelectionCriteria) {
    connect("demo.mdb");
    RecordSelection cities{u"Clienti"_s, u"Citta"_s, Criterion::Compreso};
    EXPECT_EQ(select(cities).size(), 39u); // all but the one without a city
    EXPECT_EQ(cities.from, QString(34, u'0'));
    EXPECT_EQ(cities.to, QString(34, u'Z'));

    RecordSelection twelve{u"Clienti"_s, u"Codice"_s, Criterion::UgualeA, u"12abc"_s};
    EXPECT_EQ(select(twelve), std::vector<int>{12});
    EXPECT_EQ(twelve.equalTo, u"12");

    EXPECT_EQ(
        databaseError([&] { select(u"Clienti"_s, u"DataIscrizione"_s, 1, u"ieri"_s); }).number,
        DatabaseError::SyntaxError);
    EXPECT_THROW(select(u"Clienti"_s, u"Manca"_s, 1, u"x"_s), DatabaseError);
    EXPECT_THROW(select(u"Manca"_s, u"Citta"_s, 0, {}), DatabaseError);

    // Decimal bounds select the same rows whatever the locale, typed with a comma or a full stop.
    const auto clienti = u"Clienti"_s, peso = u"Peso"_s;
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::Italian, QLocale::Italy)}) {
        RegionalSettings::setLocale(locale);
        SCOPED_TRACE(locale.name().toStdString());
        for (const char* typed : {"10.5", "10,5"})
            EXPECT_EQ(select(clienti, peso, 1, QString::fromLatin1(typed)), std::vector<int>{8});
        EXPECT_EQ(select(clienti, peso, 2, {}, u"9,5"_s, u"11.75"_s), (std::vector<int>{8, 9}));
        // 0.5 is no open bound.
        EXPECT_EQ(select(clienti, peso, 2, {}, u"-1"_s, u"0.5"_s), (std::vector<int>{4, 20}));
    }

    connect("grande.mdb");
    EXPECT_EQ(select(u"Indirizzi"_s, u"Citta"_s, 1, u"Roma"_s).size(), 2000u);
    EXPECT_EQ(
        select(u"Indirizzi"_s, u"Codice"_s, 2, {}, u"19991"_s, {}),
        (std::vector<int>{19991, 19992, 19993, 19994, 19995, 19996, 19997, 19998, 19999, 20000}));
}

TEST_F(Database, StoredQueriesThatRunGiveAccessRowsInOrderAndOthersAreRefusedByName) {
    connect("queryTestV2000.mdb");
    EXPECT_EQ(access().allQueryNames().size(), 9);
    EXPECT_TRUE(database.source().queryNames().isEmpty()); // none a label can use
    for (const QString& query : access().allQueryNames()) {
        const DatabaseError error = databaseError([&] { access().readSource(query); });
        EXPECT_TRUE(error.description.contains(query) || error.number == 3078)
            << query.toStdString() << ": " << error.description.toStdString();
    }

    connect("demo.mdb");
    EXPECT_EQ(database.source().queryNames(), access().allQueryNames());
    EXPECT_EQ(select(u"ClientiRoma"_s, {}, 0, {}), (std::vector<int>{1, 4, 11, 16, 29, 35, 40}));
    EXPECT_EQ(
        select(u"ClientiAttivi"_s, {}, 0, {}),
        (std::vector<int>{36, 20, 34, 37, 2,  3,  12, 26, 15, 18, 19, 5,  27, 9, 7,  28, 30, 35,
                          10, 22, 14, 21, 23, 17, 33, 38, 1,  31, 11, 16, 24, 4, 29, 40, 8}));
    // A criterion over a query's alias.
    EXPECT_EQ(select(u"ClientiAttivi"_s, u"Nome"_s, 2, {}, u"A"_s, u"Bz"_s),
              (std::vector<int>{36, 20, 34, 37, 2}));

    const RowSource products = access().readSource(u"Etichette Prodotti"_s);
    ASSERT_EQ(products.rows.size(), 22u);
    const auto article = std::size_t(products.fieldIndex(u"CodiceArticolo"_s));
    EXPECT_EQ(products.rows.front()[article].toString(), u"ART-006");
    EXPECT_EQ(products.rows.back()[article].toString(), u"ART-012");
    EXPECT_EQ(products.fields[std::size_t(products.fieldIndex(u"Prezzo"_s))].type, 5);
}

TEST(StoredQueryKinds, HiddenSelectQueriesRunAndOthersAreNotOffered) {
    const RowSource clienti{{{u"Codice"_s, fieldtype::Long, u"Clienti"_s},
                             {u"Costo"_s, fieldtype::Double, u"Clienti"_s}},
                            {{1, 12.2}, {2, 24.4}}};
    storedquery::Definition form;
    form.options = 1 | 8; // SELECT DISTINCTROW *
    form.inputs = {{u"Clienti"_s, {}}};
    const auto source = [&](const QString&) { return clienti; };
    EXPECT_FALSE(storedquery::whyNotRunnable(form));
    EXPECT_EQ(storedquery::run(form, u"~sq_fClienti"_s, source).rows.size(), 2u);

    storedquery::Definition net = form;
    net.options = 0;
    net.outputs = {{u"[Codice]"_s, {}}, {u"[Costo]/1.22"_s, {}}, {u"-[Costo]"_s, u"Meno"_s}};
    net.where = u"[Costo] * 2 > 30"_s;
    const RowSource result = storedquery::run(net, u"Netto"_s, source);
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_EQ(result.fields[1].name, u"Expr1001");
    EXPECT_NEAR(result.rows[0][1].toDouble(), 20.0, 1e-9);

    storedquery::Definition functions = form;
    functions.outputs = {{u"Format([Costo], 'Fixed')"_s, {}}};
    EXPECT_TRUE(storedquery::whyNotRunnable(functions));
}

} // namespace
