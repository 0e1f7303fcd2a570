// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/watchfolder.h"

#include "database/csvsource.h"
#include "database/databaseerror.h"
#include "service/httpapi.h"
#include "service/jobjournal.h"
#include "service/jobqueue.h"
#include "service/jobrequest.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

namespace {

const QString Working = QStringLiteral("in-lavorazione");
const QString Done = QStringLiteral("fatti");
const QString Failed = QStringLiteral("errori");

// A file that has not changed for this long is whole.
constexpr qint64 SettledMilliseconds = 1000;
constexpr auto ScanInterval = std::chrono::milliseconds(250);

// Moves the file into `folder` as `name`, or a name made from it when one of that name is
// already there.
QString moveInto(const QString& path, const QString& folder, const QString& name) {
    const QFileInfo file(name);
    QString target = QDir(folder).filePath(name);
    for (int n = 2; QFileInfo::exists(target) || QFileInfo::exists(target + QStringLiteral(".log"));
         ++n)
        target = QDir(folder).filePath(
            QStringLiteral("%1-%2.%3").arg(file.completeBaseName()).arg(n).arg(file.suffix()));
    return QFile::rename(path, target) ? target : QString();
}

// A file being worked on carries a prefix of its own ("1a2b3c4d-spedizione.csv"): each is
// told apart in the journal however often a program drops the same name.
constexpr int PrefixLength = 9;

QString workingName(const QString& name) {
    return QUuid::createUuid().toString(QUuid::Id128).left(PrefixLength - 1) + u'-' + name;
}

void writeLog(const QString& path, const QString& text) {
    QFile log(path + QStringLiteral(".log"));
    if (log.open(QIODevice::WriteOnly | QIODevice::Truncate))
        log.write(text.toUtf8() + '\n');
}

} // namespace

WatchFolder::WatchFolder(QString folder, QString to, JobJournal& journal, JobQueue& queue,
                         Check check)
    : m_folder(std::move(folder))
    , m_to(std::move(to))
    , m_journal(journal)
    , m_queue(queue)
    , m_check(std::move(check)) {
    for (const QString& sub : {Working, Done, Failed})
        QDir(m_folder).mkpath(sub);
    // A file moved in just before the service stopped: taken again when it never reached the
    // journal, put where it belongs when its job ended before it was moved.
    const QDir working(QDir(m_folder).filePath(Working));
    for (const QString& name :
         working.entryList({QStringLiteral("*.json"), QStringLiteral("*.csv")}, QDir::Files)) {
        const QString path = working.filePath(name);
        const auto entry = m_journal.fromOrigin(path);
        if (!entry)
            moveInto(path, m_folder, name.mid(PrefixLength));
        else if (entry->state == JournalEntry::State::Delivered ||
                 entry->state == JournalEntry::State::Failed)
            finish(m_folder, path, entry->state == JournalEntry::State::Delivered, entry->message);
    }
    m_thread = std::thread([this] { watch(); });
}

WatchFolder::~WatchFolder() {
    m_stop = true;
    m_thread.join();
}

void WatchFolder::watch() {
    while (!m_stop) {
        scan();
        std::this_thread::sleep_for(ScanInterval);
    }
}

void WatchFolder::scan() {
    const QDir folder(m_folder);
    const QFileInfoList files = folder.entryInfoList(
        {QStringLiteral("*.json"), QStringLiteral("*.csv")}, QDir::Files | QDir::System);
    QHash<QString, std::pair<qint64, qint64>> seen;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    for (const QFileInfo& file : files) {
        const std::pair<qint64, qint64> state{file.size(), file.lastModified().toMSecsSinceEpoch()};
        const auto before = m_seen.constFind(file.fileName());
        if (before != m_seen.constEnd() && *before == state &&
            now - state.second >= SettledMilliseconds)
            take(file.fileName());
        else
            seen.insert(file.fileName(), state);
    }
    m_seen = std::move(seen);
}

void WatchFolder::take(const QString& name) {
    const QString path = moveInto(QDir(m_folder).filePath(name), QDir(m_folder).filePath(Working),
                                  workingName(name));
    if (path.isEmpty())
        return; // taken by someone else meanwhile
    QString why;
    const auto body = jobOf(path, &why);
    const auto request = body ? JobRequest::parse(*body, &why) : std::nullopt;
    const auto entry = request ? m_journal.add(*body, request->lane(), path) : std::nullopt;
    if (!entry) {
        if (body)
            why = QStringLiteral("il giornale dei lavori non si può scrivere.");
        finish(m_folder, path, false, why);
        return;
    }
    m_queue.push(entry->lane);
}

std::optional<QByteArray> WatchFolder::jobOf(const QString& path, QString* why) const {
    const QFileInfo file(path);
    if (file.isSymLink() || !file.isFile()) {
        *why = QStringLiteral("non è un file.");
        return std::nullopt;
    }
    if (file.size() > qint64(HttpApi::LargestBody)) {
        *why = QStringLiteral("file troppo grande: al massimo 10 MB.");
        return std::nullopt;
    }
    QByteArray body;
    if (file.suffix().compare(QStringLiteral("json"), Qt::CaseInsensitive) == 0) {
        QFile json(path);
        if (!json.open(QIODevice::ReadOnly)) {
            *why = json.errorString();
            return std::nullopt;
        }
        body = json.read(qint64(HttpApi::LargestBody) + 1);
    } else {
        // "spedizione-000123.csv": the records of "spedizione.eti".
        const QString base = QFileInfo(file.fileName().mid(PrefixLength)).completeBaseName();
        const qsizetype dash = base.lastIndexOf(u'-');
        const QString label = (dash > 0 ? base.left(dash) : base) + QStringLiteral(".eti");
        QJsonArray records;
        try {
            const CsvSource csv(path);
            RecordSelection all(csv.tableNames().value(0));
            const auto cursor = csv.open(all);
            while (cursor->next()) {
                QJsonObject record;
                for (std::size_t i = 0; i < cursor->fields().size(); ++i)
                    record.insert(cursor->fields()[i].name, cursor->row()[i].toString());
                records.append(record);
            }
        } catch (const DatabaseError& error) {
            *why = error.description;
            return std::nullopt;
        }
        body = QJsonDocument(QJsonObject{{QStringLiteral("label"), label},
                                         {QStringLiteral("to"), m_to},
                                         {QStringLiteral("records"), records}})
                   .toJson(QJsonDocument::Compact);
    }
    const auto request = JobRequest::parse(body, why);
    if (!request)
        return std::nullopt;
    if (const auto refused = m_check(*request)) {
        *why = *refused;
        return std::nullopt;
    }
    return body;
}

void WatchFolder::finish(const QString& folder, const QString& origin, bool delivered,
                         const QString& message) {
    const QString moved = moveInto(origin, QDir(folder).filePath(delivered ? Done : Failed),
                                   QFileInfo(origin).fileName().mid(PrefixLength));
    if (moved.isEmpty())
        return;
    writeLog(moved, delivered ? (message.isEmpty() ? QStringLiteral("Stampato.")
                                                   : QStringLiteral("Stampato. ") + message)
                              : QStringLiteral("Non stampato: ") + message);
}
