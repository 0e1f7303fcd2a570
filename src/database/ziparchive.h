// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

struct zip;
struct zip_file;

// A zip archive, read entry by entry (the packaging of .xlsx and .ods files). Entries are
// inflated as they are read, never whole, and each read stops at a limit: an archive that
// inflates to more than it may (a zip bomb) is refused, not followed.
class ZipArchive {
public:
    // Throws DatabaseError when the file is no zip archive or cannot be read.
    explicit ZipArchive(const QString& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool contains(const QString& entry) const;
    // An entry's bytes, whole, for the small ones; more than `most` is a damaged file.
    QByteArray read(const QString& entry, qint64 most) const;

    // One entry, inflated a piece at a time.
    class Entry {
        struct Key {
            explicit Key() = default;
        };

    public:
        Entry(Key, zip_file* file, QString name, QString path, qint64 most);
        ~Entry();
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;
        // The next piece; empty at the end. Throws DatabaseError when the entry is damaged
        // (a check that fails) or inflates beyond its limit.
        QByteArray nextPiece();

    private:
        friend class ZipArchive;
        zip_file* m_file;
        QString m_name;
        QString m_path;
        qint64 m_most;
        qint64 m_read = 0;
    };
    // Throws DatabaseError when there is no such entry or it cannot be opened (encrypted).
    std::unique_ptr<Entry> open(const QString& entry, qint64 most) const;

    const QString& path() const { return m_path; }

private:
    struct Closer {
        void operator()(zip* archive) const;
    };
    QString m_path;
    std::unique_ptr<zip, Closer> m_archive;
};
