// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

struct sqlite3;

// A job as the journal keeps it.
struct JournalEntry {
    enum class State { Queued, Printing, Delivered, Failed };

    long long sequence = 0; // the order jobs were received in
    QString id;
    QByteArray body; // the request, as received
    State state = State::Queued;
    QString message; // why it failed, or what to know of a delivered job
    int cupsJob = 0;
    QString received;
    QString finished;
    QString origin;   // the file of the watch folder it came from; empty for the API's jobs
    QString lane;     // where it prints ("pdf", "printer:zebra"): jobs of a lane print in order
    int attempts = 0; // how many times its printing began
};

QString stateName(JournalEntry::State state);

// Every job the service accepts, on disk before it is acknowledged: an SQLite file written
// synchronously, so that a service killed or a machine switched off resumes each job that was
// not delivered and prints none twice. Safe to call from several threads.
class JobJournal {
public:
    // Opens (or makes) the journal in `file`; nothing, and why, when it cannot.
    static std::unique_ptr<JobJournal> open(const QString& file, QString* error);
    ~JobJournal();
    JobJournal(const JobJournal&) = delete;
    JobJournal& operator=(const JobJournal&) = delete;

    // Keeps a new job; the entry as kept, or nothing when the disk did not take it.
    std::optional<JournalEntry> add(const QByteArray& body, const QString& lane,
                                    const QString& origin = {});
    std::optional<JournalEntry> find(const QString& id) const;
    // The lanes with jobs still to print (queued, or printing when the service stopped).
    QStringList unfinishedLanes() const;
    // How many jobs are still to print.
    long long unfinishedCount() const;
    // The lane's first job still to print.
    std::optional<JournalEntry> nextOf(const QString& lane) const;
    // The job that came from this file of the watch folder.
    std::optional<JournalEntry> fromOrigin(const QString& path) const {
        return select("origin = ? ORDER BY sequence DESC LIMIT 1", path);
    }

    // A job that begins printing counts one attempt more.
    bool setState(long long sequence, JournalEntry::State state, const QString& message = {},
                  int cupsJob = 0);

private:
    explicit JobJournal(sqlite3* db);
    std::optional<JournalEntry> select(const char* where, const QString& key) const;

    sqlite3* m_db;
    mutable std::mutex m_mutex;
};
