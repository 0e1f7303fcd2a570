// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/printerbackend.h"

#include <optional>

// Sending finished documents to a printer and opening its set-up dialogs, telling the user
// what went wrong.
namespace printerdelivery {

// The page set-up dialog: the orientation chosen, none when there is no printer.
std::optional<int> pageSetup(PrinterBackend& printer, int orientation);
// The printer set-up dialog; false when there is no printer.
bool printerSetup(PrinterBackend& printer);
// One job of pages job.first..job.last, shown on `progress` when given; false when the
// printer did not take it.
bool send(PrinterBackend& printer, const PrintDocument& document, PrinterJob job,
          PrintProgressView* progress);

} // namespace printerdelivery
