// SPDX-License-Identifier: GPL-3.0-or-later
// marvello-mdb-reader FILE fields|rows TABLE
//
// Reads one table of an Access file with libmdb and writes it on standard output (see
// readerprotocol.h). It runs as a process of its own because libmdb can loop, allocate
// without end or crash on a damaged file: the program that starts it watches it and gives up
// on it, and is never harmed.

#include "database/accessraw.h"
#include "database/databaseerror.h"
#include "database/reader/readerprotocol.h"

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QVariant>
#include <QtEndian>

#include <mdbtools.h>

#include <cstdio>
#include <memory>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int UnrecognizedFormat = DatabaseError::UnrecognizedFormat;

struct Failure {
    int number;
    QString description;
};

[[noreturn]] void fail(int number, const QString& description) {
    throw Failure{number, description};
}

[[noreturn]] void damaged(const QString& why) {
    fail(UnrecognizedFormat, QStringLiteral("Formato di database non riconosciuto o file "
                                            "danneggiato: %1.")
                                 .arg(why));
}

// The field type code the program uses (as DAO reports them).
int fieldType(int stored) {
    switch (stored) {
    case accessraw::Numeric:
        return 20; // Decimal
    case accessraw::Complex:
        return 101;
    case accessraw::BigInt:
        return 16;
    case accessraw::ExtendedDateTime:
        return 8; // a date like the others
    default:
        return stored;
    }
}

class Table {
public:
    Table(MdbHandle* mdb, const QString& path, const QString& name)
        : m_mdb(mdb)
        , m_path(path)
        , m_jet3(mdb->f->jet_version == MDB_VER_JET3) {
        MdbCatalogEntry* entry = nullptr;
        for (guint i = 0; i < mdb->num_catalog; ++i) {
            auto* candidate = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (candidate->object_type == MDB_TABLE &&
                QString::fromUtf8(candidate->object_name) == name)
                entry = candidate;
        }
        if (!entry)
            fail(DatabaseError::NoSuchTable,
                 QStringLiteral("Impossibile trovare la tabella o la query di input '%1'.")
                     .arg(name));
        // The catalog lists it: a table that cannot be read now is a damaged file.
        m_table = mdb_read_table(entry);
        if (!m_table || !mdb_read_columns(m_table))
            damaged(QStringLiteral("la tabella '%1' non si legge").arg(name));
        for (guint i = 0; i < m_table->num_cols; ++i)
            m_columns.push_back(static_cast<MdbColumn*>(g_ptr_array_index(m_table->columns, i)));
    }
    ~Table() {
        if (m_table)
            mdb_free_tabledef(m_table);
    }
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    void writeFields(QDataStream& out) const {
        out << quint8(readerprotocol::Fields) << quint32(m_columns.size());
        for (const MdbColumn* column : m_columns) {
            out << QString::fromUtf8(column->name) << qint32(printedType(column))
                << unprintable(column);
        }
    }

    void writeRows(QDataStream& out) {
        // Only booleans are taken from libmdb (they live in the row's null mask); every other
        // value is decoded from the bytes the file stores.
        std::vector<char> booleans(m_columns.size() * 16);
        std::vector<int> lengths(m_columns.size());
        for (std::size_t i = 0; i < m_columns.size(); ++i) {
            if (m_columns[i]->col_type == MDB_BOOL)
                mdb_bind_column(m_table, int(i) + 1, &booleans[i * 16], &lengths[i]);
        }
        mdb_rewind_table(m_table);
        quint64 rows = 0;
        // Access does not always keep the count a table declares up to date upwards (system
        // tables, rows added by other engines), but a table never holds fewer rows than it
        // declares: fewer means the file was cut short or lost pages. More rows than the file
        // has room for means libmdb is walking a damaged page chain in circles.
        const quint64 declared = m_table->num_rows;
        const quint64 room = quint64(fileSize() / m_mdb->fmt->pg_size) * (m_mdb->fmt->pg_size / 4);
        QVariantList row(qsizetype(m_columns.size()));
        while (mdb_fetch_row(m_table)) {
            if (++rows > std::max(room, declared))
                damaged(QStringLiteral("più righe di quante il file ne possa contenere"));
            for (std::size_t i = 0; i < m_columns.size(); ++i)
                row[qsizetype(i)] = value(m_columns[i], &booleans[i * 16], lengths[i]);
            out << quint8(readerprotocol::Row) << row;
        }
        if (rows < declared)
            damaged(QStringLiteral("la tabella dichiara %1 righe, se ne leggono %2")
                        .arg(declared)
                        .arg(rows));
        out << quint8(readerprotocol::End) << rows;
    }

private:
    qint64 fileSize() const { return QFileInfo(m_path).size(); }

    static QString property(const MdbColumn* column, const char* key) {
        return QString::fromUtf8(mdb_col_get_prop(column, key));
    }
    static bool calculated(const MdbColumn* column) {
        return !property(column, "Expression").isEmpty();
    }
    static int printedType(const MdbColumn* column) {
        if (calculated(column))
            return fieldType(property(column, "ResultType").toInt());
        return fieldType(column->col_type);
    }
    static QString unprintable(const MdbColumn* column) {
        switch (column->col_type) {
        case MDB_OLE:
            return QStringLiteral("oggetto OLE");
        case MDB_COMPLEX:
            return QStringLiteral("allegati o valori multipli");
        case MDB_BINARY:
            return QStringLiteral("dati binari");
        default:
            return {};
        }
    }

    // The bytes of a long value (memo, or a calculated memo), wherever the file keeps them:
    // after its 12-byte header, on one page, or on a chain of pages.
    QByteArray longValue(const QByteArray& header) {
        if (header.size() < 12)
            return {};
        const quint32 sizeAndFlags = qFromLittleEndian<quint32>(header.constData());
        const quint32 size = sizeAndFlags & 0x3fffffff;
        if (size > 64u << 20)
            damaged(QStringLiteral("un testo lungo dichiara %1 byte").arg(size));
        if (sizeAndFlags & 0x80000000) // inline
            return header.mid(12, size);
        quint32 pageRow = qFromLittleEndian<quint32>(header.constData() + 4);
        const bool single = sizeAndFlags & 0x40000000;
        QByteArray bytes;
        for (int pages = 0; pageRow != 0 && bytes.size() < qsizetype(size); ++pages) {
            void* buffer = nullptr;
            int offset = 0;
            size_t length = 0;
            if (pages > 65536 ||
                mdb_find_pg_row(m_mdb, int(pageRow), &buffer, &offset, &length) != 0 ||
                offset < 0 || offset + length > size_t(m_mdb->fmt->pg_size))
                damaged(QStringLiteral("una pagina di un testo lungo manca"));
            const char* chunk = static_cast<const char*>(buffer) + offset;
            if (single) {
                bytes.append(chunk, qsizetype(std::min<size_t>(length, size)));
                break;
            }
            if (length < 4)
                damaged(QStringLiteral("una pagina di un testo lungo è vuota"));
            pageRow = qFromLittleEndian<quint32>(chunk);
            bytes.append(chunk + 4, qsizetype(length - 4));
        }
        return bytes.left(size);
    }

    QVariant value(MdbColumn* column, const char* bound, int boundLength) {
        if (column->col_type == MDB_BOOL)
            return QVariant(boundLength > 0 && bound[0] == '1');
        if (column->cur_value_len <= 0)
            return {};
        if (column->cur_value_start < 0 ||
            column->cur_value_start + column->cur_value_len > int(m_mdb->fmt->pg_size))
            damaged(QStringLiteral("un valore esce dalla sua pagina"));
        QByteArray stored(reinterpret_cast<const char*>(m_mdb->pg_buf) + column->cur_value_start,
                          column->cur_value_len);
        if (calculated(column)) {
            const int result = property(column, "ResultType").toInt();
            if (result == accessraw::Memo || column->col_type == MDB_MEMO)
                stored = longValue(stored);
            return accessraw::calculatedValue(result, accessraw::calculatedPayload(stored), m_jet3);
        }
        if (!unprintable(column).isEmpty())
            return {};
        switch (column->col_type) {
        case MDB_TEXT:
            return accessraw::text(stored, m_jet3);
        case MDB_MEMO:
            return accessraw::text(longValue(stored), m_jet3);
        default:
            // libmdb 1.0 keeps a decimal's scale in col_prec and its precision in col_scale;
            // the scale is never the larger of the two.
            return accessraw::fixed(column->col_type, stored,
                                    std::min(column->col_prec, column->col_scale));
        }
    }

    MdbHandle* m_mdb;
    QString m_path;
    bool m_jet3;
    MdbTableDef* m_table = nullptr;
    std::vector<MdbColumn*> m_columns;
};

int run(const QString& path, const QString& command, const QString& tableName, QDataStream& out) {
    std::unique_ptr<MdbHandle, void (*)(MdbHandle*)> mdb(
        mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS), mdb_close);
    if (!mdb)
        damaged(path);
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
        damaged(QStringLiteral("il catalogo non si legge"));
    Table table(mdb.get(), path, tableName);
    table.writeFields(out);
    if (command == u"rows")
        table.writeRows(out);
    else
        out << quint8(readerprotocol::End) << quint64(0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
#if !defined(__SANITIZE_ADDRESS__)
    const rlimit memory{rlim_t(readerprotocol::MemoryLimitBytes),
                        rlim_t(readerprotocol::MemoryLimitBytes)};
    setrlimit(RLIMIT_AS, &memory);
#endif
    QFile output;
    output.open(stdout, QIODevice::WriteOnly);
    QDataStream out(&output);
    out.setVersion(QDataStream::Qt_6_4);
    if (argc != 4 || (qstrcmp(argv[2], "fields") != 0 && qstrcmp(argv[2], "rows") != 0)) {
        std::fputs("uso: marvello-mdb-reader FILE fields|rows TABELLA\n", stderr);
        return 2;
    }
    try {
        return run(QFile::decodeName(argv[1]), QString::fromUtf8(argv[2]),
                   QString::fromUtf8(argv[3]), out);
    } catch (const Failure& failure) {
        out << quint8(readerprotocol::Error) << qint32(failure.number) << failure.description;
    } catch (const std::bad_alloc&) {
        out << quint8(readerprotocol::Error) << qint32(UnrecognizedFormat)
            << QStringLiteral("Formato di database non riconosciuto o file danneggiato: memoria "
                              "esaurita.");
    }
    return 0;
}
