// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/pressivoui.h"

#include <QElapsedTimer>

#include <memory>

class frmPressivoAnteprima;
class PrinterBackend;
class PrintProgressView;

// The windows of the print component for the real program.
class WidgetPressivoUi final : public PressivoUi {
public:
    explicit WidgetPressivoUi(std::shared_ptr<PrinterBackend> printer);
    ~WidgetPressivoUi() override;

    PrintSurface& surface() override;
    void askDestination(DestinationRequest& request) override;
    void showPreview() override;
    bool showPreviewEarly() override;
    bool previewDrawing(int label, int labels) override;
    QString chooseSavedPrint(const QString& folder) override;
    void unloadPreview() override;

    frmPressivoAnteprima* preview() const { return m_preview.get(); }

private:
    std::shared_ptr<PrinterBackend> m_printer;
    std::unique_ptr<PrintProgressView> m_progress;
    std::unique_ptr<frmPressivoAnteprima> m_preview;
    QElapsedTimer m_sinceEvents;
};
