// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/batchprint.h"
#include "service/jobjournal.h"
#include "service/labelfolder.h"

#include <QString>

// What became of a job the service printed.
struct JobResult {
    JournalEntry::State state = JournalEntry::State::Failed;
    QString message;
    int cupsJob = 0;
    // Stopped by the service's own end: the job stays in the journal to print at the next
    // start.
    bool interrupted = false;
};

// Prints the journal's jobs one at a time: the label from the folder, the job's records in
// place of the label's data, to a PDF in the state folder or to a printer.
class JobRunner {
public:
    JobRunner(LabelFolder labels, QString pdfFolder, QStringList printers,
              PrinterFactory systemPrinters);

    JobResult run(const JournalEntry& entry);
    // A job to a printer that its worker was stopped in the middle of may have reached the
    // queue: its number there, 0 when it has not, -1 when CUPS cannot say (ask again later).
    int alreadySent(const JournalEntry& entry) const;

    // Where a job's PDF is written.
    static QString pdfOf(const QString& folder, const QString& id);
    // The title the job has in the printer's queue: how a job is found again after a crash.
    static QString queueTitle(const QString& id);

private:
    LabelFolder m_labels;
    QString m_pdfFolder;
    QStringList m_printers;
    PrinterFactory m_systemPrinters;
};
