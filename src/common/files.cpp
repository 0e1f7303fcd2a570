#include "files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

bool FileEsiste(const QString& percorso) {
    if (percorso.isEmpty() || !QFileInfo(percorso).isFile())
        return false;
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly);
}

QString resolveReadablePath(const QString& percorso, const QString& baseFolder) {
    if (FileEsiste(percorso))
        return percorso;
    if (percorso.isEmpty() || baseFolder.isEmpty() || QFileInfo(percorso).isAbsolute())
        return {};
    const QString underBase = QDir(baseFolder).filePath(percorso);
    return FileEsiste(underBase) ? underBase : QString();
}

void ensureRuntimeDirectory() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString path =
        QDir::tempPath() + QStringLiteral("/runtime-marvello-") + QString::number(getuid());
    if (QDir().mkpath(path)) {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path));
    }
}
