// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>

#include <QMap>
#include <functional>
#include <memory>

#include <optional>

class PrinterBackend;
enum class PrintOutcome;

// marvello --print LABEL.eti --to OUT [--db FILE] [--password PW] [--first N] [--count N]
//          [--borders] [--crop-marks] [--copies N] [--progress] [--dpi N] [--offset X,Y]
//          [--quantity-field FIELD] [--set QUESTION=ANSWER ...] [--serial-start N]
struct BatchOptions {
    QString label;
    QString to; // file.pdf, file.ant, printer, printer:NAME
    std::optional<QString> database;
    QString password;
    int first = 1;
    std::optional<int> count; // all labels when missing
    bool borders = false;
    bool cropMarks = false;
    int copies = 1;
    bool progress = false;
    int timeoutSeconds = 60; // how long a data source may keep the job waiting
    int dotsPerInch = 0;     // barcodes on the dots of a printer of this resolution
    // Millimetres every label moves by (right, down); none: the printer's own, as calibrated.
    std::optional<QPointF> offset;
    // The field that says how many labels each record gets; none: the label's own choice.
    std::optional<QString> quantityField;
    // The answers to the label's questions (${?Lotto}); every question needs one.
    QMap<QString, QString> answers;
    // The first serial number (${P}); none: the one after the label's last job.
    std::optional<long> serialStart;
    // The file written is named on standard output (a service keeps its output for its log).
    bool sayWritten = true;

    // Nothing, and a reason, when the words are not a valid request.
    static std::optional<BatchOptions> parse(const QStringList& words, QString* error);
};

using PrinterFactory = std::function<std::shared_ptr<PrinterBackend>(const QString& name)>;

// The exit code of a print: 0 only when delivered whole (then `whenDelivered` runs, as for 5:
// delivered with elements left out), 3 when there was nothing to print, 128 + the signal when
// one stopped it, else 1.
int exitCodeOf(PrintOutcome outcome, const std::function<void()>& whenDelivered = {});

// Prints without windows; messages go to standard error. Exit code 0 only when the document
// was delivered.
int runBatchPrint(const BatchOptions& options, const PrinterFactory& printers);

class clsDatabase;
class LabelDocument;
// The same for a label already open (and connected, when it prints from data): every question
// answered, the destination reached, the labels printed. Messages go through the message
// service; the written file's name to standard output.
int printLoaded(LabelDocument& document, clsDatabase& database, const BatchOptions& options,
                const PrinterFactory& printers);
