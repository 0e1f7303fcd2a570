// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/numbers.h"
#include "common/programfolders.h"
#include "printcomponent/inifile.h"
#include "support/files.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class IniFile : public ::testing::Test {
protected:
    void write(const QByteArray& bytes) { writeBytes(file, bytes); }
    QByteArray read() const { return readBytes(file); }

    QTemporaryDir folder;
    QString file = folder.filePath(QStringLiteral("pressivo.ini"));
};

TEST_F(IniFile, KeysMatchWithoutLetterCaseAndTheLastOneWins) {
    write("altro=1\r\nMARGINE SUPERIORE=1,5\r\nMargine superiore = 9\r\nmargine superiore=2,5\r\n");
    EXPECT_EQ(GetKeyIni(file, QStringLiteral("Margine superiore")), u"2,5");
    write("MARGINE SUPERIORE=  1,5  \r\n");
    EXPECT_EQ(GetKeyIni(file, QStringLiteral("Margine superiore=")), u"1,5");
    EXPECT_DOUBLE_EQ(ValoreNumerico(GetKeyIni(file, QStringLiteral("Margine superiore"))) * 567,
                     850.5);
    EXPECT_EQ(GetKeyIni(file, QStringLiteral("Margine destro")), u"");
    EXPECT_EQ(GetKeyIni(QStringLiteral("/non/esiste.ini"), QStringLiteral("x")), u"");
    EXPECT_EQ(GetKeyIni(QString(), QStringLiteral("x")), u"");
}

TEST_F(IniFile, ABlankBeforeTheSignBreaksTheKey) {
    write("Margine destro =1\r\n");
    EXPECT_EQ(GetKeyIni(file, QStringLiteral("Margine destro")), u"");
    ASSERT_TRUE(SetKeyIni(file, QStringLiteral("Margine destro"), QStringLiteral("0,30")));
    EXPECT_EQ(read(), QByteArray("Margine destro =1\r\nMargine destro=0,30\r\n"));
}

TEST_F(IniFile, RewritesEveryMatchKeepsOtherLinesAndLeavesNoTemporaryFile) {
    write("# note\r\nmargine sinistro=1\r\nuno=2\r\nMARGINE SINISTRO=3\r\n");
    ASSERT_TRUE(SetKeyIni(file, QStringLiteral("Margine sinistro"), QStringLiteral("0,50")));
    EXPECT_EQ(read(),
              QByteArray("# note\r\nmargine sinistro=0,50\r\nuno=2\r\nMARGINE SINISTRO=0,50\r\n"));
    EXPECT_EQ(temporaryIniFile(file), folder.filePath(QStringLiteral("pressivo.~tm")));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("pressivo.~tm"))));
}

TEST_F(IniFile, ARewriteKeepsWhoMayReadTheFile) {
    write("margine sinistro=1\r\n");
    const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(file, ownerOnly));
    ASSERT_TRUE(SetKeyIni(file, QStringLiteral("Margine sinistro"), QStringLiteral("2")));
    EXPECT_EQ(QFile::permissions(file) & 0x70ff, ownerOnly);
}

TEST_F(IniFile, AMissingFileIsCreatedWithOneLine) {
    ASSERT_TRUE(SetKeyIni(file, QStringLiteral("Margine inferiore"), QStringLiteral("0,30")));
    EXPECT_EQ(read(), QByteArray("Margine inferiore=0,30\r\n"));
    EXPECT_FALSE(SetKeyIni(QString(), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_FALSE(SetKeyIni(file, QString(), QStringLiteral("v")));
}

TEST(TemporaryIniFile, ExtensionOnlyAfterTheLastFolder) {
    EXPECT_EQ(temporaryIniFile(QStringLiteral("/a.b/pressivo")), u"/a.b/pressivo~tm");
    EXPECT_EQ(temporaryIniFile(QStringLiteral("C:\\a.b\\pressivo.ini")), u"C:\\a.b\\pressivo.~tm");
}

} // namespace

namespace {

TEST(ProgramFolders, AnInstalledProgramUsesTheUsersFoldersAPortableOneItsOwn) {
    const QString config = QStringLiteral("/home/anna/.config/Marvello");
    const QString data = QStringLiteral("/home/anna/.local/share/Marvello");
    const auto installed =
        programfolders::choose(QStringLiteral("/usr/bin"), true, true, config, data);
    EXPECT_EQ(installed.settings, config); // even where root could write
    EXPECT_EQ(installed.prints, data + QStringLiteral("/Stampe"));
    const auto portable =
        programfolders::choose(QStringLiteral("/opt/marvello"), false, true, config, data);
    EXPECT_EQ(portable.settings, u"/opt/marvello");
    EXPECT_EQ(portable.prints, u"/opt/marvello/Stampe");
    const auto readOnly =
        programfolders::choose(QStringLiteral("/opt/marvello"), false, false, config, data);
    EXPECT_EQ(readOnly.settings, config);
}

} // namespace
