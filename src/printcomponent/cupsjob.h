// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QSizeF>
#include <QString>

#include <optional>

// Print jobs handed to CUPS and followed until CUPS has taken them. Qt's own CUPS path does
// not say whether a job was accepted; this one asks, so that a refused job is never reported
// as printed.
namespace cupsjob {

// The queue exists on this system. The default queue's name, empty when there is none.
bool queueExists(const QString& queue);
QString defaultQueue();

// The paper a queue prints on when the job names none (its default media: the PPD's page
// size, e.g. a label printer's 4 x 6 in roll), as the queue feeds it, in twips; nothing when CUPS
// does not say.
std::optional<QSizeF> defaultPaper(const QString& queue);
// Where the queue's driver starts the area it prints, on the media a job of `paper` twips (of
// the queue's own paper when none) is given: the left and top margins, in twips.
std::optional<QPointF> printableCorner(const QString& queue, const std::optional<QSizeF>& paper);
// The dots per inch a queue prints at by default (across); 0 when CUPS does not say.
int defaultResolution(const QString& queue);

struct Request {
    QString queue;
    QString pdfPath; // the pages, as one PDF
    // The file is the printer's own language (ZPL for a printer without a driver): sent as it
    // is, the copies in it.
    bool raw = false;
    QString title;  // the job's name in the queue
    int copies = 1; // one job of this many copies
    QSizeF paper;   // twips, to choose the paper; the page is never scaled to another
    bool duplex = false;
};

struct Outcome {
    bool delivered = false;
    int jobId = 0;
    // Why it was not delivered; for a delivered job, what the user should know of it (the
    // queue is stopped and the job waits). Empty otherwise.
    QString message;
};

// Sends the job and follows it for a few seconds: a queue that refuses jobs, a submission
// that fails or a job that CUPS aborts or cancels is not delivered.
Outcome submit(const Request& request);

// The number of the job of that title the queue has taken (pending, printing or done, not
// cancelled or aborted), the newest when there are several; 0 when there is none, -1 when
// CUPS cannot be asked.
int jobTitled(const QString& queue, const QString& title);

} // namespace cupsjob
