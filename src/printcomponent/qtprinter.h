#pragma once

#include "printsurface.h"

#include <QPrinter>

// The system's printers (CUPS), with Qt's print, printer and page set-up dialogs.
class QtPrinter final : public PrinterBackend {
public:
    // The default printer, or the named one.
    explicit QtPrinter(const QString& printerName = {});

    bool available() const override;
    QString deviceName() const override;
    QString portName() const override;
    QSizeF paperSize() const override;
    bool print(const PrintDocument& document, int first, int last, QString* error) override;
    bool pageSetup(int& orientation) override;
    bool printerSetup() override;

private:
    mutable QPrinter m_printer;
};
