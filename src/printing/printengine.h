// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/fieldtext.h"
#include "printing/labeldatabase.h"
#include "printing/labelplace.h"
#include "printing/printjob.h"

#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

class clsDatabase;
class LabelDocument;
class PressivoUi;
struct LabelElement;
struct LayoutEtichetta;

// Shown while labels are drawn: the wait window, or lines on standard error.
class PrintProgress {
public:
    virtual ~PrintProgress() = default;
    virtual void begin() {}
    // "Etichetta i/N"
    virtual void label(int /*i*/, int /*n*/) {}
    virtual void end() {}
    // The user asked to stop: the job ends at the next label, leaving no output.
    virtual bool cancelled() const { return false; }
};

struct PrintHooks {
    // Asks for the job; `bound` says whether the label prints from a database, which
    // preselects "all labels". Not called for a direct print.
    std::function<void(PrintJob& job, bool bound)> askJob;
    PrintProgress* progress = nullptr;
    PressivoUi* ui = nullptr; // the print component's windows; the installed ones when null
};

enum class PrintOutcome {
    Delivered,
    Cancelled,
    Failed,
    NothingToPrint, // no record selected, or no label asked for: nothing was printed
    // Delivered, but with elements left out (a symbol that cannot hold its value, a picture
    // file that is not there): each was said.
    DeliveredIncomplete,
};

// Prints the label: one label per selected record (or the number asked), placed on the sheet's
// grid from the first position asked, through clsPressivo to the destination chosen. A failure
// of the database, a picture or the output ends the job with a message; nothing half printed
// counts as delivered. A job with no label to print says so ("Nessun record selezionato")
// and prints nothing: no blank sheet, no empty file. A job stopped by SIGINT or SIGTERM ends
// as a failure and leaves no output.
PrintOutcome StampaEtichette(LabelDocument& document, clsDatabase& database, bool StampaDiretta,
                             const PrintHooks& hooks);
