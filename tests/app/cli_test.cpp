// SPDX-License-Identifier: GPL-3.0-or-later
// The program as scripts and other programs run it.

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    const QJsonObject first = elements[0].toObject();
    EXPECT_EQ(first["kind"].toString(), u"oggTesto");
    EXPECT_EQ(first["Index"].toInt(), 1);
    EXPECT_EQ(first["Left"].toDouble(), 567);
    EXPECT_EQ(first["FontName"].toString(), u"Courier New");
    EXPECT_EQ(elements[1].toObject()["z"].toInt(), 2);
    const QJsonObject picture = elements[5].toObject();
    EXPECT_EQ(picture["kind"].toString(), u"oggPicture");
    EXPECT_EQ(picture["Picture"].toObject()["width"].toInt(), 120);
    const QJsonObject rectangle = elements[7].toObject();
    EXPECT_EQ(rectangle["BorderWidth"].toInt(), 3);
    EXPECT_EQ(rectangle["Tag"].toString(), u"cornice");
}

INSTANTIATE_TEST_SUITE_P(Locales, InfoUnderLocale,
                         ::testing::Values("C", "it_IT.UTF-8", "en_US.UTF-8"));

TEST(Cli, InfoOnAMissingLabelFailsOnStandardError) {
    const ProcessRun run = marvello({QStringLiteral("--info"), QStringLiteral("/non/esiste.eti")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains("non trovato oppure percoso inacessibile"));
}

TEST(Cli, InfoOnADamagedLabelGivesTheErrorNumber) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("rotta.eti"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("oggTesto\r\n 10 \r\n");
    file.close();
    const ProcessRun run = marvello({QStringLiteral("--info"), path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Errore non gestito. Codice: 62")) << run.err.toStdString();
}

TEST(Cli, VersionHelpAndUnknownOptions) {
    const ProcessRun version = marvello({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("Marvello "));
    const ProcessRun help = marvello({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--info"));
    const ProcessRun unknown = marvello({QStringLiteral("--stampa")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("--stampa"));
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
