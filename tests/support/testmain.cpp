// SPDX-License-Identifier: GPL-3.0-or-later
// Runs every test with a real QApplication off screen and the Italian regional settings the
// label program assumes.

#include "common/files.h"
#include "common/regionalsettings.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ensureRuntimeDirectory();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    RegionalSettings::setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    return RUN_ALL_TESTS();
}
