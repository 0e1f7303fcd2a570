// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>
#include <thread>

class JobJournal;
class JobQueue;
struct JobRequest;

// A folder other programs drop jobs in: a .json job (as the HTTP interface takes it) or a .csv
// of records named after its label ("spedizione-000123.csv" prints "spedizione.eti"). A file
// is taken once it has stayed the same for a while (one still being written is left alone),
// moved to "in-lavorazione", and once printed to "fatti" or "errori", with a .log beside it
// that says what became of it.
class WatchFolder {
public:
    // Why a job cannot be taken; nothing when it can.
    using Check = std::function<std::optional<QString>(const JobRequest&)>;

    WatchFolder(QString folder, QString to, JobJournal& journal, JobQueue& queue, Check check);
    ~WatchFolder();
    WatchFolder(const WatchFolder&) = delete;
    WatchFolder& operator=(const WatchFolder&) = delete;

    // The job from `origin` is done: the file goes to "fatti" or "errori" of `folder` with its
    // log.
    static void finish(const QString& folder, const QString& origin, bool delivered,
                       const QString& message);

private:
    void watch();
    void scan();
    void take(const QString& name);
    // The job a dropped file asks for, as the HTTP interface takes it; nothing, and why, when
    // the file is no job.
    std::optional<QByteArray> jobOf(const QString& path, QString* why) const;

    QString m_folder;
    QString m_to;
    JobJournal& m_journal;
    JobQueue& m_queue;
    Check m_check;
    // The size and time of each file when last seen: a file is taken when they stay.
    QHash<QString, std::pair<qint64, qint64>> m_seen;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
