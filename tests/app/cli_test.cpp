// SPDX-License-Identifier: GPL-3.0-or-later
// The program as scripts and other programs run it.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/files.h"
#include "support/marvelloprocess.h"

using namespace Qt::StringLiterals;

namespace {

class InfoUnderLocale : public ::testing::TestWithParam<const char*> {};

TEST_P(InfoUnderLocale, DescribesTheLabelAsJson) {
    const ProcessRun run = marvello({u"--info"_s, example("completo.eti")},
                                    {u"LC_ALL="_s + QString::fromLatin1(GetParam()),
                                     u"LANG="_s + QString::fromLatin1(GetParam())});
    ASSERT_TRUE(exited(run, 0));
    QJsonParseError error;
    QJsonObject info = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();

    const QJsonObject layout = info["layout"].toObject();
    EXPECT_EQ(layout.size(), 10);
    EXPECT_EQ(layout["LarghezzaEtichetta"].toDouble(), 100);
    EXPECT_EQ(layout["OrigineX"].toDouble(), 1.5);
    EXPECT_EQ(layout["OrigineY"].toDouble(), -2.25);

    const QJsonObject database = info["database"].toObject();
    EXPECT_FALSE(database.contains("PasswordDb"));
    EXPECT_TRUE(database["PasswordSet"].toBool());
    EXPECT_EQ(database["NomeTabella"].toString(), u"Clienti");
    EXPECT_EQ(database["TipoCriterio"].toInt(), 2);

    const QJsonArray elements = info["elements"].toArray();
    ASSERT_EQ(elements.size(), 9);
    EXPECT_EQ(elements[0].toObject()["Left"].toDouble(), 567);
    EXPECT_EQ(elements[1].toObject()["z"].toInt(), 2);
    EXPECT_EQ(elements[5].toObject()["Picture"].toObject()["width"].toInt(), 120);

    // Written back from its JSON, with a turned line and an ellipse added as a script would,
    // the label describes itself as that JSON. Pictures are looked for beside the new label and
    // passwords are never in the JSON: those are left out of the comparison.
    QJsonArray more = elements;
    for (const QJsonValue added : QJsonDocument::fromJson(R"([
        {"kind": "oggLinea", "Index": 1, "Left": 900, "Top": 2000, "Width": 2000, "Height": 0,
         "z": 0, "Rotazione": 90, "SpessoreMm": 0.75, "TipoLinea": 2, "Ascendente": true,
         "BorderColor": 255},
        {"kind": "oggEllisse", "Index": 1, "Left": 1900, "Top": 2100, "Width": 500, "Height": 300,
         "z": 2, "Rotazione": 180, "BackStyle": 1, "BackColor": 65535, "BorderColor": 0,
         "SpessoreMm": 0.5},
        {"kind": "oggImmagine", "Index": 3, "Left": 300, "Top": 2500, "Width": 1500,
         "Height": 1500, "z": 1, "Rotazione": 0, "Tag": "42", "DataMember": "",
         "ToolTipText": "Lotto 42", "Simbologia": "AZTEC", "LarghezzaModulo": 0.5,
         "LivelloQR": "H", "ZoneDiRispetto": true}])")
                                      .array())
        more.append(added);
    info["elements"] = more;
    const auto comparable = [](QJsonObject json) {
        QJsonArray kept;
        for (const QJsonValue& element : json["elements"].toArray()) {
            QJsonObject object = element.toObject();
            object.remove("Picture");
            kept.append(object);
        }
        json["elements"] = kept;
        QJsonObject database = json["database"].toObject();
        database.remove("PasswordSet");
        json["database"] = database;
        QJsonArray stacking;
        for (int i = 1; i <= kept.size(); ++i)
            stacking.append(i);
        json["stacking"] = stacking;
        return json;
    };
    QTemporaryDir folder;
    const QString described = folder.filePath(u"etichetta.json"_s);
    writeBytes(described, QJsonDocument(comparable(info)).toJson());
    const QString label = folder.filePath(u"etichetta.eti"_s);
    ASSERT_TRUE(exited(marvello({u"--from-info"_s, described, u"--to"_s, label}), 0));
    const ProcessRun again = marvello({u"--info"_s, label});
    ASSERT_TRUE(exited(again, 0));
    // Numbers as read from text on both sides: 2000 and 2000.0 are one number.
    EXPECT_EQ(comparable(QJsonDocument::fromJson(again.out.toUtf8()).object()),
              QJsonDocument::fromJson(QJsonDocument(comparable(info)).toJson()).object())
        << again.out.toStdString();
}

// A description that cannot be a label writes nothing and says why.
TEST(Cli, ADescriptionThatIsNoLabelWritesNothing) {
    QTemporaryDir folder;
    const QString label = folder.filePath(u"etichetta.eti"_s);
    const std::pair<const char*, const char*> cases[] = {
        {"[1, 2]", "non è un oggetto"},
        {"{\"elements\": [{\"kind\": \"oggCerchio\"}]}", "non è un tipo di elemento"},
        {"{\"elements\": [{\"kind\": \"oggTesto\", \"FontSize\": \"12\"}]}",
         "\"FontSize\" deve essere un numero"},
        {"{\"elements\": [{\"kind\": \"oggLinea\", \"TipoLinea\": 9}]}", "TipoLinea"},
        {"{\"elements\": [{\"kind\": \"oggTesto\", \"Left\": 1e300}]}", "\"Left\""},
        {"{\"layout\": {\"LarghezzaEtichetta\": 99999}}", "troppo grande"},
        {"{\"elements\": [{\"kind\": \"oggTesto\", \"Rotazione\": 45}]}", "Rotazione"},
        {"{\"elements\": [{\"kind\": \"oggRettangolo\", \"BorderWidth\": 40000}]}", "BorderWidth"},
        {"{\"elements\": [{\"kind\": \"oggTesto\", \"BackColor\": 1e10}]}", "BackColor"},
        {"{\"elements\": [{\"kind\": \"oggImmagine\", \"Simbologia\": \"EAN5\"}]}", "Simbologia"},
        {"{\"elements\": [{\"kind\": \"oggImmagine\", \"LivelloQR\": \"X\"}]}", "LivelloQR"},
        {"{\"elements\": [{\"kind\": \"oggImmagine\", \"LarghezzaModulo\": 9}]}",
         "LarghezzaModulo"}};
    const QString described = folder.filePath(u"etichetta.json"_s);
    for (const auto& [json, why] : cases) {
        SCOPED_TRACE(json);
        writeBytes(described, json);
        EXPECT_TRUE(exited(marvello({u"--from-info"_s, described, u"--to"_s, label}), 1,
                           QString::fromUtf8(why)));
        EXPECT_FALSE(QFile::exists(label));
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, InfoUnderLocale,
                         ::testing::Values("C", "it_IT.UTF-8", "en_US.UTF-8"));

// Every way a run can go wrong: its exit code, what it says on standard error, and no output.
TEST(Cli, FailuresHaveTheirExitCodeAndSayWhy) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath(u"etichette.pdf"_s);
    const QString damagedLabel = folder.filePath(u"rotta.eti"_s);
    writeBytes(damagedLabel, "oggTesto\r\n 10 \r\n");
    const QString damagedPrint = folder.filePath(u"rotta.ant"_s);
    writeBytes(damagedPrint, "MARVELLO-STAMPA\nrotta");
    const QString label = example("prodotto.eti");
    const std::tuple<QStringList, int, const char*> runs[] = {
        {{u"--stampa"_s}, 2, "--stampa"},
        {{u"--print"_s, label}, 2, "--to"},
        {printTo(label, u"x.doc"_s), 2, ""},
        {printTo(label, pdf, {u"--count"_s, u"molte"_s}), 2, "--count"},
        {printTo(label, pdf, {u"--count"_s, u"0"_s}), 3, "Nessuna etichetta"},
        {printTo(label, u"printer:Inesistente"_s), 1, "Inesistente"},
        {printTo(u"/non/esiste.eti"_s, pdf), 1, "non trovato oppure percoso inacessibile"},
        {{u"--info"_s, u"/non/esiste.eti"_s}, 1, "non trovato"},
        {{u"--info"_s, damagedLabel}, 1, "Errore non gestito. Codice: 62"},
        {printTo(example("logo.png"), pdf), 1, "Codice: 321"},
        {printTo(example("clienti.mdb"), pdf), 1, "Codice: 321"},
        {printTo(damagedPrint, pdf), 1, "321"},
        {{label + u",-S"_s}, 4, "display"},
        {{folder.filePath(u"manca.eti,-D"_s)}, 1, "non trovato"},
    };
    for (const auto& [arguments, exitCode, says] : runs) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        EXPECT_TRUE(exited(marvello(arguments), exitCode, QString::fromUtf8(says)));
        EXPECT_FALSE(QFile::exists(pdf));
    }
    const ProcessRun version = marvello({u"--version"_s});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("Marvello "));
    EXPECT_TRUE(marvello({u"--help"_s}).out.contains("--info"));
}

TEST(Cli, WithoutADisplayTheLabelIsSummarisedAndPrintedToAPrivateFolder) {
    QTemporaryDir home;
    const ProcessRun run =
        marvello({example("spedizione.eti")}, {u"XDG_CACHE_HOME="_s + home.path()});
    EXPECT_TRUE(exited(run, 0));
    EXPECT_TRUE(run.out.contains(u"Nessun display")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(u"[RagioneSociale]"));
    const QString folder = home.filePath(u"marvello"_s);
    EXPECT_TRUE(run.out.contains(folder + u"/spedizione.pdf"_s));
    EXPECT_TRUE(QFile::exists(folder + u"/spedizione.pdf"_s));
    EXPECT_EQ(QFile::permissions(folder) & 0x70ff,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); // no one else
}

} // namespace
