// SPDX-License-Identifier: GPL-3.0-or-later
// Access files written by other programs read right, or are refused (a password must match
// exactly); damaged and cut files never print as if they were whole.

#include "database/accessfile.h"
#include "database/accessraw.h"
#include "database/databaseerror.h"
#include "support/databaseerrors.h"
#include "support/files.h"
#include "support/marvelloprocess.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

RowSource table(const char* file, const char* name) {
    return AccessFile::open(testData(file), {})->readTable(QString::fromLatin1(name));
}

QVariant value(const RowSource& source, int row, const char* field) {
    const int index = source.fieldIndex(QString::fromLatin1(field));
    EXPECT_GE(index, 0) << field;
    return index < 0 ? QVariant() : source.rows.at(std::size_t(row)).at(std::size_t(index));
}

int openError(const QString& path, const QString& password = {}) {
    return databaseError([&] { AccessFile::open(path, password); }).number;
}

TEST(RealAccessFiles, CalculatedColumnsDatesLargeNumbersMemosAndUnicode) {
    const RowSource rows = table("calcFieldTestV2010.accdb", "Table1");
    EXPECT_EQ(value(rows, 0, "LastFirst").toString(), u"Wayne, Bruce");
    EXPECT_EQ(value(rows, 0, "AllNames").toString(), u"Wayne, Bruce=Wayne, Bruce"); // a memo
    EXPECT_EQ(value(rows, 0, "LastFirstLen").toInt(), 12);
    EXPECT_NEAR(value(rows, 0, "MonthlySalary").toDouble(), 83333.3333, 1e-9);
    EXPECT_TRUE(value(rows, 0, "IsRich").toBool());
    EXPECT_NEAR(value(rows, 0, "DecimalTest").toDouble(), 50.325, 1e-9);
    EXPECT_NEAR(value(rows, 1, "Popularity").toDouble(), -36.2222, 1e-9);

    // Dates before 1900, and extended dates.
    const RowSource old = table("oldDatesV2007.accdb", "Table1");
    QList<int> years;
    for (std::size_t row = 0; row < old.rows.size(); ++row)
        years << value(old, int(row), "DateField").toDateTime().date().year();
    EXPECT_TRUE(years.contains(1582) && years.contains(1492) && years.contains(1392));

    const RowSource extended = table("extDateTestV2019.accdb", "Table1");
    EXPECT_EQ(value(extended, 0, "DateExt").toDateTime(),
              QDateTime(QDate(2020, 6, 17), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(value(extended, 2, "DateExt").toDateTime(),
              QDateTime(QDate(2021, 6, 14), QTime(12, 45), Qt::UTC));
    EXPECT_EQ(value(extended, 2, "DateNormalCalc").toDateTime(),
              value(extended, 2, "DateNormal").toDateTime());

    // A memo kept on a page of its own.
    EXPECT_TRUE(value(table("test2V2000.mdb", "MSP_PROJECTS"), 0, "PROJ_PROP_AUTHOR")
                    .toString()
                    .startsWith(u"Jon Iles this is a a vawesrasoih"));
    EXPECT_EQ(value(table("bigint.accdb", "Table"), 0, "Numeric").toLongLong(), 42);
    const RowSource unicode = table("testUnicodeCompV2003.mdb", "Table");
    EXPECT_EQ(value(unicode, 1, "Unicode").toString(), u"ääkkösiä");
    EXPECT_EQ(value(unicode, 2, "Unicode").toString(), u"Мир");
    EXPECT_EQ(value(unicode, 4, "Unicode").toString(), u"漢字仮名交じり文");
}

TEST(RealAccessFiles, ObjectsAndAttachmentsAreNeverPrinted) {
    for (const auto& [file, name, field] :
         {std::tuple{"attachments.accdb", "Table1", "Attachments"},
          std::tuple{"calcFieldTestV2010.accdb", "f_BEB1C424567B4F848D2A3541BE7E10F4_Data",
                     "FileData"}}) { // an OLE object
        const RowSource rows = table(file, name);
        const int index = rows.fieldIndex(QString::fromLatin1(field));
        ASSERT_GE(index, 0) << field;
        ASSERT_FALSE(rows.rows.empty());
        EXPECT_FALSE(rows.fields[std::size_t(index)].unprintable.isEmpty()) << field;
        for (const Row& row : rows.rows)
            EXPECT_TRUE(row[std::size_t(index)].isNull());
    }
}

// Encrypted files are refused as encrypted.
TEST(UnreadableFiles, EncryptedFilesCutFilesAndMisbehavingReadersEndIn3343) {
    for (const char* file : {"office-agile-4.2.accdb", "V2010_with-password.accdb"}) {
        const DatabaseError error =
            databaseError([&] { AccessFile::open(testData(file), u"password"_s); });
        EXPECT_EQ(error.number, DatabaseError::UnrecognizedFormat) << file;
        EXPECT_TRUE(error.description.contains(u"cifrato")) << file;
    }

    // Copies of the 20,000-row database cut at a tenth, a quarter and three quarters are
    // damaged, not short (delivery_test.cpp prints from the one cut at a half).
    const QByteArray bytes = readBytes(testData("grande.mdb"));
    ASSERT_FALSE(bytes.isEmpty());
    QTemporaryDir folder;
    const QString path = folder.filePath(u"tagliato.mdb"_s);
    for (const int percent : {10, 25, 75}) {
        writeBytes(path, bytes.left(bytes.size() * percent / 100 / 4096 * 4096));
        EXPECT_EQ(
            databaseError([&] { AccessFile::open(path, {})->readTable(u"Indirizzi"_s); }).number,
            DatabaseError::UnrecognizedFormat)
            << percent << " %";
    }

    // A reader that hangs or floods standard error (as libmdb does on some damaged files) is
    // given up on: the read ends with 3343 and what it said is not kept.
    const auto opened = AccessFile::open(testData("demo.mdb"), {});
    const QString script = folder.filePath(u"lettore"_s);
    AccessFile::setReadTimeLimit(1000);
    for (const char* behaviour : {"exec sleep 600", // loops silently
                                  "exec yes 'warning: page 56 from map doesn't match'", // floods
                                  "echo 'warning: page 1' >&2; exit 0", // complains and stops
                                  "kill -SEGV $$",                      // crashes
                                  "printf R; kill -SEGV $$"}) {         // mid-record
        writeBytes(script, QByteArray("#!/bin/sh\n") + behaviour + "\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        AccessFile::setReaderProgram(script);
        EXPECT_EQ(databaseError([&] { opened->readTable(u"Clienti"_s); }).number,
                  DatabaseError::UnrecognizedFormat)
            << behaviour;
    }
    AccessFile::setReaderProgram({});
    AccessFile::setReadTimeLimit(4000);
}

TEST(AccessRawValues, DecodeWhatLibmdbCannot) {
    // Days since 30/12/1899: before it, the day counts back and the time forward.
    EXPECT_EQ(accessraw::dateTime(QByteArray::fromHex("000000000000f8bf")).toDateTime(),
              QDateTime(QDate(1899, 12, 29), QTime(12, 0), Qt::UTC)); // -1.5
    // A time without a day prints as a time.
    const QVariant time = accessraw::dateTime(QByteArray::fromHex("cdcccccccccccc3f")); // .225
    EXPECT_EQ(time.typeId(), QMetaType::QTime);
    EXPECT_EQ(time.toTime().toString(u"HH:mm:ss"_s), u"05:24:00");
    // A GUID with its four hyphens, the first three groups little-endian.
    EXPECT_EQ(accessraw::guid(QByteArray::fromHex("78563412341278569abcdef012345678")),
              u"{12345678-1234-5678-9ABC-DEF012345678}");
    // Characters beyond the Basic Multilingual Plane stay whole (a surrogate pair).
    EXPECT_EQ(accessraw::text(QByteArray::fromHex("3dd800de"), false), QString::fromUtf8("😀"));
    // Compressed text: one-byte runs and two-byte runs, a space inside a two-byte run.
    EXPECT_EQ(accessraw::text(QByteArray::fromHex("fffe41002d4e20002d4e"), false),
              QString::fromUtf8("A中 中"));
    EXPECT_EQ(accessraw::text(QByteArray::fromHex("fffe4142004301"), false), u"AB\u0143"_s);
    EXPECT_TRUE(accessraw::fixed(accessraw::Double, QByteArray(3, 'x')).isNull());
}

TEST(OpenAccessFile, PasswordsMustMatchExactly) {
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
    const RowSource jet3 = table("testV1997.mdb", "Table1");
    ASSERT_EQ(jet3.rows.size(), 2u);
    EXPECT_EQ(jet3.rows[1][0].toString(), u"abcdefg");
    EXPECT_EQ(jet3.rows[1][3].toInt(), 222);
    EXPECT_DOUBLE_EQ(jet3.rows[1][5].toDouble(), 444.555);
    EXPECT_EQ(jet3.rows[1][6].toDateTime().date(), QDate(1974, 9, 21));
    EXPECT_TRUE(jet3.rows[1][8].toBool());
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
