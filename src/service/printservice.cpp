// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/printservice.h"

#include "common/files.h"
#include "common/interruption.h"
#include "service/httpapi.h"
#include "service/jobjournal.h"
#include "service/jobqueue.h"
#include "service/jobrunner.h"
#include "service/watchfolder.h"

#include <QDir>

#include <httplib.h>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <thread>

namespace {

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

// Prints the queued jobs one after the other, each noted in the journal before and after.
void printQueued(JobJournal& journal, JobQueue& queue, JobRunner& runner, WatchFolder* watch) {
    using State = JournalEntry::State;
    while (!interruption::requested()) {
        const auto sequence = queue.pop(std::chrono::milliseconds(200));
        if (!sequence)
            continue;
        auto entry = journal.at(*sequence);
        if (!entry || entry->state == State::Delivered || entry->state == State::Failed)
            continue;
        // On disk before anything is sent: a restart then knows the job may have gone out.
        if (entry->state == State::Queued && !journal.setState(*sequence, State::Printing))
            say(QStringLiteral("Giornale dei lavori non scrivibile: il lavoro %1 attende.")
                    .arg(entry->id));
        const JobResult result = runner.run(*entry);
        if (result.interrupted)
            break;
        if (!journal.setState(*sequence, result.state, result.message, result.cupsJob))
            say(QStringLiteral("Giornale dei lavori non scrivibile: lavoro %1 %2.")
                    .arg(entry->id, stateName(result.state)));
        if (result.state == State::Failed)
            say(QStringLiteral("Lavoro %1 non stampato: %2").arg(entry->id, result.message));
        if (watch && !entry->origin.isEmpty())
            watch->finish(entry->origin, result.state == State::Delivered, result.message);
    }
}

} // namespace

int runPrintService(const ServiceConfig& config, const PrinterFactory& printers) {
    // A client that hangs up while it is answered must not end the service.
    std::signal(SIGPIPE, SIG_IGN);
    if (const QStringList problems = config.problems(); !problems.isEmpty()) {
        say(problems.join(u'\n'));
        return 1;
    }
    const QString pdfFolder = QDir(config.state).filePath(QStringLiteral("pdf"));
    if (!makePrivateFolder(config.state) || !QDir().mkpath(pdfFolder)) {
        say(QStringLiteral("state: la cartella %1 non si può usare (deve essere di questo "
                           "utente e solo sua).")
                .arg(config.state));
        return 1;
    }
    QString why;
    const auto journal =
        JobJournal::open(QDir(config.state).filePath(QStringLiteral("lavori.sqlite")), &why);
    if (!journal) {
        say(QStringLiteral("Giornale dei lavori: %1").arg(why));
        return 1;
    }
    JobQueue queue;
    for (const long long sequence : journal->unfinished())
        queue.push(sequence);

    JobRunner runner(LabelFolder(config.labels), pdfFolder, config.printers, printers);
    HttpApi api{LabelFolder(config.labels),
                config.tokens,
                config.printers,
                *journal,
                queue,
                [&runner](const QString& id) { return runner.pdfOf(id); }};
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
    say(QStringLiteral("Marvello serve: %1://%2:%3, %4 lavori da riprendere.")
            .arg(config.usesTls() ? QStringLiteral("https") : QStringLiteral("http"), config.host)
            .arg(port)
            .arg(queue.size()));

    printQueued(*journal, queue, runner, watch.get());

    watch.reset();
    server->stop();
    listening.join();
    say(QStringLiteral("Marvello serve: fermato (segnale %1).").arg(interruption::signalNumber()));
    return 0;
}
