// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/ziparchive.h"

#include "database/databaseerror.h"

#include <QFile>

#include <zip.h>

namespace {

// Small pieces: the XML reader rereads a token that is still incomplete at each one.
constexpr qint64 PieceBytes = 32 * 1024;

[[noreturn]] void damaged(const QString& path, const QString& why) {
    throw DatabaseError(
        DatabaseError::UnrecognizedFormat,
        QStringLiteral("Il file %1 non è un foglio di calcolo leggibile: %2.").arg(path, why));
}

} // namespace

void ZipArchive::Closer::operator()(zip* archive) const {
    zip_discard(archive); // read only: nothing to write back
}

ZipArchive::ZipArchive(const QString& path)
    : m_path(path) {
    int error = 0;
    m_archive.reset(
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!m_archive) {
        zip_error_t reason;
        zip_error_init_with_code(&reason, error);
        const QString why = QString::fromUtf8(zip_error_strerror(&reason));
        zip_error_fini(&reason);
        if (error == ZIP_ER_OPEN || error == ZIP_ER_READ)
            throw DatabaseError(
                DatabaseError::CannotOpen,
                QStringLiteral("Impossibile aprire il file %1: %2.").arg(path, why));
        // Excel keeps a workbook with a password (and the old .xls) in another container.
        QFile file(path);
        if (file.open(QIODevice::ReadOnly) &&
            file.read(8) == QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
            damaged(path, QStringLiteral("è protetto da password o è nel vecchio formato .xls; "
                                         "salvarlo come .xlsx senza password"));
        damaged(path, error == ZIP_ER_NOZIP || error == ZIP_ER_INCONS
                          ? QStringLiteral("non è un archivio zip integro")
                          : QStringLiteral("archivio zip illeggibile (%1)").arg(why));
    }
}

ZipArchive::~ZipArchive() = default;

bool ZipArchive::contains(const QString& entry) const {
    return zip_name_locate(m_archive.get(), entry.toUtf8().constData(), 0) >= 0;
}

QByteArray ZipArchive::read(const QString& entry, qint64 most) const {
    const auto file = open(entry, most);
    QByteArray bytes;
    for (QByteArray piece = file->nextPiece(); !piece.isEmpty(); piece = file->nextPiece())
        bytes += piece;
    return bytes;
}

std::unique_ptr<ZipArchive::Entry> ZipArchive::open(const QString& entry, qint64 most) const {
    zip_file_t* file = zip_fopen(m_archive.get(), entry.toUtf8().constData(), 0);
    if (!file)
        damaged(m_path, QStringLiteral("la parte %1 manca o non si può leggere (%2)")
                            .arg(entry, QString::fromUtf8(zip_strerror(m_archive.get()))));
    return std::make_unique<Entry>(Entry::Key(), file, entry, m_path, most);
}

ZipArchive::Entry::Entry(Key, zip_file* file, QString name, QString path, qint64 most)
    : m_file(file)
    , m_name(std::move(name))
    , m_path(std::move(path))
    , m_most(most) {}

ZipArchive::Entry::~Entry() {
    zip_fclose(m_file);
}

QByteArray ZipArchive::Entry::nextPiece() {
    QByteArray piece(PieceBytes, Qt::Uninitialized);
    const zip_int64_t read = zip_fread(m_file, piece.data(), zip_uint64_t(piece.size()));
    if (read < 0)
        damaged(m_path, QStringLiteral("la parte %1 è danneggiata (%2)")
                            .arg(m_name, QString::fromUtf8(zip_file_strerror(m_file))));
    m_read += read;
    if (m_read > m_most)
        damaged(m_path, QStringLiteral("la parte %1 supera %2 MB una volta decompressa")
                            .arg(m_name)
                            .arg(m_most >> 20));
    piece.truncate(qsizetype(read));
    return piece;
}
