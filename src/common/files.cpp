// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/files.h"

#include "common/watchdog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
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

bool makePrivateFolder(const QString& path) {
    if (path.isEmpty())
        return false;
    const QByteArray name = QFile::encodeName(path);
    const QFileInfo parent(QFileInfo(path).absolutePath());
    if (!parent.exists() && !QDir().mkpath(parent.absoluteFilePath()))
        return false;
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    // lstat: a symbolic link to somebody else's folder is not our folder.
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::geteuid())
        return false;
    if ((status.st_mode & 0077) != 0 && ::chmod(name.constData(), 0700) != 0)
        return false;
    return true;
}

void ensureRuntimeDirectory() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    QString path =
        QDir::tempPath() + QStringLiteral("/runtime-marvello-") + QString::number(::geteuid());
    if (!makePrivateFolder(path)) {
        // The predictable name is taken: a fresh folder with a name nobody can guess.
        QByteArray pattern =
            QFile::encodeName(QDir::tempPath() + QStringLiteral("/runtime-marvello-XXXXXX"));
        if (!::mkdtemp(pattern.data()))
            return;
        path = QFile::decodeName(pattern);
    }
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path));
}

QString privateOutputFolder() {
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || QFileInfo(cache).isRelative())
        cache = QDir::homePath() + QStringLiteral("/.cache");
    const QString folder = QDir(cache).filePath(QStringLiteral("marvello"));
    if (makePrivateFolder(folder))
        return folder;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        const QString inRuntime = QDir(runtime).filePath(QStringLiteral("marvello"));
        if (makePrivateFolder(inRuntime))
            return inRuntime;
    }
    return {};
}

QString outputTargetProblem(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    if (!S_ISREG(status.st_mode))
        return QStringLiteral("%1 non è un file ordinario (una cartella, una pipe o un "
                              "dispositivo): scegliere un file.")
            .arg(path);
    if (!QFileInfo(path).isWritable())
        return QStringLiteral("Il file %1 è di sola lettura.").arg(path);
    return {};
}

QString writeFailureReason(const QString& path, int error, const QString& systemText) {
    const QString folder = QFileInfo(path).absolutePath();
    if (error == ENOSPC || error == EDQUOT ||
        systemText.contains(QLatin1String("No space left"), Qt::CaseInsensitive) ||
        systemText == QString::fromLocal8Bit(std::strerror(ENOSPC)))
        return QStringLiteral("Spazio su disco esaurito in %1.").arg(folder);
    if (error == EROFS)
        return QStringLiteral("La cartella %1 è su un disco di sola lettura.").arg(folder);
    if (!QFileInfo(folder).exists())
        return QStringLiteral("La cartella %1 non esiste.").arg(folder);
    if (error == EACCES || error == EPERM || !QFileInfo(folder).isWritable())
        return QStringLiteral("Permesso negato: impossibile scrivere nella cartella %1.")
            .arg(folder);
    if (error != 0)
        return QString::fromLocal8Bit(std::strerror(error));
    return systemText.isEmpty() ? QStringLiteral("Errore di scrittura.") : systemText;
}

bool writeWholeFile(const QString& path, const std::function<bool(QIODevice&)>& write,
                    QString* error) {
    if (const QString problem = outputTargetProblem(path); !problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    watchdog::setOutput(path);
    QSaveFile file(path);
    errno = 0;
    const bool written = file.open(QIODevice::WriteOnly) && write(file);
    if (!written)
        file.cancelWriting();
    if (!file.commit() || !written) {
        if (error)
            *error = writeFailureReason(path, errno, file.errorString());
        return false;
    }
    return true;
}
