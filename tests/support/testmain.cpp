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
    // The sheet catalogue reads the tests' own gLabels templates, never those of the machine.
    qputenv("MARVELLO_GLABELS_TEMPLATES", MARVELLO_TEST_DATA_DIR "/glabels");
    ensureRuntimeDirectory();
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    RegionalSettings::setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    return RUN_ALL_TESTS();
}
