// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/httpapi.h"

#include "service/jobjournal.h"
#include "service/jobqueue.h"
#include "service/jobrequest.h"
#include "service/jobrunner.h"
#include "service/labelfacts.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <httplib.h>

namespace {

void answer(httplib::Response& response, int status, const QJsonObject& body) {
    response.status = status;
    response.set_content(QJsonDocument(body).toJson(QJsonDocument::Compact).toStdString(),
                         "application/json");
}

void answer(httplib::Response& response, int status, const QJsonArray& body) {
    response.status = status;
    response.set_content(QJsonDocument(body).toJson(QJsonDocument::Compact).toStdString(),
                         "application/json");
}

void refuse(httplib::Response& response, int status, const QString& why) {
    answer(response, status, QJsonObject{{QStringLiteral("error"), why}});
}

// Compares every byte whatever the first difference: the time taken says nothing of a token.
bool sameSecret(const QByteArray& given, const QByteArray& expected) {
    unsigned char difference = given.size() == expected.size() ? 0 : 1;
    for (qsizetype i = 0; i < expected.size(); ++i)
        difference |= static_cast<unsigned char>(expected[i] ^ (i < given.size() ? given[i] : 0));
    return difference == 0;
}

QJsonObject describe(const JournalEntry& entry) {
    QJsonObject job{{QStringLiteral("id"), entry.id},
                    {QStringLiteral("state"), stateName(entry.state)},
                    {QStringLiteral("received"), entry.received}};
    const QJsonObject request = QJsonDocument::fromJson(entry.body).object();
    job.insert(QStringLiteral("label"), request.value(QStringLiteral("label")));
    job.insert(QStringLiteral("to"), request.value(QStringLiteral("to")));
    if (!entry.message.isEmpty())
        job.insert(QStringLiteral("message"), entry.message);
    if (entry.cupsJob > 0)
        job.insert(QStringLiteral("cups_job"), entry.cupsJob);
    if (!entry.finished.isEmpty())
        job.insert(QStringLiteral("finished"), entry.finished);
    return job;
}

} // namespace

bool HttpApi::authorised(const std::string& header) const {
    const QByteArray prefix = QByteArrayLiteral("Bearer ");
    const QByteArray given = QByteArray::fromStdString(header);
    if (!given.startsWith(prefix))
        return false;
    const QByteArray token = given.mid(prefix.size()).trimmed();
    bool found = false;
    for (const QString& accepted : tokens)
        found |= sameSecret(token, accepted.toUtf8());
    return found && !token.isEmpty();
}

std::optional<std::pair<int, QString>> HttpApi::refusal(const JobRequest& request) const {
    QString why;
    const auto path = labels.label(request.label, &why);
    if (!path)
        return std::pair(404, QStringLiteral("Etichetta %1: %2").arg(request.label.left(255), why));
    const auto facts = LabelFacts::cached(*path, &why);
    if (!facts)
        return std::pair(422,
                         QStringLiteral("Etichetta %1 non leggibile: %2").arg(request.label, why));
    if (!request.toPdf() && !printers.contains(request.printer(), Qt::CaseInsensitive))
        return std::pair(
            400, QStringLiteral("La stampante %1 non è tra quelle del servizio "
                                "(%2).")
                     .arg(request.printer().left(255), printers.join(QStringLiteral(", "))));
    if (!request.database.isEmpty() && !labels.dataFile(request.database, &why))
        return std::pair(400, QStringLiteral("Dati %1: %2").arg(request.database.left(255), why));
    if (const QString mismatch = facts->mismatch(request); !mismatch.isEmpty())
        return std::pair(400, mismatch);
    return std::nullopt;
}

void HttpApi::install(httplib::Server& server) {
    server.set_payload_max_length(LargestBody);
    // A thread for each client of a busy shop floor, and connections kept for many requests:
    // a client then never waits for another's connection to close.
    server.new_task_queue = [] { return new httplib::ThreadPool(ConcurrentClients); };
    server.set_keep_alive_max_count(100);
    // Nothing is read or answered for a client without a token.
    server.set_pre_routing_handler(
        [this](const httplib::Request& request, httplib::Response& response) {
            if (authorised(request.get_header_value("Authorization")))
                return httplib::Server::HandlerResponse::Unhandled;
            response.set_header("WWW-Authenticate", "Bearer");
            refuse(response, 401,
                   QStringLiteral("Autorizzazione mancante o non valida: serve "
                                  "\"Authorization: Bearer TOKEN\"."));
            return httplib::Server::HandlerResponse::Handled;
        });
    server.set_error_handler([](const httplib::Request& request, httplib::Response& response) {
        if (!response.body.empty())
            return;
        // The library takes a form's body up to 8 KB only: "curl -d" sends one.
        const bool form =
            request.get_header_value("Content-Type") == "application/x-www-form-urlencoded";
        refuse(response, response.status,
               response.status == 413 && form
                   ? QStringLiteral("Il lavoro va inviato come JSON: \"Content-Type: "
                                    "application/json\" (curl --data-binary @lavoro.json).")
               : response.status == 413
                   ? QStringLiteral("Richiesta troppo grande: al massimo 10 MB.")
               : response.status == 404 ? QStringLiteral("Indirizzo sconosciuto.")
                                        : QStringLiteral("Richiesta non valida."));
    });
    server.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
            refuse(response, 500, QStringLiteral("Errore interno del servizio."));
        });

    server.Post("/v1/jobs", [this](const httplib::Request& request, httplib::Response& response) {
        const QByteArray body = QByteArray::fromStdString(request.body);
        QString why;
        const auto job = JobRequest::parse(body, &why);
        if (!job)
            return refuse(response, 400, why);
        if (const auto refused = refusal(*job))
            return refuse(response, refused->first, refused->second);
        const auto entry = journal.add(body, job->lane());
        if (!entry)
            return refuse(response, 503,
                          QStringLiteral("Il giornale dei lavori non si può "
                                         "scrivere: lavoro non accettato."));
        queue.push(entry->lane);
        response.set_header("Location", "/v1/jobs/" + entry->id.toStdString());
        answer(response, 202, QJsonObject{{QStringLiteral("id"), entry->id}});
    });
    server.Get(R"(/v1/jobs/([0-9a-f-]{36}))",
               [this](const httplib::Request& request, httplib::Response& response) {
                   const auto entry = journal.find(QString::fromStdString(request.matches[1]));
                   if (!entry)
                       return refuse(response, 404, QStringLiteral("Lavoro sconosciuto."));
                   answer(response, 200, describe(*entry));
               });
    server.Get(R"(/v1/jobs/([0-9a-f-]{36})/pdf)", [this](const httplib::Request& request,
                                                         httplib::Response& response) {
        const auto entry = journal.find(QString::fromStdString(request.matches[1]));
        if (!entry)
            return refuse(response, 404, QStringLiteral("Lavoro sconosciuto."));
        if (entry->state != JournalEntry::State::Delivered)
            return refuse(response, 409, QStringLiteral("Il lavoro non è stampato."));
        // Sent a piece at a time: a job of many labels is never held whole.
        auto pdf = std::make_shared<QFile>(JobRunner::pdfOf(pdfFolder, entry->id));
        if (!pdf->open(QIODevice::ReadOnly))
            return refuse(response, 404, QStringLiteral("Il lavoro non ha un PDF."));
        response.set_content_provider(
            std::size_t(pdf->size()), "application/pdf",
            [pdf](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                const QByteArray piece =
                    pdf->seek(qint64(offset))
                        ? pdf->read(qint64(std::min<std::size_t>(length, 1 << 16)))
                        : QByteArray();
                return !piece.isEmpty() && sink.write(piece.constData(), std::size_t(piece.size()));
            });
    });
    server.Get("/v1/labels", [this](const httplib::Request&, httplib::Response& response) {
        QJsonArray list;
        for (const QString& name : labels.labels()) {
            QString why;
            const auto path = labels.label(name, &why);
            const auto facts = path ? LabelFacts::cached(*path, &why) : std::nullopt;
            if (!facts)
                continue;
            list.append(QJsonObject{
                {QStringLiteral("label"), name},
                {QStringLiteral("fields"), QJsonArray::fromStringList(facts->fields)},
                {QStringLiteral("questions"), QJsonArray::fromStringList(facts->questions)}});
        }
        answer(response, 200, list);
    });
    server.Get("/v1/health", [this](const httplib::Request&, httplib::Response& response) {
        answer(response, 200,
               QJsonObject{{QStringLiteral("status"), QStringLiteral("ok")},
                           {QStringLiteral("waiting"), journal.unfinishedCount()}});
    });
}
