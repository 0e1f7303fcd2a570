// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/accessfile.h"

#include "common/programfolders.h"

#include "database/databaseerror.h"
#include "reader/readerprotocol.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <atomic>
#include <functional>

namespace {

constexpr qint32 SystemObject = qint32(0x80000002);
constexpr qint32 HiddenObject = 1;

// How long the reader may go without sending anything before the file counts as damaged: a
// healthy file sends rows all the time, however large it is.
std::atomic<int> silenceLimit{4000};

// Beyond this the reader's complaints are no longer read: the file is damaged anyway.
constexpr qsizetype LargestComplaint = 64 * 1024;

[[noreturn]] void damaged(const QString& path, const QString& why = {}) {
    throw DatabaseError(DatabaseError::UnrecognizedFormat,
                        why.isEmpty()
                            ? QStringLiteral("Formato di database non riconosciuto: %1.").arg(path)
                            : why);
}

QString& readerOverride() {
    static QString path;
    return path;
}

QString readerProgram() {
    if (!readerOverride().isEmpty())
        return readerOverride();
    return programfolders::helperProgram(QStringLiteral("marvello-mdb-reader"),
                                         QStringLiteral(MARVELLO_READER_BUILD_PATH));
}

// The first lines the reader wrote on standard error, for the message.
QString firstLines(const QByteArray& text) {
    return QString::fromLocal8Bit(text).split(u'\n', Qt::SkipEmptyParts).mid(0, 3).join(u"; ");
}

} // namespace

// The reader run on one table: what it sends is taken one record at a time. A reader that
// crashes, complains, stops sending or sends what it should not makes the file count as
// damaged.
class AccessFile::TableReader::Process {
public:
    Process(const QString& path, const QString& command, const QString& table)
        : m_path(path)
        , m_table(table) {
        m_reader.setProgram(readerProgram());
        m_reader.setArguments({path, command, table});
        m_reader.start(QIODevice::ReadOnly);
        if (!m_reader.waitForStarted(10000))
            throw DatabaseError(DatabaseError::CannotOpen,
                                QStringLiteral("Impossibile avviare il lettore di database %1: %2")
                                    .arg(m_reader.program(), m_reader.errorString()));
        m_in.setDevice(&m_reader);
        m_in.setVersion(QDataStream::Qt_6_4);
    }
    ~Process() {
        if (m_reader.state() != QProcess::NotRunning) {
            m_reader.kill();
            m_reader.waitForFinished();
        }
    }

    // Takes records until a row (true) or the end (false) has arrived.
    bool next(Row& row) {
        while (!m_ended) {
            switch (takeRecord(row)) {
            case Taken::Row:
                return true;
            case Taken::Nothing:
                waitForMore();
                break;
            default:
                break;
            }
        }
        return false;
    }

    const std::vector<FieldInfo>& fields() {
        while (!m_haveFields && !m_ended) {
            // The fields come first: no row can be taken before them.
            Row row;
            switch (takeRecord(row)) {
            case Taken::Row:
                giveUp(unrecognised());
            case Taken::Nothing:
                waitForMore();
                break;
            default:
                break;
            }
        }
        return m_fields;
    }

private:
    QString unrecognised() const {
        return QStringLiteral("Formato di database non riconosciuto: %1.").arg(m_path);
    }

    [[noreturn]] void giveUp(const QString& why) {
        m_reader.kill();
        m_reader.waitForFinished();
        damaged(m_path, why);
    }

    enum class Taken { Nothing, Fields, Row, End };

    // Takes one whole record from what has arrived.
    Taken takeRecord(Row& row) {
        {
            m_in.startTransaction();
            quint8 tag = 0;
            m_in >> tag;
            if (tag == readerprotocol::Fields) {
                quint32 count = 0;
                m_in >> count;
                std::vector<FieldInfo> fields;
                for (quint32 i = 0; i < count && i < 4096 && m_in.status() == QDataStream::Ok;
                     ++i) {
                    FieldInfo field;
                    qint32 type = 0;
                    m_in >> field.name >> type >> field.unprintable;
                    field.type = type;
                    field.table = m_table;
                    fields.push_back(field);
                }
                if (!m_in.commitTransaction())
                    return Taken::Nothing;
                m_fields = std::move(fields);
                m_haveFields = true;
                return Taken::Fields;
            } else if (tag == readerprotocol::Row) {
                QVariantList values;
                m_in >> values;
                if (!m_in.commitTransaction())
                    return Taken::Nothing;
                if (!m_haveFields || qsizetype(m_fields.size()) != values.size())
                    giveUp(unrecognised());
                row.assign(values.begin(), values.end());
                return Taken::Row;
            } else if (tag == readerprotocol::End) {
                quint64 rows = 0;
                m_in >> rows;
                if (!m_in.commitTransaction())
                    return Taken::Nothing;
                finish();
                return Taken::End;
            } else if (tag == readerprotocol::Error) {
                qint32 number = 0;
                QString description;
                m_in >> number >> description;
                if (!m_in.commitTransaction())
                    return Taken::Nothing;
                m_reader.waitForFinished();
                m_ended = true;
                throw DatabaseError(number, description);
            } else {
                if (!m_in.commitTransaction())
                    return Taken::Nothing; // not even the tag has arrived
                giveUp(unrecognised());
            }
        }
    }

    void takeComplaints() {
        const QByteArray said = m_reader.readAllStandardError();
        m_complaintBytes += said.size();
        if (m_complaints.size() < 4096)
            m_complaints += said.left(4096);
        if (m_complaintBytes > LargestComplaint)
            giveUp(
                QStringLiteral("File danneggiato: %1 (%2).").arg(m_path, firstLines(m_complaints)));
    }

    void waitForMore() {
        takeComplaints();
        if (!m_reader.waitForReadyRead(silenceLimit.load())) {
            // Every whole record has been taken: what is left is a record cut short.
            if (m_reader.state() == QProcess::Running)
                giveUp(
                    QStringLiteral("File danneggiato: %1 (la lettura non procede).").arg(m_path));
            giveUp(
                QStringLiteral("File danneggiato: %1 (la lettura si è interrotta).").arg(m_path));
        }
    }

    void finish() {
        m_ended = true;
        takeComplaints();
        m_reader.waitForFinished();
        m_complaints += m_reader.readAllStandardError().left(4096);
        // libmdb says something only of what it could not read: a read it complained about is
        // no complete read.
        if (!m_complaints.trimmed().isEmpty())
            damaged(
                m_path,
                QStringLiteral("File danneggiato: %1 (%2).").arg(m_path, firstLines(m_complaints)));
        if (m_reader.exitStatus() != QProcess::NormalExit || m_reader.exitCode() != 0)
            damaged(m_path);
    }

    QString m_path;
    QString m_table;
    QProcess m_reader;
    QDataStream m_in;
    std::vector<FieldInfo> m_fields;
    bool m_haveFields = false;
    bool m_ended = false;
    QByteArray m_complaints;
    qsizetype m_complaintBytes = 0;
};

AccessFile::TableReader::TableReader(const QString& path, const QString& command,
                                     const QString& table)
    : m_process(std::make_unique<Process>(path, command, table)) {}

AccessFile::TableReader::~TableReader() = default;

const std::vector<FieldInfo>& AccessFile::TableReader::fields() {
    return m_process->fields();
}

bool AccessFile::TableReader::next(Row& row) {
    return m_process->next(row);
}

namespace {

RowSource readWithReader(const QString& path, const QString& command, const QString& table,
                         const std::function<bool(const Row&)>& keep) {
    AccessFile::TableReader reader(path, command, table);
    RowSource source;
    source.fields = reader.fields();
    Row row;
    while (reader.next(row)) {
        if (!keep || keep(row))
            source.rows.push_back(std::move(row));
    }
    return source;
}

} // namespace

AccessFile::AccessFile(QString path, jetheader::Header header)
    : m_path(std::move(path))
    , m_header(std::move(header)) {}

AccessFile::~AccessFile() = default;

void AccessFile::setReadTimeLimit(int milliseconds) {
    silenceLimit = milliseconds;
}

void AccessFile::setReaderProgram(const QString& path) {
    readerOverride() = path;
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

    // A password is checked against the one the file holds; a file without one opens with
    // any, as Access opens it, whatever its version.
    if (!header->password.isEmpty() && header->password != password)
        throw DatabaseError(DatabaseError::InvalidPassword, QStringLiteral("Password non valida."));
    // Access 2007 and later protect a database with a password by encrypting it: libmdb
    // cannot read it, so it is refused before libmdb is asked.
    if (header->encrypted)
        throw DatabaseError(DatabaseError::UnrecognizedFormat,
                            QStringLiteral("Il database %1 è cifrato (protetto da password) e "
                                           "non può essere letto: toglierne la password in "
                                           "Access, oppure esportarne i dati.")
                                .arg(path));

    std::unique_ptr<AccessFile> opened(new AccessFile(info.absoluteFilePath(), *header));
    try {
        opened->readCatalog();
    } catch (const DatabaseError& error) {
        if (error.number == DatabaseError::CannotOpen)
            throw; // the reader could not be started: not the file's fault
        damaged(path);
    }
    return opened;
}

void AccessFile::readCatalog() {
    const QString path = m_path;
    const RowSource catalog =
        readWithReader(path, QStringLiteral("rows"), QStringLiteral("MSysObjects"), {});
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
    return readWithReader(m_path, QStringLiteral("fields"), exactName, {}).fields;
}

std::unique_ptr<AccessFile::TableReader> AccessFile::openTable(const QString& exactName) const {
    return std::make_unique<TableReader>(m_path, QStringLiteral("rows"), exactName);
}

RowSource AccessFile::readTable(const QString& exactName,
                                const std::function<bool(const Row&)>& keep) const {
    return readWithReader(m_path, QStringLiteral("rows"), exactName, keep);
}
