// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/printservice.h"

#include "common/files.h"
#include "common/interruption.h"
#include "service/httpapi.h"
#include "service/jobjournal.h"
#include "service/jobqueue.h"
#include "service/jobrunner.h"
#include "service/laneworkers.h"
#include "service/watchfolder.h"

#include <QDir>

#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr auto IdlePause = std::chrono::milliseconds(50);
constexpr int MostAttempts = 3;

void say(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

std::unique_ptr<httplib::Server> makeServer(const ServiceConfig& config) {
    if (config.usesTls())
        return std::make_unique<httplib::SSLServer>(config.certificate.toLocal8Bit().constData(),
                                                    config.key.toLocal8Bit().constData());
    return std::make_unique<httplib::Server>();
}

// The lane's jobs, one after the other in the order received, each noted in the journal
// before and after; until SIGTERM, or the service that started the worker is gone.
void printLane(JobJournal& journal, const QString& lane, JobRunner& runner,
               const QString& watchFolder) {
    using State = JournalEntry::State;
    while (!interruption::requested()) {
        auto entry = journal.nextOf(lane);
        if (!entry) {
            std::this_thread::sleep_for(IdlePause);
            continue;
        }
        // A job that brought the worker down again and again is not tried for ever.
        JobResult result{State::Failed,
                         QStringLiteral("Il lavoro ha fermato la stampa %1 volte: non si riprova.")
                             .arg(entry->attempts)};
        const int sent = runner.alreadySent(*entry);
        if (sent < 0) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            continue;
        }
        if (sent > 0)
            result = {State::Delivered, {}, sent};
        else if (entry->attempts < MostAttempts) {
            // On disk before anything is sent: a restart then knows the job may have gone out.
            if (!journal.setState(entry->sequence, State::Printing)) {
                say(QStringLiteral("Giornale dei lavori non scrivibile: il lavoro %1 attende.")
                        .arg(entry->id));
                std::this_thread::sleep_for(IdlePause);
                continue;
            }
            result = runner.run(*entry);
        }
        if (result.interrupted)
            break;
        if (!journal.setState(entry->sequence, result.state, result.message, result.cupsJob))
            say(QStringLiteral("Giornale dei lavori non scrivibile: lavoro %1 %2.")
                    .arg(entry->id, stateName(result.state)));
        if (result.state == State::Failed)
            say(QStringLiteral("Lavoro %1 non stampato: %2").arg(entry->id, result.message));
        if (!watchFolder.isEmpty() && !entry->origin.isEmpty())
            WatchFolder::finish(watchFolder, entry->origin, result.state == State::Delivered,
                                result.message);
    }
}

std::unique_ptr<JobJournal> openJournal(const ServiceConfig& config) {
    QString why;
    auto journal =
        JobJournal::open(QDir(config.state).filePath(QStringLiteral("lavori.sqlite")), &why);
    if (!journal)
        say(QStringLiteral("Giornale dei lavori: %1").arg(why));
    return journal;
}

QString pdfFolderOf(const ServiceConfig& config) {
    return QDir(config.state).filePath(QStringLiteral("pdf"));
}

} // namespace

int runPrintService(const ServiceConfig& config, const QStringList& arguments) {
    // A client that hangs up while it is answered must not end the service.
    std::signal(SIGPIPE, SIG_IGN);
    if (const QStringList problems = config.problems(); !problems.isEmpty()) {
        say(problems.join(u'\n'));
        return 1;
    }
    if (!makePrivateFolder(config.state) || !QDir().mkpath(pdfFolderOf(config))) {
        say(QStringLiteral("state: la cartella %1 non si può usare (deve essere di questo "
                           "utente e solo sua).")
                .arg(config.state));
        return 1;
    }
    const auto journal = openJournal(config);
    if (!journal)
        return 1;
    JobQueue queue;
    HttpApi api{LabelFolder(config.labels), config.tokens, config.printers, *journal, queue,
                pdfFolderOf(config)};
    const auto server = makeServer(config);
    if (!server->is_valid()) {
        say(QStringLiteral("Certificato o chiave non validi."));
        return 1;
    }
    api.install(*server);
    // The library listens with a queue of 5 connections: a hundred clients arriving at once
    // would wait a second for a retry. The socket is listened on again with the system's own.
    int listener = -1;
    server->set_socket_options([&listener](int socket) {
        httplib::default_socket_options(socket);
        listener = socket;
    });
    // Port 0: one the system chooses, said below (tests start services side by side).
    const int port = config.port == 0 ? server->bind_to_any_port(config.host.toStdString())
                     : server->bind_to_port(config.host.toStdString(), config.port) ? config.port
                                                                                    : -1;
    if (port <= 0) {
        say(QStringLiteral("Impossibile ascoltare su %1:%2.").arg(config.host).arg(config.port));
        return 1;
    }
    ::listen(listener, SOMAXCONN);
    std::thread listening([&server] { server->listen_after_bind(); });
    std::unique_ptr<WatchFolder> watch;
    if (!config.watch.isEmpty())
        watch = std::make_unique<WatchFolder>(
            config.watch, config.watchTo, *journal, queue,
            [&api](const JobRequest& request) -> std::optional<QString> {
                if (const auto refused = api.refusal(request))
                    return refused->second;
                return std::nullopt;
            });
    const bool loopback = config.host.startsWith(QStringLiteral("127.")) || config.host == u"::1" ||
                          config.host == u"localhost";
    if (!config.usesTls() && !loopback)
        say(QStringLiteral("Attenzione: senza certificate e key i token passano in chiaro sulla "
                           "rete (%1).")
                .arg(config.host));
    say(QStringLiteral("Marvello serve: %1://%2:%3, %4 lavori da riprendere.")
            .arg(config.usesTls() ? QStringLiteral("https") : QStringLiteral("http"), config.host)
            .arg(port)
            .arg(journal->unfinishedCount()));

    // A worker for each lane with jobs; one that ended is started again while its lane has
    // jobs left.
    LaneWorkers workers(arguments);
    auto lastLook = std::chrono::steady_clock::time_point();
    while (!interruption::requested()) {
        if (const auto lane = queue.pop(std::chrono::milliseconds(200)))
            workers.ensure(*lane);
        if (std::chrono::steady_clock::now() - lastLook > std::chrono::seconds(2)) {
            for (const QString& lane : journal->unfinishedLanes())
                workers.ensure(lane);
            lastLook = std::chrono::steady_clock::now();
        }
    }

    watch.reset();
    server->stop();
    listening.join();
    workers.stopAll();
    say(QStringLiteral("Marvello serve: fermato (segnale %1).").arg(interruption::signalNumber()));
    return 0;
}

int runLaneWorker(const ServiceConfig& config, const QString& lane, qint64 parent,
                  const PrinterFactory& printers) {
    // Gone with the service: a worker never prints on after it was killed.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent)
        return 1;
    const auto journal = openJournal(config);
    if (!journal)
        return 1;
    JobRunner runner(LabelFolder(config.labels), pdfFolderOf(config), config.printers, printers);
    printLane(*journal, lane, runner, config.watch);
    return 0;
}
