// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/widgets/frmimpostapagina.h"

#include "common/cursor.h"
#include "common/messageservice.h"
#include "common/numbers.h"
#include "common/widgets/decimalentry.h"
#include "common/widgets/dialogbuttons.h"
#include "common/widgets/windowplacement.h"
#include "document/labeldocument.h"
#include "printing/widgets/frmmodellofoglio.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* addField(QGridLayout* grid, int row, const QString& caption, const char* name,
                    bool millimetres, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setAlignment(Qt::AlignRight);
    DecimalEntry::install(field);
    label->setBuddy(field);
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    if (millimetres)
        grid->addWidget(new QLabel(QStringLiteral("mm"), parent), row, 2);
    return field;
}

} // namespace

frmImpostaPagina::frmImpostaPagina(LabelDocument& document, QWidget* parent)
    : QDialog(parent)
    , m_document(document) {
    setObjectName(QStringLiteral("frmImpostaPagina"));
    setWindowTitle(QStringLiteral("Layout etichetta"));

    auto* layoutGroup = new QGroupBox(QStringLiteral("Layout"), this);
    auto* layoutGrid = new QGridLayout(layoutGroup);
    txtEtichetteOrizzontali = addField(layoutGrid, 0, QStringLiteral("Etichette orizz."),
                                       "txtEtichetteOrizzontali", false, layoutGroup);
    txtEtichetteVerticali = addField(layoutGrid, 1, QStringLiteral("Etichette vert."),
                                     "txtEtichetteVerticali", false, layoutGroup);
    txtMargineSinistro = addField(layoutGrid, 2, QStringLiteral("Margine sinistro"),
                                  "txtMargineSinistro", true, layoutGroup);
    txtMargineSuperiore = addField(layoutGrid, 3, QStringLiteral("Margine super."),
                                   "txtMargineSuperiore", true, layoutGroup);
    txtLarghezzaEtichetta = addField(layoutGrid, 4, QStringLiteral("Larghezza etich."),
                                     "txtLarghezzaEtichetta", true, layoutGroup);
    txtAltezzaEtichetta = addField(layoutGrid, 5, QStringLiteral("Altezza etich."),
                                   "txtAltezzaEtichetta", true, layoutGroup);
    txtSpazioOrizzontale = addField(layoutGrid, 6, QStringLiteral("Spazio orizz."),
                                    "txtSpazioOrizzontale", true, layoutGroup);
    txtSpazioVerticale = addField(layoutGrid, 7, QStringLiteral("Spazio vertic."),
                                  "txtSpazioVerticale", true, layoutGroup);

    auto* originGroup = new QGroupBox(QStringLiteral("Origine della stampa"), this);
    auto* originGrid = new QGridLayout(originGroup);
    txtOrigineX = addField(originGrid, 0, QStringLiteral("Origine  X stam."), "txtOrigineX", true,
                           originGroup);
    txtOrigineY = addField(originGrid, 1, QStringLiteral("Origine Y stam."), "txtOrigineY", true,
                           originGroup);

    const OkCancelButtons okCancel = makeOkCancelButtons(this);
    cmdOk = okCancel.ok;
    cmdCancel = okCancel.cancel;
    connect(cmdOk, &QPushButton::clicked, this, &frmImpostaPagina::cmdOk_Click);
    QHBoxLayout* buttons = okCancel.layout;
    cmdModello = new QPushButton(QStringLiteral("Modello di foglio..."), this);
    cmdModello->setObjectName(QStringLiteral("cmdModello"));
    cmdModello->setAutoDefault(false);
    buttons->insertWidget(0, cmdModello);
    connect(cmdModello, &QPushButton::clicked, this, [this] {
        frmModelloFoglio catalogue(sheetcatalogue::all(), this);
        if (catalogue.exec() == QDialog::Accepted && catalogue.Scelto)
            applySheet(*catalogue.Scelto);
    });
    auto* main = new QVBoxLayout(this);
    main->addWidget(layoutGroup);
    main->addWidget(originGroup);
    main->addLayout(buttons);

    setFixedSize(sizeHint());
    CentraForm(this);
    CaricaLayout();
}

std::array<QLineEdit*, 10> frmImpostaPagina::fields() const {
    return {txtEtichetteOrizzontali,
            txtEtichetteVerticali,
            txtMargineSinistro,
            txtMargineSuperiore,
            txtLarghezzaEtichetta,
            txtAltezzaEtichetta,
            txtSpazioOrizzontale,
            txtSpazioVerticale,
            txtOrigineX,
            txtOrigineY};
}

void frmImpostaPagina::CaricaLayout() {
    const LayoutEtichetta& layout = m_document.layout();
    const auto all = fields();
    for (int i = 0; i < LayoutEtichetta::ValueCount; ++i)
        all[i]->setText(FormatNumero(layout.value(i), 3));
}

void frmImpostaPagina::applySheet(const SheetTemplate& sheet) {
    // All ten: the print origin puts the labels exactly where the sheet has them.
    const auto all = fields();
    for (int i = 0; i < LayoutEtichetta::ValueCount; ++i)
        all[i]->setText(FormatNumero(sheet.layout.value(i), 3));
}

bool frmImpostaPagina::Verifica_campi_obbligatori() {
    for (QLineEdit* field : {txtEtichetteOrizzontali, txtEtichetteVerticali, txtLarghezzaEtichetta,
                             txtAltezzaEtichetta}) {
        if (ValoreNumerico(field->text()) <= 0) {
            MessageService::current().warn(QStringLiteral("Inserire un valore positivo."),
                                           windowTitle());
            field->setFocus();
            return false;
        }
    }
    return true;
}

void frmImpostaPagina::SalvaLayout() {
    LayoutEtichetta layout;
    const auto all = fields();
    for (int i = 0; i < LayoutEtichetta::ValueCount; ++i)
        layout.value(i) = ValoreNumerico(all[i]->text());
    m_document.setLayout(layout);
}

void frmImpostaPagina::cmdOk_Click() {
    if (!Verifica_campi_obbligatori())
        return;
    SalvaLayout();
    accept();
}

void mnuImpostaPagina(LabelDocument& document, QWidget* parent,
                      const std::function<int(QDialog&)>& run) {
    CursoreAttesa();
    frmImpostaPagina dialog(document, parent);
    CursoreNormale();
    if (run)
        run(dialog);
    else
        dialog.exec();
    // The design surface shows the label outline of whatever layout is now in force.
    emit document.layoutChanged();
}
