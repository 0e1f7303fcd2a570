// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/pressivocodes.h"

#include <QString>

#include <memory>

class PrintSurface;

// What the destination dialog is given and answers (see clsPressivo::SelectPrintDestination).
struct DestinationRequest {
    int disabledPeripheral = -1; // 0 printer, 1 preview, 2 file; -1 none
    qint16 Copies = 1;
    QString CurrentPrinter;
    QString Port;
    // The answer: a destination (pressivo::Destination, Discard when cancelled), or one of the
    // set-up dialogs asked for.
    static constexpr qint16 PageSetupAsked = -2;
    static constexpr qint16 PrinterSetupAsked = -1;
    qint16 DestinazioneStampa = 0;
    QString FileName;
};

// The windows of the print component: the preview window that owns the one print surface,
// the destination dialog and the saved print manager. Batch runs and tests use
// HeadlessPressivoUi; the program installs the windowed one.
class PressivoUi {
public:
    virtual ~PressivoUi() = default;
    // The preview window's surface, created (hidden) on first use.
    virtual PrintSurface& surface() = 0;
    // Shows the destination dialog modally and fills in the answer.
    virtual void askDestination(DestinationRequest& request) = 0;
    // Shows the preview of the surface's document modally.
    virtual void showPreview() = 0;
    // A long job's preview opens once its first page is drawn, pages joining it as they are
    // drawn; false when there is no such window (the preview then waits for the whole job).
    virtual bool showPreviewEarly() { return false; }
    // Told of each label while the early preview is open: the window answers meanwhile. False
    // when the user closed it, which ends the job.
    virtual bool previewDrawing(int /*label*/, int /*labels*/) { return true; }
    // The saved print manager on a folder: the chosen file, empty when cancelled.
    virtual QString chooseSavedPrint(const QString& folder) = 0;
    // The preview window is unloaded (at the end of a clsPressivo object).
    virtual void unloadPreview() {}

    static PressivoUi& current();
    static void install(PressivoUi* ui); // the caller keeps ownership
};

// No windows: the destination is decided beforehand, the preview shows nothing.
class HeadlessPressivoUi final : public PressivoUi {
public:
    HeadlessPressivoUi();
    ~HeadlessPressivoUi() override;

    PrintSurface& surface() override;
    void askDestination(DestinationRequest& request) override;
    void showPreview() override { ++previews; }
    QString chooseSavedPrint(const QString&) override { return savedPrintAnswer; }

    // Answers the destination dialog gives.
    pressivo::Destination destination = pressivo::Discard;
    QString fileName;
    int copies = 0; // 0: keep what the dialog was given
    QString savedPrintAnswer;
    int previews = 0;
    int questions = 0;

private:
    std::unique_ptr<PrintSurface> m_surface;
};
