// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QString>

inline QString testData(const char* name) {
    return QDir(QStringLiteral(MARVELLO_TEST_DATA_DIR)).filePath(QString::fromLatin1(name));
}
