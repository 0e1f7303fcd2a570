// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/programfolders.h"
#include "printcomponent/inifile.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Keys match without letter case and the last one wins. A blank before the sign breaks the
// key; every match is rewritten and other lines kept; a missing file is made with one line; no
// temporary file stays behind; a rewrite keeps who may read the file.
TEST(IniFile, KeysMatchWithoutLetterCaseAndEveryMatchIsRewritten) {
    QTemporaryDir folder;
    const QString file = folder.filePath(u"pressivo.ini"_s);
    const auto write = [&](const QByteArray& bytes) { writeBytes(file, bytes); };
    write("altro=1\r\nMARGINE SUPERIORE=1,5\r\nMargine superiore = 9\r\nmargine superiore=2,5\r\n");
    EXPECT_EQ(GetKeyIni(file, u"Margine superiore"_s), u"2,5");
    write("MARGINE SUPERIORE=  1,5  \r\nMargine destro =1\r\n"); // a blank breaks that key
    EXPECT_EQ(GetKeyIni(file, u"Margine superiore="_s), u"1,5");
    EXPECT_EQ(GetKeyIni(file, u"Margine destro"_s), u"");
    EXPECT_EQ(GetKeyIni(QString(), u"x"_s), u"");

    const std::tuple<QByteArray, const char*, QByteArray> rewrites[] = {
        {"Margine destro =1\r\n", "Margine destro", "Margine destro =1\r\nMargine destro=0,30\r\n"},
        {"# note\r\nmargine sinistro=1\r\nuno=2\r\nMARGINE SINISTRO=3\r\n", "Margine sinistro",
         "# note\r\nmargine sinistro=0,30\r\nuno=2\r\nMARGINE SINISTRO=0,30\r\n"},
        {{}, "Margine inferiore", "Margine inferiore=0,30\r\n"}};
    for (const auto& [before, key, after] : rewrites) {
        QFile::remove(file);
        if (!before.isEmpty())
            write(before);
        ASSERT_TRUE(SetKeyIni(file, QString::fromLatin1(key), u"0,30"_s));
        EXPECT_EQ(readBytes(file), after);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{u"pressivo.ini"_s});
    }
    EXPECT_EQ(GetKeyIni(u"/non/esiste.ini"_s, u"x"_s), u"");
    EXPECT_FALSE(SetKeyIni(QString(), u"k"_s, u"v"_s));
    EXPECT_FALSE(SetKeyIni(file, QString(), u"v"_s));

    write("margine sinistro=1\r\n");
    const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(file, ownerOnly));
    ASSERT_TRUE(SetKeyIni(file, u"Margine sinistro"_s, u"2"_s));
    EXPECT_EQ(QFile::permissions(file) & 0x70ff, ownerOnly);
}

TEST(ProgramFolders, AnInstalledProgramUsesTheUsersFoldersAPortableOneItsOwn) {
    const QString config = u"/home/anna/.config/Marvello"_s;
    const QString data = u"/home/anna/.local/share/Marvello"_s;
    const auto installed = programfolders::choose(u"/usr/bin"_s, true, true, config, data);
    EXPECT_EQ(installed.settings, config); // even where root could write
    EXPECT_EQ(installed.prints, data + u"/Stampe"_s);
    const auto portable = programfolders::choose(u"/opt/marvello"_s, false, true, config, data);
    EXPECT_EQ(portable.settings, u"/opt/marvello");
    EXPECT_EQ(portable.prints, u"/opt/marvello/Stampe");
    const auto readOnly = programfolders::choose(u"/opt/marvello"_s, false, false, config, data);
    EXPECT_EQ(readOnly.settings, config);
}

} // namespace
