// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/batchprint.h"
#include "service/serviceconfig.h"

// `marvello serve`: jobs from the network and from a watch folder, kept in a journal and
// printed by a worker process for each lane (a printer, or PDFs) until SIGTERM or SIGINT.
// `arguments` are the service's own, which its workers are started with. The exit code: 0
// after a signal, 1 when the service could not start.
int runPrintService(const ServiceConfig& config, const QStringList& arguments);

// A worker: prints the lane's jobs in order until SIGTERM, or until the service `parent` ends.
int runLaneWorker(const ServiceConfig& config, const QString& lane, qint64 parent,
                  const PrinterFactory& printers);
