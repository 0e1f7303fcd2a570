// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/widgets/qtprinter.h"

#include "common/files.h"
#include "common/units.h"
#include "printcomponent/cupsjob.h"
#include "printcomponent/pdfstream.h"
#include "printcomponent/printersettings.h"
#include "printcomponent/zploutput.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <thread>

namespace {

// CUPS may take its time (a busy scheduler, a large upload, the job followed for a few
// seconds): the submission runs on a thread of its own while the windows keep repainting.
// Input waits, as the job's progress window is modal anyway.
cupsjob::Outcome submitAside(const cupsjob::Request& request) {
    cupsjob::Outcome outcome;
    QEventLoop loop;
    std::thread submission([&] {
        outcome = cupsjob::submit(request);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    submission.join();
    return outcome;
}

} // namespace

QtPrinter::QtPrinter(const QString& printerName)
    : m_requested(printerName)
    , m_printer(QPrinter::HighResolution) {
    // Qt keeps the default printer when it does not know the name: only set names it knows.
    if (!printerName.isEmpty() && cupsjob::queueExists(printerName))
        m_printer.setPrinterName(printerName);
    m_printer.setFullPage(true); // (0, 0) is the paper's top-left corner
}

QtPrinter::QtPrinter(const QString& printerName, const PrinterSettings& settings)
    : QtPrinter(printerName) {
    m_settings = settings;
}

bool QtPrinter::available() const {
    if (!m_requested.isEmpty() && !cupsjob::queueExists(m_requested))
        return false;
    return !m_printer.printerName().isEmpty() &&
           !QPrinterInfo::printerInfo(m_printer.printerName()).isNull();
}

QString QtPrinter::deviceName() const {
    return m_printer.printerName();
}

QString QtPrinter::portName() const {
    const QPrinterInfo info = QPrinterInfo::printerInfo(m_printer.printerName());
    return info.location().isEmpty() ? QStringLiteral("CUPS") : info.location();
}

QSizeF QtPrinter::paperSize() const {
    if (!available())
        return {11906, 16838};
    // The queue's own paper (a label printer's roll), unless the user chose one in "Pagina...".
    if (!m_pageChosen) {
        // Asked of CUPS once: a queue whose printer is away must not hold every repaint.
        if (!m_queuePaper)
            m_queuePaper = cupsjob::defaultPaper(m_printer.printerName());
        if (*m_queuePaper)
            return **m_queuePaper;
    }
    const QSizeF points = m_printer.pageLayout().pageSize().size(QPageSize::Point);
    return QSizeF(points.width() * 20, points.height() * 20);
}

int QtPrinter::dotsPerInch() const {
    if (!available())
        return 0;
    const PrinterSettings settings =
        m_settings ? *m_settings : printersettings::read(m_printer.printerName());
    return settings.zpl ? settings.zplDotsPerInch()
                        : cupsjob::defaultResolution(m_printer.printerName());
}

QPointF QtPrinter::dotOrigin(const std::optional<QSizeF>& paper) const {
    if (!available() ||
        (m_settings ? *m_settings : printersettings::read(m_printer.printerName())).zpl)
        return {}; // ZPL is drawn from the paper's corner
    return cupsjob::printableCorner(m_printer.printerName(), paper).value_or(QPointF());
}

PrinterOutcome QtPrinter::print(const PrintDocument& document, const PrinterJob& job) {
    if (!available())
        return {false, m_requested.isEmpty()
                           ? QStringLiteral("Nessuna stampante installata.")
                           : QStringLiteral("Stampante %1 non trovata.").arg(m_requested)};
    const QString queue = m_printer.printerName();
    // Copies chosen in the print dialog count when the job itself asks for one.
    const int copies = job.copies > 1 ? job.copies : std::max(1, m_printer.copyCount());

    // The pages become one PDF in a private folder, which CUPS prints as one job; for a
    // printer without a driver, one ZPL file.
    const QString folder = privateOutputFolder();
    if (folder.isEmpty())
        return {false, QStringLiteral("impossibile preparare il lavoro di stampa: nessuna "
                                      "cartella privata disponibile.")};
    const PrinterSettings settings = m_settings ? *m_settings : printersettings::read(queue);
    // Labels drawn where the layout puts them (from the preview, a saved print) move by this
    // printer's offsets now; a job drawn for a printer already has them.
    const QPointF shift = document.calibration ? QPointF()
                                               : QPointF(settings.offsetX, settings.offsetY) *
                                                     units::TwipsPerMillimetre;
    QTemporaryFile pages(QDir(folder).filePath(settings.zpl ? QStringLiteral("lavoro-XXXXXX.zpl")
                                                            : QStringLiteral("lavoro-XXXXXX.pdf")));
    if (!pages.open())
        return {false, writeFailureReason(pages.fileName(), errno, pages.errorString())};
    if (settings.zpl) {
        // A label at a time: the progress window follows, and a long job never waits whole in
        // memory.
        for (int page = job.first; page <= job.last; ++page) {
            if (job.pageReady && !job.pageReady(page))
                return {false, QStringLiteral("stampa annullata.")};
            errno = 0;
            if (pages.write(zploutput::encode(document, settings.zplDotsPerInch(), copies, page,
                                              page, shift)) < 0)
                return {false, writeFailureReason(pages.fileName(), errno, pages.errorString())};
        }
        if (!pages.flush())
            return {false, writeFailureReason(pages.fileName(), errno, pages.errorString())};
    }
    pages.close();

    if (!settings.zpl) {
        PdfFile pdf(pages.fileName(), document.paper);
        QString error;
        if (!pdf.open(&error))
            return {false, error};
        for (int page = job.first; page <= job.last; ++page) {
            if (job.pageReady && !job.pageReady(page))
                return {false, QStringLiteral("stampa annullata.")};
            pdf.addPage(document, page - 1, shift);
        }
        if (!pdf.commit(&error))
            return {false, error};
    }

    cupsjob::Request request;
    request.queue = queue;
    request.pdfPath = pages.fileName();
    request.title = job.name;
    request.raw = settings.zpl;
    request.copies = copies;
    request.paper = document.paper;
    request.duplex = m_printer.duplex() != QPrinter::DuplexNone;
    const cupsjob::Outcome outcome = submitAside(request);
    return {outcome.delivered, outcome.message, outcome.jobId};
}

bool QtPrinter::pageSetup(int& orientation) {
    if (!available())
        return false;
    m_printer.setPageOrientation(orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPageSetupDialog dialog(&m_printer);
    if (dialog.exec() == QDialog::Accepted)
        m_pageChosen = true;
    if (m_pageChosen)
        orientation = m_printer.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
    return true;
}

bool QtPrinter::printerSetup() {
    if (!available())
        return false;
    QPrintDialog dialog(&m_printer);
    if (dialog.exec() == QDialog::Accepted)
        m_pageChosen = true; // its paper is the user's choice, as in "Pagina..."
    return true;
}
