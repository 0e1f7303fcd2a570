#include "accessfile.h"

#include "common/numbers.h"
#include "databaseerror.h"

#include <QBuffer>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <mdbtools.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <functional>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Memo values up to 64K characters, in UTF-8.
constexpr size_t BindSize = 256 * 1024;

constexpr qint32 SystemObject = qint32(0x80000002);
constexpr qint32 HiddenObject = 1;

std::atomic<int> readTimeLimit{20000};

[[noreturn]] void damaged(const QString& path) {
    throw DatabaseError(DatabaseError::UnrecognizedFormat,
                        QStringLiteral("Formato di database non riconosciuto: %1.").arg(path));
}

int daoType(int libmdbType) {
    switch (libmdbType) {
    case MDB_NUMERIC:
        return fieldtype::Decimal;
    case MDB_COMPLEX:
        return 101; // attachment, multi-valued: nothing criteria can use
    default:
        return libmdbType;
    }
}

QVariant valueOf(int type, const char* text, int length) {
    if (length <= 0 && type != fieldtype::Boolean)
        return {};
    const QByteArray bytes(text, std::max(length, 0));
    switch (type) {
    case fieldtype::Boolean:
        return QVariant(bytes == "1");
    case fieldtype::Byte:
    case fieldtype::Integer:
    case fieldtype::Long: {
        bool ok = false;
        const int value = bytes.toInt(&ok);
        return ok ? QVariant(value) : QVariant();
    }
    case fieldtype::Currency:
    case fieldtype::Single:
    case fieldtype::Double:
    case fieldtype::Decimal: {
        const auto value = numbers::parseAnySeparator(QString::fromLatin1(bytes));
        return value ? QVariant(*value) : QVariant();
    }
    case fieldtype::Date: {
        QDateTime value = QDateTime::fromString(QString::fromLatin1(bytes),
                                                QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        value.setTimeSpec(Qt::UTC);
        return value.isValid() ? QVariant(value) : QVariant();
    }
    case fieldtype::Binary:
    case fieldtype::LongBinary:
        return QVariant(bytes);
    default:
        return QVariant(QString::fromUtf8(bytes));
    }
}

// ---------------------------------------------------------------------------------------------
// What runs in the child process.

class LibmdbReader {
public:
    explicit LibmdbReader(const QString& path) {
        m_mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
        if (!m_mdb)
            damaged(path);
        mdb_set_bind_size(m_mdb, BindSize);
        mdb_set_date_fmt(m_mdb, "%Y-%m-%d %H:%M:%S");
        if (!mdb_read_catalog(m_mdb, MDB_ANY))
            damaged(path);
    }
    ~LibmdbReader() { mdb_close(m_mdb); }
    LibmdbReader(const LibmdbReader&) = delete;
    LibmdbReader& operator=(const LibmdbReader&) = delete;

    RowSource read(const QString& name, bool withRows) {
        QByteArray utf8 = name.toUtf8();
        MdbTableDef* table = mdb_read_table_by_name(m_mdb, utf8.data(), MDB_ANY);
        if (!table)
            throw DatabaseError(DatabaseError::NoSuchTable,
                                QStringLiteral("Impossibile trovare la tabella o la query di "
                                               "input '%1'.")
                                    .arg(name));
        std::unique_ptr<MdbTableDef, void (*)(MdbTableDef*)> owner(table, mdb_free_tabledef);
        if (!mdb_read_columns(table))
            throw DatabaseError(DatabaseError::UnrecognizedFormat,
                                QStringLiteral("Impossibile leggere la tabella '%1'.").arg(name));
        RowSource source;
        const guint count = table->num_cols;
        for (guint i = 0; i < count; ++i) {
            const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
            source.fields.push_back(
                {QString::fromUtf8(column->name), daoType(column->col_type), name});
        }
        if (!withRows)
            return source;
        std::vector<std::vector<char>> buffers(count, std::vector<char>(BindSize));
        std::vector<int> lengths(count, 0);
        for (guint i = 0; i < count; ++i)
            mdb_bind_column(table, int(i) + 1, buffers[i].data(), &lengths[i]);
        mdb_rewind_table(table);
        while (mdb_fetch_row(table)) {
            Row row(count);
            for (guint i = 0; i < count; ++i) {
                const int length = std::min<int>(lengths[i], int(BindSize));
                row[i] = valueOf(source.fields[i].type, buffers[i].data(), length);
                lengths[i] = 0;
            }
            source.rows.push_back(std::move(row));
        }
        return source;
    }

private:
    MdbHandle* m_mdb = nullptr;
};

QDataStream& operator<<(QDataStream& out, const RowSource& source) {
    out << quint32(source.fields.size());
    for (const FieldInfo& field : source.fields)
        out << field.name << qint32(field.type) << field.table;
    out << quint32(source.rows.size());
    for (const Row& row : source.rows)
        for (const QVariant& value : row)
            out << value;
    return out;
}

QDataStream& operator>>(QDataStream& in, RowSource& source) {
    quint32 fieldCount = 0;
    in >> fieldCount;
    if (fieldCount > 4096)
        in.setStatus(QDataStream::ReadCorruptData);
    for (quint32 i = 0; i < fieldCount && in.status() == QDataStream::Ok; ++i) {
        FieldInfo field;
        qint32 type = 0;
        in >> field.name >> type >> field.table;
        field.type = type;
        source.fields.push_back(field);
    }
    quint32 rowCount = 0;
    in >> rowCount;
    for (quint32 r = 0; r < rowCount && in.status() == QDataStream::Ok; ++r) {
        Row row(fieldCount);
        for (QVariant& value : row)
            in >> value;
        source.rows.push_back(std::move(row));
    }
    return in;
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// Runs `work` in a child process and returns what it produced; a child that crashes, fails
// or runs out of time makes the file count as damaged.
RowSource isolated(const QString& path, const std::function<RowSource()>& work) {
    int fds[2];
    if (pipe(fds) != 0)
        throw DatabaseError(DatabaseError::CannotOpen, QStringLiteral("pipe"));
    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        throw DatabaseError(DatabaseError::CannotOpen, QStringLiteral("fork"));
    }
    if (child == 0) {
        close(fds[0]);
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            try {
                const RowSource source = work();
                out << quint8(0) << source;
            } catch (const DatabaseError& error) {
                out << quint8(1) << qint32(error.number) << error.description;
            }
        }
        _exit(writeAll(fds[1], bytes) ? 0 : 1);
    }
    close(fds[1]);
    QByteArray bytes;
    bool timedOut = false;
    QDeadlineTimer deadline(readTimeLimit.load());
    char buffer[65536];
    for (;;) {
        pollfd waiting{fds[0], POLLIN, 0};
        const int ready = poll(&waiting, 1, int(std::max<qint64>(deadline.remainingTime(), 0)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            timedOut = true;
            break;
        }
        const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        bytes.append(buffer, got);
    }
    close(fds[0]);
    if (timedOut)
        kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        damaged(path);

    QDataStream in(bytes);
    quint8 outcome = 0;
    in >> outcome;
    if (outcome == 1) {
        qint32 number = 0;
        QString description;
        in >> number >> description;
        throw DatabaseError(number, description);
    }
    RowSource source;
    in >> source;
    if (in.status() != QDataStream::Ok)
        damaged(path);
    return source;
}

} // namespace

AccessFile::AccessFile(QString path, jetheader::Header header)
    : m_path(std::move(path))
    , m_header(std::move(header)) {}

AccessFile::~AccessFile() = default;

void AccessFile::setReadTimeLimit(int milliseconds) {
    readTimeLimit = milliseconds;
}

std::unique_ptr<AccessFile> AccessFile::open(const QString& path, const QString& password) {
    const QFileInfo info(path);
    if (path.trimmed().isEmpty() || !info.dir().exists())
        throw DatabaseError(DatabaseError::InvalidPath,
                            QStringLiteral("'%1' non è un percorso valido.").arg(path));
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        throw DatabaseError(DatabaseError::CannotOpen,
                            QStringLiteral("Impossibile aprire il file '%1'.").arg(path));
    const QByteArray firstPage = file.read(4096);
    const auto header = jetheader::parse(firstPage);
    if (!header)
        damaged(path);
    // A file cut short, or not made of whole pages, is damaged.
    if (file.size() < 4 * header->pageSize || file.size() % header->pageSize != 0)
        damaged(path);
    file.close();

    if (header->version != jetheader::Version::Ace && header->password != password)
        throw DatabaseError(DatabaseError::InvalidPassword, QStringLiteral("Password non valida."));

    std::unique_ptr<AccessFile> opened(new AccessFile(info.absoluteFilePath(), *header));
    try {
        opened->readCatalog();
    } catch (const DatabaseError&) {
        damaged(path);
    }
    return opened;
}

void AccessFile::readCatalog() {
    const QString path = m_path;
    const RowSource catalog = isolated(
        path, [path] { return LibmdbReader(path).read(QStringLiteral("MSysObjects"), true); });
    const int id = catalog.fieldIndex(QStringLiteral("Id"));
    const int name = catalog.fieldIndex(QStringLiteral("Name"));
    const int type = catalog.fieldIndex(QStringLiteral("Type"));
    const int flags = catalog.fieldIndex(QStringLiteral("Flags"));
    if (id < 0 || name < 0 || type < 0 || flags < 0)
        damaged(m_path);
    for (const Row& row : catalog.rows) {
        CatalogObject object;
        object.name = row[name].toString();
        object.id = row[id].toInt();
        object.type = row[type].toInt();
        object.flags = row[flags].toInt();
        const bool system = (object.flags & qint32(0x80000000)) || (object.flags & 0x2) ||
                            object.name.startsWith(u"MSys", Qt::CaseInsensitive);
        object.Attributes = system ? SystemObject : (object.flags & 0x8) ? HiddenObject : 0;
        // 1 local table, 4 and 6 linked tables, 5 stored query.
        if (object.type == 1 || object.type == 4 || object.type == 6)
            m_tables.push_back(object);
        else if (object.type == 5)
            m_queries.push_back(object);
    }
}

std::vector<FieldInfo> AccessFile::tableFields(const QString& exactName) const {
    const QString path = m_path;
    return isolated(path, [&] { return LibmdbReader(path).read(exactName, false); }).fields;
}

RowSource AccessFile::readTable(const QString& exactName) const {
    const QString path = m_path;
    return isolated(path, [&] { return LibmdbReader(path).read(exactName, true); });
}
