// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/destinationchoice.h"

#include "printcomponent/printsurface.h"

DestinationRequest chooseDestination(PressivoUi& ui, PrintSurface& surface, int disabledPeripheral,
                                     qint16& copies, bool noPrompt) {
    for (;;) {
        // Asked afresh each time: a printer set-up may have changed the printer.
        DestinationRequest request;
        request.disabledPeripheral = disabledPeripheral;
        request.Copies = copies;
        request.CurrentPrinter = surface.DeviceName();
        request.Port = surface.PortName();
        if (noPrompt)
            request.DestinazioneStampa = pressivo::Printer;
        else
            ui.askDestination(request);
        if (request.Copies > 0 && request.Copies < 1000)
            copies = request.Copies;
        if (request.DestinazioneStampa == DestinationRequest::PageSetupAsked)
            surface.setAction(pressivo::PageSetup);
        else if (request.DestinazioneStampa == DestinationRequest::PrinterSetupAsked)
            surface.setAction(pressivo::PrinterSetup);
        else
            return request;
    }
}
