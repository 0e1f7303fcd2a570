// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/printerdelivery.h"

#include "common/messageservice.h"

PrinterOutcome NoPrinter::print(const PrintDocument&, const PrinterJob&) {
    return {false, QStringLiteral("Nessuna stampante installata.")};
}

namespace printerdelivery {
namespace {
const QString Title = QStringLiteral("Stampa");
} // namespace

std::optional<int> pageSetup(PrinterBackend& printer, int orientation) {
    if (printer.pageSetup(orientation))
        return orientation;
    MessageService::current().warn(
        QStringLiteral("Nessuna stampante installata: impossibile impostare la pagina."), Title);
    return std::nullopt;
}

bool printerSetup(PrinterBackend& printer) {
    if (printer.printerSetup())
        return true;
    MessageService::current().warn(
        QStringLiteral("Nessuna stampante installata: impossibile impostare la stampante."), Title);
    return false;
}

bool send(PrinterBackend& printer, const PrintDocument& document, PrinterJob job,
          PrintProgressView* progress) {
    if (progress) {
        progress->begin(printer.deviceName() + QStringLiteral(" su ") + printer.portName(),
                        job.first, job.last);
        job.pageReady = [progress](int page) { return progress->page(page); };
    }
    const PrinterOutcome outcome = printer.print(document, job);
    if (progress)
        progress->end();
    MessageService& messages = MessageService::current();
    if (!outcome.delivered) {
        messages.warn(QStringLiteral("Stampa non eseguita: ") + outcome.message, Title);
        return false;
    }
    if (!outcome.message.isEmpty())
        messages.message(outcome.message, Title, MessageIcon::Information);
    return true;
}

} // namespace printerdelivery
