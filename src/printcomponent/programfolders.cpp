// SPDX-License-Identifier: GPL-3.0-or-later
#include "programfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace programfolders {

namespace {
QString& overridden() {
    static QString folder;
    return folder;
}
} // namespace

QString base() {
    if (!overridden().isEmpty())
        return overridden();
    const QString program = QCoreApplication::applicationDirPath();
    if (!program.isEmpty() && QFileInfo(program).isWritable())
        return program;
    QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config/Marvello");
    QDir().mkpath(config);
    return config;
}

QString settingsFile() {
    return QDir(base()).filePath(QStringLiteral("pressivo.ini"));
}

QString printsFolder() {
    return QDir(base()).filePath(QStringLiteral("Stampe"));
}

void setBase(const QString& folder) {
    overridden() = folder;
}

} // namespace programfolders
