// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/batchprint.h"
#include "service/serviceconfig.h"

// `marvello serve`: jobs from the network and from a watch folder, kept in a journal and
// printed one after the other until SIGTERM or SIGINT. The exit code: 0 after a signal, 1
// when the service could not start.
int runPrintService(const ServiceConfig& config, const PrinterFactory& printers);
