// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/widgets/widgetpressivoui.h"

#include "common/cursor.h"
#include "printcomponent/printsurface.h"
#include "printcomponent/widgets/frmpressivoanteprima.h"
#include "printcomponent/widgets/frmpressivodestinazionestampa.h"
#include "printcomponent/widgets/frmpressivogestionestampe.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QProgressDialog>

#include <algorithm>

namespace {

// "Stampa in corso...": the page being sent, with a button that cancels the job.
class ProgressDialogView final : public PrintProgressView {
public:
    void begin(const QString& printer, int first, int last) override {
        m_printer = printer;
        m_dialog = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Annulla"), first,
                                                     last + 1);
        m_dialog->setWindowTitle(QStringLiteral("Stampa in corso..."));
        // Nothing else can be printed meanwhile: the window holds the program.
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumDuration(0);
        // Wide enough for its title and the printer's name, which window managers cut short.
        const QFontMetrics metrics(m_dialog->font());
        m_dialog->setMinimumWidth(
            std::max({320, metrics.horizontalAdvance(m_dialog->windowTitle()) + 160,
                      metrics.horizontalAdvance(QStringLiteral("Stampante ") + printer) + 80}));
    }
    bool page(int page) override {
        if (!m_dialog)
            return true;
        m_dialog->setLabelText(QStringLiteral("Stampante %1\nPagina %2").arg(m_printer).arg(page));
        m_dialog->setValue(page);
        QCoreApplication::processEvents();
        return !m_dialog->wasCanceled();
    }
    void end() override { m_dialog.reset(); }

private:
    QString m_printer;
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace

WidgetPressivoUi::WidgetPressivoUi(std::shared_ptr<PrinterBackend> printer)
    : m_printer(std::move(printer))
    , m_progress(std::make_unique<ProgressDialogView>()) {}

WidgetPressivoUi::~WidgetPressivoUi() = default;

PrintSurface& WidgetPressivoUi::surface() {
    if (!m_preview) {
        m_preview = std::make_unique<frmPressivoAnteprima>();
        m_preview->vspAnteprima().setPrinterBackend(m_printer);
        m_preview->vspAnteprima().setProgressView(m_progress.get());
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
    const bool early = m_preview->isVisible();
    m_preview->setDrawing(false);
    m_preview->AggiornaControlli();
    if (!early)
        m_preview->AggiornaZoom(QStringLiteral("Pagina intera"));
    m_preview->exec();
}

bool WidgetPressivoUi::showPreviewEarly() {
    surface();
    // No other window takes input meanwhile: the label must not change under the job.
    m_preview->setWindowModality(Qt::ApplicationModal);
    m_preview->setDrawing(true);
    m_preview->AggiornaControlli();
    m_preview->AggiornaZoom(QStringLiteral("Pagina intera"));
    m_preview->show();
    QCoreApplication::processEvents();
    m_sinceEvents.start();
    return true;
}

bool WidgetPressivoUi::previewDrawing(int label, int labels) {
    if (!m_preview || !m_preview->isVisible())
        return false;
    // Often enough to feel alive, seldom enough to cost nothing on a long job.
    if (m_sinceEvents.elapsed() < 40 && label != labels)
        return true;
    m_preview->showDrawing(label, labels);
    QCoreApplication::processEvents();
    m_sinceEvents.restart();
    return m_preview->isVisible();
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
