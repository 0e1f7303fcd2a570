#include "qtprinter.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QProgressDialog>

QtPrinter::QtPrinter(const QString& printerName)
    : m_printer(QPrinter::HighResolution) {
    if (!printerName.isEmpty())
        m_printer.setPrinterName(printerName);
    m_printer.setFullPage(true); // (0, 0) is the paper's top-left corner
}

bool QtPrinter::available() const {
    return !m_printer.printerName().isEmpty() &&
           QPrinterInfo::printerInfo(m_printer.printerName()).isNull() == false;
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
    const QSizeF points = m_printer.pageLayout().pageSize().size(QPageSize::Point);
    return QSizeF(points.width() * 20, points.height() * 20);
}

bool QtPrinter::print(const PrintDocument& document, int first, int last, QString* error) {
    if (!available()) {
        if (error)
            *error = QStringLiteral("Nessuna stampante installata.");
        return false;
    }
    m_printer.setPageOrientation(document.paper.width() > document.paper.height()
                                     ? QPageLayout::Landscape
                                     : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&m_printer)) {
        if (error)
            *error = QStringLiteral("la stampante %1 non risponde.").arg(m_printer.printerName());
        return false;
    }
    std::unique_ptr<QProgressDialog> progress;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) &&
        QGuiApplication::platformName() != u"offscreen") {
        progress =
            std::make_unique<QProgressDialog>(QString(), QStringLiteral("Cancel"), first, last + 1);
        progress->setWindowTitle(QStringLiteral("Stampa in corso..."));
        progress->setMinimumDuration(0);
    }
    const double scale = m_printer.resolution() / 1440.0;
    for (int page = first; page <= last; ++page) {
        if (progress) {
            progress->setLabelText(QStringLiteral("Stampante %1 su %2\nPagina %3")
                                       .arg(deviceName(), portName())
                                       .arg(page));
            progress->setValue(page);
            QCoreApplication::processEvents();
            if (progress->wasCanceled()) {
                m_printer.abort();
                if (error)
                    *error = QStringLiteral("stampa annullata.");
                return false;
            }
        }
        if (page > first)
            m_printer.newPage();
        painter.save();
        painter.scale(scale, scale);
        printoutput::renderPage(document, page - 1, painter);
        painter.restore();
    }
    return painter.end();
}

bool QtPrinter::pageSetup(int& orientation) {
    if (!available())
        return false;
    m_printer.setPageOrientation(orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPageSetupDialog dialog(&m_printer);
    if (dialog.exec() == QDialog::Accepted)
        orientation = m_printer.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0;
    return true;
}

bool QtPrinter::printerSetup() {
    if (!available())
        return false;
    QPrintDialog dialog(&m_printer);
    dialog.exec();
    return true;
}
