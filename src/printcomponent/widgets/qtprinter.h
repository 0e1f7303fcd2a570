// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/printersettings.h"
#include "printcomponent/printsurface.h"

#include <QPrinter>

#include <optional>

// The system's printers (CUPS), with Qt's print, printer and page set-up dialogs. Pages go to
// CUPS as one PDF job whose acceptance is checked, so a refused job is reported.
class QtPrinter final : public PrinterBackend {
public:
    // The default printer, or the named one. A name the system does not know is not replaced
    // by the default printer: the printer is then unavailable.
    explicit QtPrinter(const QString& printerName = {});
    // With the settings given instead of those kept for the printer (a test page of settings
    // not yet kept).
    QtPrinter(const QString& printerName, const PrinterSettings& settings);

    bool available() const override;
    QString deviceName() const override;
    QString portName() const override;
    QSizeF paperSize() const override;
    int dotsPerInch() const override;
    QPointF dotOrigin(const std::optional<QSizeF>& paper) const override;
    PrinterOutcome print(const PrintDocument& document, const PrinterJob& job) override;
    bool pageSetup(int& orientation) override;
    bool printerSetup() override;

private:
    QString m_requested; // the name asked for; empty for the default printer
    mutable QPrinter m_printer;
    bool m_pageChosen = false; // a page chosen in "Pagina..." wins over the queue's own
    mutable std::optional<std::optional<QSizeF>> m_queuePaper;
    std::optional<PrinterSettings> m_settings;
};
