#include "common/cursor.h"
#include "common/files.h"

#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(FileEsiste, OnlyReadableFilesExist) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a.eti"));
    EXPECT_FALSE(FileEsiste(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(FileEsiste(path));
    EXPECT_FALSE(FileEsiste(folder.path())); // a folder is no file
    EXPECT_FALSE(FileEsiste(QString()));
}

TEST(ResolveReadablePath, RelativePathsAreAlsoLookedForBesideTheLabel) {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("logo.png")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(resolveReadablePath(QStringLiteral("logo.png"), folder.path()), file.fileName());
    EXPECT_EQ(resolveReadablePath(file.fileName(), QString()), file.fileName());
    EXPECT_TRUE(resolveReadablePath(QStringLiteral("manca.png"), folder.path()).isEmpty());
    EXPECT_TRUE(resolveReadablePath(QStringLiteral("/assoluto/logo.png"), folder.path()).isEmpty());
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
