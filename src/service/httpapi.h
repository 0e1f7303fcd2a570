// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "service/labelfolder.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace httplib {
class Server;
}
class JobJournal;
class JobQueue;
struct JobRequest;

// The service's HTTP interface, version 1:
//   POST /v1/jobs          a job (JSON): 202 {"id": …} once it is in the journal
//   GET  /v1/jobs/ID       its state: queued, printing, delivered or failed, with the reason
//                          of a failure and the printer queue's job number
//   GET  /v1/jobs/ID/pdf   the PDF of a job sent to "pdf"
//   GET  /v1/labels        the labels with their fields and questions
//   GET  /v1/health
// Every request needs "Authorization: Bearer TOKEN"; errors are JSON {"error": "…"} in
// Italian.
struct HttpApi {
    LabelFolder labels;
    QStringList tokens;
    QStringList printers;
    JobJournal& journal;
    JobQueue& queue;
    QString pdfFolder;

    // The largest request body taken.
    static constexpr std::size_t LargestBody = 10 * 1024 * 1024;
    // The clients served at the same time; more wait for a connection.
    static constexpr std::size_t ConcurrentClients = 128;

    void install(httplib::Server& server);

    // Why a job cannot be accepted, with the HTTP status to answer; nothing when it can.
    std::optional<std::pair<int, QString>> refusal(const JobRequest& request) const;
    bool authorised(const std::string& header) const;
};
