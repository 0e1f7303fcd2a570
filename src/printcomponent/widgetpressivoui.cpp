// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetpressivoui.h"

#include "common/cursor.h"
#include "frmpressivoanteprima.h"
#include "frmpressivodestinazionestampa.h"
#include "frmpressivogestionestampe.h"
#include "printsurface.h"

WidgetPressivoUi::WidgetPressivoUi(std::shared_ptr<PrinterBackend> printer)
    : m_printer(std::move(printer)) {}

WidgetPressivoUi::~WidgetPressivoUi() = default;

PrintSurface& WidgetPressivoUi::surface() {
    if (!m_preview) {
        m_preview = std::make_unique<frmPressivoAnteprima>();
        m_preview->vspAnteprima().setPrinterBackend(m_printer);
    }
    return m_preview->vspAnteprima();
}

void WidgetPressivoUi::askDestination(DestinationRequest& request) {
    frmPressivoDestinazioneStampa dialog;
    if (request.disabledPeripheral >= 0)
        dialog.DisabledPeripheral(request.disabledPeripheral);
    dialog.setCopies(request.Copies);
    dialog.setCurrentPrinter(request.CurrentPrinter);
    dialog.setPort(request.Port);
    dialog.exec();
    request.Copies = dialog.Copies();
    request.DestinazioneStampa = dialog.DestinazioneStampa();
    request.FileName = dialog.FileName().toString();
}

void WidgetPressivoUi::showPreview() {
    surface();
    m_preview->AggiornaControlli();
    m_preview->AggiornaZoom(QStringLiteral("Pagina intera"));
    m_preview->exec();
}

QString WidgetPressivoUi::chooseSavedPrint(const QString& folder) {
    frmPressivoGestioneStampe dialog;
    dialog.setCurrentDirectory(folder);
    dialog.exec();
    return dialog.FileName();
}

void WidgetPressivoUi::unloadPreview() {
    m_preview.reset();
}
