// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/printsurface.h"

#include <functional>

// A printer that records what it was asked to print.
class RecordingPrinter final : public PrinterBackend {
public:
    bool available() const override { return true; }
    QString deviceName() const override { return name; }
    QString portName() const override { return QStringLiteral("usb://1"); }
    QSizeF paperSize() const override { return paper; }
    PrinterOutcome print(const PrintDocument& document, const PrinterJob& job) override {
        jobs.push_back(job);
        received = document;
        if (job.pageReady && whilePrinting) {
            job.pageReady(job.first);
            whilePrinting();
        }
        return {true, {}};
    }
    bool pageSetup(int& orientation) override {
        ++pageSetups;
        orientation = 1;
        return true;
    }
    bool printerSetup() override {
        ++printerSetups;
        return true;
    }

    QString name = QStringLiteral("Etichettatrice");
    QSizeF paper{11906, 16838}; // A4, in twips
    PrintDocument received;     // the last document printed
    std::vector<PrinterJob> jobs;
    int pageSetups = 0;
    int printerSetups = 0;
    // Called once the first page was announced to the progress view.
    std::function<void()> whilePrinting;
};
