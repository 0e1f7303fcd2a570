// SPDX-License-Identifier: GPL-3.0-or-later
// The program as scripts and other programs run it.

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/files.h"
#include "support/marvelloprocess.h"

namespace {

class InfoUnderLocale : public ::testing::TestWithParam<const char*> {};

TEST_P(InfoUnderLocale, DescribesTheLabelAsJson) {
    const ProcessRun run = marvello({QStringLiteral("--info"), example("completo.eti")},
                                    {QStringLiteral("LC_ALL=") + QString::fromLatin1(GetParam()),
                                     QStringLiteral("LANG=") + QString::fromLatin1(GetParam())});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QJsonParseError error;
    const QJsonObject info = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
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
}

INSTANTIATE_TEST_SUITE_P(Locales, InfoUnderLocale,
                         ::testing::Values("C", "it_IT.UTF-8", "en_US.UTF-8"));

// Every way a run can go wrong: its exit code, what it says on standard error, and no output.
TEST(Cli, FailuresHaveTheirExitCodeAndSayWhy) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("etichette.pdf"));
    const QString damagedLabel = folder.filePath(QStringLiteral("rotta.eti"));
    writeBytes(damagedLabel, "oggTesto\r\n 10 \r\n");
    const QString damagedPrint = folder.filePath(QStringLiteral("rotta.ant"));
    writeBytes(damagedPrint, "MARVELLO-STAMPA\nrotta");
    const QString label = example("prodotto.eti");
    const auto print = [&](const QString& what, const QStringList& more = {}) {
        return QStringList{QStringLiteral("--print"), what, QStringLiteral("--to"), pdf} + more;
    };
    const std::tuple<QStringList, int, const char*> runs[] = {
        {{QStringLiteral("--stampa")}, 2, "--stampa"},
        {{QStringLiteral("--print"), label}, 2, "--to"},
        {{QStringLiteral("--print"), label, QStringLiteral("--to"), QStringLiteral("x.doc")},
         2,
         ""},
        {print(label, {QStringLiteral("--count"), QStringLiteral("molte")}), 2, "--count"},
        {print(label, {QStringLiteral("--count"), QStringLiteral("0")}), 3, "Nessuna etichetta"},
        {{QStringLiteral("--print"), label, QStringLiteral("--to"),
          QStringLiteral("printer:Inesistente")},
         1,
         "Inesistente"},
        {print(QStringLiteral("/non/esiste.eti")), 1, "non trovato oppure percoso inacessibile"},
        {{QStringLiteral("--info"), QStringLiteral("/non/esiste.eti")}, 1, "non trovato"},
        {{QStringLiteral("--info"), damagedLabel}, 1, "Errore non gestito. Codice: 62"},
        {print(example("logo.png")), 1, "Codice: 321"},
        {print(example("clienti.mdb")), 1, "Codice: 321"},
        {print(damagedPrint), 1, "321"},
        {{label + QStringLiteral(",-S")}, 4, "display"},
        {{folder.filePath(QStringLiteral("manca.eti,-D"))}, 1, "non trovato"},
    };
    for (const auto& [arguments, exitCode, says] : runs) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const ProcessRun run = marvello(arguments);
        EXPECT_EQ(run.exitCode, exitCode);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(says))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }
    const ProcessRun version = marvello({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("Marvello "));
    EXPECT_TRUE(marvello({QStringLiteral("--help")}).out.contains("--info"));
}

TEST(Cli, WithoutADisplayTheLabelIsSummarisedAndPrintedToAPrivateFolder) {
    QTemporaryDir home;
    const ProcessRun run =
        marvello({example("spedizione.eti")}, {QStringLiteral("XDG_CACHE_HOME=") + home.path()});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString out = run.out;
    EXPECT_TRUE(out.contains(u"Nessun display")) << run.out.toStdString();
    EXPECT_TRUE(out.contains(u"[RagioneSociale]"));
    const QString folder = home.filePath(QStringLiteral("marvello"));
    EXPECT_TRUE(out.contains(folder + QStringLiteral("/spedizione.pdf")));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/spedizione.pdf")));
    EXPECT_EQ(QFile::permissions(folder) & 0x70ff,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); // no one else
}

} // namespace
