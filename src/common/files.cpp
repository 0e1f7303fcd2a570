#include "files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool FileEsiste(const QString& percorso)
{
    if (percorso.isEmpty() || !QFileInfo(percorso).isFile())
        return false;
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly);
}

QString resolveReadablePath(const QString& percorso, const QString& baseFolder)
{
    if (FileEsiste(percorso))
        return percorso;
    if (percorso.isEmpty() || baseFolder.isEmpty() || QFileInfo(percorso).isAbsolute())
        return {};
    const QString underBase = QDir(baseFolder).filePath(percorso);
    return FileEsiste(underBase) ? underBase : QString();
}
