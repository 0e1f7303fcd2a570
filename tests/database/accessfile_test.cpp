// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/accessfile.h"
#include "database/databaseerror.h"
#include "support/databaseerrors.h"
#include "support/files.h"
#include "support/marvelloprocess.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

int openError(const QString& path, const QString& password = {}) {
    return databaseError([&] { AccessFile::open(path, password); }).number;
}

TEST(OpenAccessFile, PasswordsMustMatchExactly) {
    EXPECT_EQ(openError(testData("demo_password.mdb"), u"segreto"_s), 0);
    EXPECT_EQ(openError(testData("demo_password.mdb")), DatabaseError::InvalidPassword);
    EXPECT_EQ(openError(testData("demo_password.mdb"), u"Segreto"_s),
              DatabaseError::InvalidPassword);
    // The password is decoded from the header of each version of the format.
    for (const char* file : {"V2000_with-password.mdb", "V2003_with-password.mdb"}) {
        EXPECT_EQ(openError(testData(file), u"password"_s), 0) << file;
        EXPECT_EQ(openError(testData(file), u"passwore"_s), DatabaseError::InvalidPassword) << file;
    }
    // A file without a password opens with any, as Access opens it.
    EXPECT_EQ(openError(testData("demo.mdb"), u"qualcosa"_s), 0);
    EXPECT_EQ(openError(testData("testV1997.mdb"), u"qualcosa"_s), 0);
}

TEST(OpenAccessFile, Jet3FilesReadToo) {
    const auto file = AccessFile::open(testData("testV1997.mdb"), {});
    const RowSource table = file->readTable(u"Table1"_s);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[1][0].toString(), u"abcdefg");
    EXPECT_EQ(table.rows[1][3].toInt(), 222);
    EXPECT_DOUBLE_EQ(table.rows[1][5].toDouble(), 444.555);
    EXPECT_EQ(table.rows[1][6].toDateTime().date(), QDate(1974, 9, 21));
    EXPECT_TRUE(table.rows[1][8].toBool());
}

// Paths and files that are no database are refused. Damaged copies of a real file: every one
// opens and reads, or fails with a number; none crashes or hangs the program.
TEST(OpenAccessFile, PathsFilesThatAreNoDatabaseAndDamagedFiles) {
    QTemporaryDir folder;
    EXPECT_EQ(openError(u"/non/esiste/a.mdb"_s), DatabaseError::InvalidPath);
    EXPECT_EQ(openError(folder.filePath(u"manca.mdb"_s)), DatabaseError::CannotOpen);
    const QString text = folder.filePath(u"testo.mdb"_s);
    writeBytes(text, QByteArray(8192, 'a'));
    EXPECT_EQ(openError(text), DatabaseError::UnrecognizedFormat);
    const QString empty = folder.filePath(u"vuoto.mdb"_s);
    writeBytes(empty, {});
    EXPECT_NE(openError(empty), 0);

    AccessFile::setReadTimeLimit(3000);
    const QByteArray original = readBytes(testData("demo.mdb"));
    quint32 seed = 20261206;
    auto random = [&] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    int failures = 0;
    for (int copy = 0; copy < 24; ++copy) {
        QByteArray damaged = original;
        if (copy % 4 == 3) {
            damaged.truncate(4096 * (4 + int(random() % 30)) + int(random() % 3) * 100);
        } else {
            const int flips = copy % 4 == 0 ? 3 : copy % 4 == 1 ? 60 : 600;
            for (int i = 0; i < flips; ++i)
                damaged[4096 + qsizetype(random() % quint32(damaged.size() - 4096))] =
                    char(random());
        }
        const QString path = folder.filePath(u"rotto%1.mdb"_s.arg(copy));
        writeBytes(path, damaged);
        try {
            AccessFile::open(path, {})->readTable(u"Clienti"_s);
        } catch (const DatabaseError& error) {
            EXPECT_GT(error.number, 0);
            ++failures;
        }
    }
    EXPECT_GT(failures, 0);
    AccessFile::setReadTimeLimit(20000);
}

} // namespace
