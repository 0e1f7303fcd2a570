// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/widgets/frmcalibrastampante.h"

#include "common/messageservice.h"
#include "common/regionalsettings.h"
#include "common/widgets/dialogbuttons.h"
#include "common/widgets/windowplacement.h"
#include "document/labeldocument.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printsurface.h"
#include "printcomponent/widgets/qtprinter.h"
#include "printcomponent/zploutput.h"
#include "printing/calibrationpage.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QString FilesEntry = QStringLiteral("File (PDF, ZPL)");
const QString DriverLanguage = QStringLiteral("Driver della stampante");
const QString ZplLanguage = QStringLiteral("ZPL, stampante senza driver");

QDoubleSpinBox* millimetres(const char* name, double range, QWidget* parent) {
    auto* field = new QDoubleSpinBox(parent);
    field->setObjectName(QLatin1String(name));
    field->setRange(-range, range);
    field->setDecimals(2);
    field->setSingleStep(0.1);
    field->setSuffix(QStringLiteral(" mm"));
    field->setAlignment(Qt::AlignRight);
    field->setLocale(RegionalSettings::locale()); // the decimal comma of the other fields
    return field;
}

} // namespace

frmCalibraStampante::frmCalibraStampante(const LabelDocument& document, const QStringList& printers,
                                         const QString& current, PrinterFactory open,
                                         QWidget* parent)
    : QDialog(parent)
    , m_document(document)
    , m_open(std::move(open)) {
    setWindowTitle(QStringLiteral("Calibra stampante"));
    setObjectName(QStringLiteral("frmCalibraStampante"));

    cmbStampante = new QComboBox(this);
    cmbStampante->setObjectName(QStringLiteral("cmbStampante"));
    if (printers.contains(current))
        cmbStampante->addItem(current);
    for (const QString& printer : printers)
        if (printer != current)
            cmbStampante->addItem(printer);
    cmbStampante->addItem(FilesEntry);

    cmbLinguaggio = new QComboBox(this);
    cmbLinguaggio->setObjectName(QStringLiteral("cmbLinguaggio"));
    cmbLinguaggio->addItems({DriverLanguage, ZplLanguage});
    cmbLinguaggio->setToolTip(QStringLiteral("ZPL: per una coda senza driver (raw) o una "
                                             "stampante di etichette in rete (socket://...:9100)"));
    txtRisoluzione = new QSpinBox(this);
    txtRisoluzione->setObjectName(QStringLiteral("txtRisoluzione"));
    txtRisoluzione->setRange(72, zploutput::LargestDotsPerInch);
    txtRisoluzione->setSuffix(QStringLiteral(" dpi"));
    txtSpostamentoX = millimetres("txtSpostamentoX", printersettings::LargestOffset, this);
    txtSpostamentoY = millimetres("txtSpostamentoY", printersettings::LargestOffset, this);
    txtSpostamentoX->setToolTip(QStringLiteral("Di quanto spostare ogni etichetta: a destra se "
                                               "positivo"));
    txtSpostamentoY->setToolTip(QStringLiteral("Di quanto spostare ogni etichetta: in basso se "
                                               "positivo"));

    auto* printerGroup = new QGroupBox(QStringLiteral("Stampante"), this);
    auto* printerForm = new QFormLayout(printerGroup);
    printerForm->addRow(QStringLiteral("Stampante"), cmbStampante);
    printerForm->addRow(QStringLiteral("Linguaggio"), cmbLinguaggio);
    printerForm->addRow(QStringLiteral("Risoluzione"), txtRisoluzione);
    printerForm->addRow(QStringLiteral("Spostamento orizzontale"), txtSpostamentoX);
    printerForm->addRow(QStringLiteral("Spostamento verticale"), txtSpostamentoY);

    auto* testGroup = new QGroupBox(QStringLiteral("Pagina di prova"), this);
    auto* testForm = new QFormLayout(testGroup);
    auto* howTo = new QLabel(
        QStringLiteral("Stampare la pagina di prova sulle etichette e misurare la croce in alto "
                       "a sinistra: dovrebbe essere a %1 mm dal bordo sinistro e da quello "
                       "superiore dell'etichetta.")
            .arg(calibration::CrossDistance),
        testGroup);
    howTo->setWordWrap(true);
    cmdProva = new QPushButton(QStringLiteral("Stampa pagina di prova"), testGroup);
    cmdProva->setObjectName(QStringLiteral("cmdProva"));
    cmdProva->setAutoDefault(false);
    txtMisuraX = millimetres("txtMisuraX", 1000, testGroup);
    txtMisuraY = millimetres("txtMisuraY", 1000, testGroup);
    txtMisuraX->setValue(calibration::CrossDistance);
    txtMisuraY->setValue(calibration::CrossDistance);
    cmdCorreggi = new QPushButton(QStringLiteral("Correggi lo spostamento"), testGroup);
    cmdCorreggi->setObjectName(QStringLiteral("cmdCorreggi"));
    cmdCorreggi->setAutoDefault(false);
    testForm->addRow(howTo);
    testForm->addRow(cmdProva);
    testForm->addRow(QStringLiteral("Croce dal bordo sinistro"), txtMisuraX);
    testForm->addRow(QStringLiteral("Croce dal bordo superiore"), txtMisuraY);
    testForm->addRow(cmdCorreggi);

    const OkCancelButtons okCancel = makeOkCancelButtons(this);
    cmdOk = okCancel.ok;
    cmdCancel = okCancel.cancel;
    auto* main = new QVBoxLayout(this);
    main->addWidget(printerGroup);
    main->addWidget(testGroup);
    main->addLayout(okCancel.layout);

    connect(cmbStampante, &QComboBox::currentIndexChanged, this, [this] {
        keepShown();
        m_printedWith.reset();
        showSettings(chosenPrinter());
    });
    connect(cmbLinguaggio, &QComboBox::currentIndexChanged, this,
            [this] { txtRisoluzione->setEnabled(cmbLinguaggio->currentIndex() == 1); });
    connect(cmdProva, &QPushButton::clicked, this, [this] { printTestPage(); });
    connect(cmdCorreggi, &QPushButton::clicked, this, [this] { correct(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        save();
        accept();
    });
    showSettings(chosenPrinter());
    setFixedSize(sizeHint());
    CentraForm(this);
}

QString frmCalibraStampante::chosenPrinter() const {
    return cmbStampante->currentText() == FilesEntry ? printersettings::Files
                                                     : cmbStampante->currentText();
}

void frmCalibraStampante::showSettings(const QString& printer) {
    const auto changed = m_changed.find(printer);
    const PrinterSettings settings =
        changed != m_changed.end() ? changed->second : printersettings::read(printer);
    m_shown = printer;
    const bool files = printer == printersettings::Files;
    cmbLinguaggio->setCurrentIndex(settings.zpl && !files ? 1 : 0);
    cmbLinguaggio->setEnabled(!files); // a file is ZPL by its name
    txtRisoluzione->setValue(settings.zplDotsPerInch());
    txtRisoluzione->setEnabled(settings.zpl && !files);
    txtSpostamentoX->setValue(settings.offsetX);
    txtSpostamentoY->setValue(settings.offsetY);
}

void frmCalibraStampante::keepShown() {
    if (m_shown.isEmpty())
        return;
    PrinterSettings settings;
    settings.offsetX = txtSpostamentoX->value();
    settings.offsetY = txtSpostamentoY->value();
    settings.zpl = cmbLinguaggio->currentIndex() == 1;
    settings.dotsPerInch = settings.zpl ? txtRisoluzione->value() : 0;
    if (settings != printersettings::read(m_shown) || m_changed.count(m_shown))
        m_changed[m_shown] = settings;
}

void frmCalibraStampante::printTestPage() {
    keepShown();
    const QPointF offset(txtSpostamentoX->value(), txtSpostamentoY->value());
    HeadlessPressivoUi ui;
    if (chosenPrinter() == printersettings::Files) {
        FileDialogRequest request;
        request.mode = FileDialogRequest::Mode::Save;
        request.title = QStringLiteral("Pagina di prova");
        request.defaultSuffix = QStringLiteral("pdf");
        request.filter = QStringLiteral("PDF (*.pdf)|*.pdf");
        request.confirmOverwrite = true;
        request.selectedFile = QStringLiteral("calibrazione.pdf");
        const auto file = MessageService::current().chooseFile(request);
        if (!file)
            return;
        ui.destination = pressivo::File;
        ui.fileName = *file;
    } else {
        // The page is made for the printer as it will print, in the language and resolution
        // shown, which are kept only by "Ok".
        const auto changed = m_changed.find(m_shown);
        ui.surface().setPrinterBackend(
            m_open(chosenPrinter(),
                   changed != m_changed.end() ? changed->second : printersettings::read(m_shown)));
        ui.destination = pressivo::Printer;
    }
    if (calibration::printPage(m_document, ui, offset) == PrintOutcome::Delivered)
        m_printedWith = offset;
}

void frmCalibraStampante::correct() {
    const QPointF offset = calibration::correctedOffset(
        m_printedWith.value_or(QPointF(txtSpostamentoX->value(), txtSpostamentoY->value())),
        QPointF(txtMisuraX->value(), txtMisuraY->value()));
    txtSpostamentoX->setValue(offset.x());
    txtSpostamentoY->setValue(offset.y());
    // The next test page is measured afresh.
    m_printedWith.reset();
    txtMisuraX->setValue(calibration::CrossDistance);
    txtMisuraY->setValue(calibration::CrossDistance);
}

void frmCalibraStampante::save() {
    keepShown();
    for (const auto& [printer, settings] : m_changed) {
        QString error;
        if (!printersettings::write(printer, settings, &error))
            MessageService::current().warn(error, windowTitle());
    }
    m_changed.clear();
}

void mnuCalibraStampante(const LabelDocument& document, QWidget* parent) {
    frmCalibraStampante dialog(
        document, QPrinterInfo::availablePrinterNames(), QPrinterInfo::defaultPrinterName(),
        [](const QString& name, const PrinterSettings& settings) {
            return std::make_shared<QtPrinter>(name, settings);
        },
        parent);
    dialog.exec();
}
