// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/programfolders.h"

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

QString userFolder(QStandardPaths::StandardLocation location, const QString& fallback) {
    const QString folder = QStandardPaths::writableLocation(location);
    return folder.isEmpty() ? QDir::homePath() + fallback : folder;
}

Folders current() {
    if (!overridden().isEmpty())
        return {overridden(), QDir(overridden()).filePath(QStringLiteral("Stampe"))};
    const QString program = QCoreApplication::applicationDirPath();
    const bool installed =
        !program.isEmpty() &&
        QFileInfo(program).canonicalFilePath() ==
            QFileInfo(QStringLiteral(MARVELLO_INSTALL_BINDIR)).canonicalFilePath();
    const Folders folders = choose(
        program, installed, !program.isEmpty() && QFileInfo(program).isWritable(),
        userFolder(QStandardPaths::AppConfigLocation, QStringLiteral("/.config/Marvello")),
        userFolder(QStandardPaths::AppDataLocation, QStringLiteral("/.local/share/Marvello")));
    QDir().mkpath(folders.settings);
    return folders;
}

} // namespace

Folders choose(const QString& programFolder, bool installed, bool writable,
               const QString& configFolder, const QString& dataFolder) {
    if (!installed && writable && !programFolder.isEmpty())
        return {programFolder, QDir(programFolder).filePath(QStringLiteral("Stampe"))};
    return {configFolder, QDir(dataFolder).filePath(QStringLiteral("Stampe"))};
}

QString base() {
    return current().settings;
}

QString settingsFile() {
    return QDir(current().settings).filePath(QStringLiteral("pressivo.ini"));
}

QString printsFolder() {
    return current().prints;
}

void setBase(const QString& folder) {
    overridden() = folder;
}

QString helperProgram(const QString& name, const QString& built) {
    for (const QString& folder :
         {QCoreApplication::applicationDirPath(), QStringLiteral(MARVELLO_LIBEXEC_DIR)}) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    }
    return built;
}

} // namespace programfolders
