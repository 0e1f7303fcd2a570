// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/printdocument.h"

#include <QPointF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>

// A print job for a printer: pages first..last (from 1), as one job of `copies` copies, with
// the name it shows in the queue.
struct PrinterJob {
    int first = 1;
    int last = 1;
    int copies = 1;
    QString name;
    // Told of each page as it is prepared; false when the user cancelled the job.
    std::function<bool(int page)> pageReady;
};

// What the user sees while pages are sent to a printer: a window with a cancel button, or
// nothing in batch runs.
class PrintProgressView {
public:
    virtual ~PrintProgressView() = default;
    virtual void begin(const QString& printer, int first, int last) = 0;
    // False when the user asked to cancel.
    virtual bool page(int page) = 0;
    virtual void end() = 0;
};

// What became of a job: delivered or not, and why not (or, for a delivered job, what the
// user should know, such as a stopped queue).
struct PrinterOutcome {
    bool delivered = false;
    QString message;
    int jobId = 0; // the job's number in the printer's queue, when it has one
};

// Where finished documents go on paper: a printer of the system, or none.
class PrinterBackend {
public:
    virtual ~PrinterBackend() = default;
    virtual bool available() const = 0;
    virtual QString deviceName() const = 0;
    virtual QString portName() const = 0;
    // The paper of the current printer, portrait, in twips.
    virtual QSizeF paperSize() const = 0;
    // Its resolution, when known (0 otherwise): barcodes then land on its dots.
    virtual int dotsPerInch() const { return 0; }
    // Where its dots start on a page of `paper` twips (its own paper when none): the corner of
    // the area it prints, in twips from the paper's.
    virtual QPointF dotOrigin(const std::optional<QSizeF>& /*paper*/) const { return {}; }
    virtual PrinterOutcome print(const PrintDocument& document, const PrinterJob& job) = 0;
    // The page set-up and printer set-up dialogs; false when there is nothing to set up.
    virtual bool pageSetup(int& orientation) = 0;
    virtual bool printerSetup() = 0;
};

// No printer installed: everything that needs one says so.
class NoPrinter final : public PrinterBackend {
public:
    bool available() const override { return false; }
    QString deviceName() const override { return {}; }
    QString portName() const override { return {}; }
    QSizeF paperSize() const override { return {11906, 16838}; } // A4
    PrinterOutcome print(const PrintDocument&, const PrinterJob&) override;
    bool pageSetup(int&) override { return false; }
    bool printerSetup() override { return false; }
};
