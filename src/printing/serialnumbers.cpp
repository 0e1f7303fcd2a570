// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/serialnumbers.h"
#include "common/programerror.h"

#include "common/interruption.h"
#include "database/databaseerror.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

namespace {

QString stateFolder() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir(base).filePath(QStringLiteral("marvello/numerazione"));
}

// A label's state file: its absolute path, hashed; a label not yet saved shares one.
QString stateFile(const QString& labelFile) {
    const QByteArray key = labelFile.isEmpty() ? QByteArrayLiteral("senza nome")
                                               : QFileInfo(labelFile).absoluteFilePath().toUtf8();
    return QDir(stateFolder())
        .filePath(
            QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex()) +
            QStringLiteral(".txt"));
}

// The number kept in the file; 1 when there is none, nothing when it is not one.
std::optional<long> readNext(const QString& file) {
    QFile in(file);
    if (!in.exists())
        return 1;
    if (!in.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool ok = false;
    const long next = QString::fromLatin1(in.read(32)).trimmed().toLong(&ok);
    if (!ok || next < 0 || next > SerialNumbers::Largest)
        return std::nullopt;
    return next;
}

FileError stateError(const QString& file, const QString& what) {
    return FileError(FileError::PathFileAccess,
                     QStringLiteral("Numerazione: %1 (%2). La stampa si ferma.")
                         .arg(what, QDir::toNativeSeparators(file)));
}

} // namespace

SerialNumbers::SerialNumbers(const QString& labelFile)
    : m_file(stateFile(labelFile)) {
    if (!QDir().mkpath(QFileInfo(m_file).absolutePath()))
        throw stateError(m_file, QStringLiteral("impossibile creare la cartella"));
    m_lock = std::make_unique<QLockFile>(m_file + QStringLiteral(".lock"));
    // A lock whose job is gone (killed) is taken over; one held by a running job is waited
    // for, and a signal stops the wait.
    m_lock->setStaleLockTime(0);
    while (!m_lock->tryLock(200)) {
        if (m_lock->error() != QLockFile::LockFailedError)
            throw stateError(m_file, QStringLiteral("impossibile bloccare la numerazione"));
        if (interruption::requested())
            throw InterruptedError(QStringLiteral("Stampa interrotta: nessun numero usato."));
    }
    const std::optional<long> next = readNext(m_file);
    if (!next)
        throw stateError(m_file, QStringLiteral("il numero conservato non è leggibile"));
    m_next = *next;
}

SerialNumbers::~SerialNumbers() = default;

void SerialNumbers::commit(long used) {
    QSaveFile out(m_file);
    const long next = std::min(m_next + used, Largest);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(QByteArray::number(qlonglong(next)) + '\n') < 0 || !out.commit())
        throw stateError(m_file, QStringLiteral("impossibile conservare il numero %1").arg(next));
    m_next = next;
}

long SerialNumbers::peek(const QString& labelFile) {
    return readNext(stateFile(labelFile)).value_or(1);
}
