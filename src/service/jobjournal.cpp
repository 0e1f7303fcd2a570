// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/jobjournal.h"

#include <QDateTime>
#include <QUuid>

#include <sqlite3.h>

namespace {

const char* const Schema = R"sql(
PRAGMA journal_mode = WAL;
PRAGMA synchronous = FULL;
CREATE TABLE IF NOT EXISTS jobs (
    sequence INTEGER PRIMARY KEY AUTOINCREMENT,
    id TEXT NOT NULL UNIQUE,
    body BLOB NOT NULL,
    state TEXT NOT NULL,
    message TEXT NOT NULL DEFAULT '',
    cups_job INTEGER NOT NULL DEFAULT 0,
    received TEXT NOT NULL,
    finished TEXT NOT NULL DEFAULT '',
    origin TEXT NOT NULL DEFAULT '',
    lane TEXT NOT NULL DEFAULT '',
    attempts INTEGER NOT NULL DEFAULT 0
);
)sql";

const char* const Index = "CREATE INDEX IF NOT EXISTS unfinished_by_lane ON jobs (lane, sequence) "
                          "WHERE state IN ('queued', 'printing')";

// A prepared statement, finalised however the call ends.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool valid() const { return m_statement != nullptr; }
    void bind(int i, const QString& text) {
        const QByteArray bytes = text.toUtf8();
        sqlite3_bind_text(m_statement, i, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    void bind(int i, const QByteArray& bytes) {
        sqlite3_bind_blob(m_statement, i, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    void bind(int i, long long number) { sqlite3_bind_int64(m_statement, i, number); }
    int step() { return sqlite3_step(m_statement); }
    QString text(int column) const {
        return QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column)));
    }
    QByteArray blob(int column) const {
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(m_statement, column)),
                          sqlite3_column_bytes(m_statement, column));
    }
    long long number(int column) const { return sqlite3_column_int64(m_statement, column); }

private:
    sqlite3_stmt* m_statement = nullptr;
};

QString now() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
}

JournalEntry::State stateFromName(const QString& name) {
    using State = JournalEntry::State;
    return name == u"printing"    ? State::Printing
           : name == u"delivered" ? State::Delivered
           : name == u"failed"    ? State::Failed
                                  : State::Queued;
}

} // namespace

QString stateName(JournalEntry::State state) {
    switch (state) {
    case JournalEntry::State::Queued:
        return QStringLiteral("queued");
    case JournalEntry::State::Printing:
        return QStringLiteral("printing");
    case JournalEntry::State::Delivered:
        return QStringLiteral("delivered");
    case JournalEntry::State::Failed:
        break;
    }
    return QStringLiteral("failed");
}

std::unique_ptr<JobJournal> JobJournal::open(const QString& file, QString* error) {
    sqlite3* db = nullptr;
    const int opened = sqlite3_open_v2(file.toUtf8().constData(), &db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE |
                                           SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_NOFOLLOW,
                                       nullptr);
    char* message = nullptr;
    // The service and its workers share the journal: each waits for the others' writes.
    if (opened == SQLITE_OK)
        sqlite3_busy_timeout(db, 10000);
    if (opened != SQLITE_OK || sqlite3_exec(db, Schema, nullptr, nullptr, &message) != SQLITE_OK) {
        *error = QStringLiteral("%1: %2").arg(
            file, QString::fromUtf8(message ? message : sqlite3_errmsg(db)));
        sqlite3_free(message);
        sqlite3_close(db);
        return nullptr;
    }
    // Journals written before jobs had lanes: the columns added, their jobs in the PDF or
    // printer lane their request names.
    if (sqlite3_exec(db, "ALTER TABLE jobs ADD COLUMN lane TEXT NOT NULL DEFAULT ''", nullptr,
                     nullptr, nullptr) == SQLITE_OK) {
        sqlite3_exec(db,
                     "ALTER TABLE jobs ADD COLUMN attempts INTEGER NOT NULL DEFAULT 0;"
                     "UPDATE jobs SET lane = lower(json_extract(body, '$.to'));"
                     "DROP INDEX IF EXISTS unfinished;",
                     nullptr, nullptr, nullptr);
    }
    sqlite3_exec(db, Index, nullptr, nullptr, nullptr);
    return std::unique_ptr<JobJournal>(new JobJournal(db));
}

JobJournal::JobJournal(sqlite3* db)
    : m_db(db) {}

JobJournal::~JobJournal() {
    sqlite3_close(m_db);
}

std::optional<JournalEntry> JobJournal::add(const QByteArray& body, const QString& lane,
                                            const QString& origin) {
    JournalEntry entry;
    entry.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    entry.body = body;
    entry.received = now();
    entry.origin = origin;
    entry.lane = lane;
    const std::lock_guard lock(m_mutex);
    Statement insert(m_db, "INSERT INTO jobs (id, body, state, received, origin, lane) "
                           "VALUES (?, ?, ?, ?, ?, ?)");
    if (!insert.valid())
        return std::nullopt;
    insert.bind(1, entry.id);
    insert.bind(2, body);
    insert.bind(3, stateName(JournalEntry::State::Queued));
    insert.bind(4, entry.received);
    insert.bind(5, origin);
    insert.bind(6, lane);
    if (insert.step() != SQLITE_DONE)
        return std::nullopt;
    entry.sequence = sqlite3_last_insert_rowid(m_db);
    return entry;
}

std::optional<JournalEntry> JobJournal::select(const char* where, const QString& key) const {
    const std::lock_guard lock(m_mutex);
    const QByteArray sql = QByteArrayLiteral("SELECT sequence, id, body, state, message, "
                                             "cups_job, received, finished, origin, lane, attempts "
                                             "FROM jobs WHERE ") +
                           where;
    Statement query(m_db, sql.constData());
    if (!query.valid())
        return std::nullopt;
    query.bind(1, key);
    if (query.step() != SQLITE_ROW)
        return std::nullopt;
    JournalEntry entry;
    entry.sequence = query.number(0);
    entry.id = query.text(1);
    entry.body = query.blob(2);
    entry.state = stateFromName(query.text(3));
    entry.message = query.text(4);
    entry.cupsJob = int(query.number(5));
    entry.received = query.text(6);
    entry.finished = query.text(7);
    entry.origin = query.text(8);
    entry.lane = query.text(9);
    entry.attempts = int(query.number(10));
    return entry;
}

std::optional<JournalEntry> JobJournal::find(const QString& id) const {
    return select("id = ?", id);
}

std::optional<JournalEntry> JobJournal::nextOf(const QString& lane) const {
    return select("lane = ? AND state IN ('queued', 'printing') ORDER BY sequence LIMIT 1", lane);
}

QStringList JobJournal::unfinishedLanes() const {
    const std::lock_guard lock(m_mutex);
    Statement query(m_db, "SELECT DISTINCT lane FROM jobs WHERE state IN ('queued', 'printing')");
    QStringList found;
    while (query.valid() && query.step() == SQLITE_ROW)
        found << query.text(0);
    return found;
}

long long JobJournal::unfinishedCount() const {
    const std::lock_guard lock(m_mutex);
    Statement query(m_db, "SELECT count(*) FROM jobs WHERE state IN ('queued', 'printing')");
    return query.valid() && query.step() == SQLITE_ROW ? query.number(0) : -1;
}

bool JobJournal::setState(long long sequence, JournalEntry::State state, const QString& message,
                          int cupsJob) {
    const bool ended =
        state == JournalEntry::State::Delivered || state == JournalEntry::State::Failed;
    const std::lock_guard lock(m_mutex);
    Statement update(m_db, "UPDATE jobs SET state = ?, message = ?, cups_job = ?, finished = ?, "
                           "attempts = attempts + ? WHERE sequence = ?");
    if (!update.valid())
        return false;
    update.bind(1, stateName(state));
    update.bind(2, message);
    update.bind(3, static_cast<long long>(cupsJob));
    update.bind(4, ended ? now() : QStringLiteral(""));
    update.bind(5, static_cast<long long>(state == JournalEntry::State::Printing));
    update.bind(6, sequence);
    return update.step() == SQLITE_DONE;
}
