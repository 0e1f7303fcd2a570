// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/cursor.h"
#include "common/files.h"

#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(PrivateFolders, AreOnlyOursAndNeverALinkPlantedByOthers) {
    QTemporaryDir folder;
    const QString mine = folder.filePath(u"cache/marvello"_s);
    ASSERT_TRUE(makePrivateFolder(mine));

    // A folder someone else made readable to all is made private again.
    QFile::setPermissions(mine, QFile::permissions(mine) | QFile::ReadOther | QFile::ExeOther);
    ASSERT_TRUE(makePrivateFolder(mine));
    EXPECT_FALSE(QFile::permissions(mine) & QFile::ReadOther);

    // A link in its place, even to a folder of ours, is refused.
    const QString link = folder.filePath(u"collegamento"_s);
    ASSERT_TRUE(QFile::link(mine, link));
    EXPECT_FALSE(makePrivateFolder(link));
}

TEST(BusyPointer, OneNormalPointerEndsAnyNumberOfBusyOnes) {
    CursoreAttesa();
    CursoreAttesa();
    ASSERT_TRUE(QGuiApplication::overrideCursor());
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    CursoreNormale();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        BusyPointer busy;
        EXPECT_TRUE(QGuiApplication::overrideCursor());
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
