// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/widgets/frmimpostapagina.h"

#include "common/cursor.h"
#include "common/messageservice.h"
#include "common/numbers.h"
#include "common/widgets/decimalentry.h"
#include "common/widgets/dialogbuttons.h"
#include "common/widgets/windowplacement.h"
#include "document/labeldocument.h"
#include "printing/sheetgeometry.h"
#include "printing/widgets/frmmodellofoglio.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The list's entries after the named sizes.
const QString PrinterPaper = QStringLiteral("Della stampante");
const QString OwnSize = QStringLiteral("Personalizzata");
const QString Roll = QStringLiteral("Rotolo");

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

    auto* paperGroup = new QGroupBox(QStringLiteral("Carta"), this);
    auto* paperGrid = new QGridLayout(paperGroup);
    cmbCarta = new QComboBox(paperGroup);
    cmbCarta->setObjectName(QStringLiteral("cmbCarta"));
    cmbCarta->addItem(PrinterPaper);
    cmbCarta->addItems(LabelPaper::namedPapers());
    cmbCarta->addItems({OwnSize, Roll});
    cmbCarta->setToolTip(QStringLiteral("La carta su cui si stampa: le etichette sono poste "
                                        "dal suo bordo. Rotolo: una pagina per fila di "
                                        "etichette, come nelle stampanti di etichette"));
    paperGrid->addWidget(cmbCarta, 0, 0, 1, 3);
    txtLarghezzaCarta =
        addField(paperGrid, 1, QStringLiteral("Larghezza"), "txtLarghezzaCarta", true, paperGroup);
    txtAltezzaCarta =
        addField(paperGrid, 2, QStringLiteral("Altezza"), "txtAltezzaCarta", true, paperGroup);
    chkRuota = new QCheckBox(QStringLiteral("Ruota di 90°"), paperGroup);
    chkRuota->setObjectName(QStringLiteral("chkRuota"));
    chkRuota->setToolTip(QStringLiteral("L'etichetta è stampata girata sulla pagina: per un "
                                        "rotolo più stretto della sua larghezza"));
    paperGrid->addWidget(chkRuota, 3, 0, 1, 3);
    connect(cmbCarta, &QComboBox::currentIndexChanged, this, [this] { paperChosen(); });
    connect(chkRuota, &QCheckBox::toggled, this, [this] { paperChosen(); });
    for (QLineEdit* field : fields())
        connect(field, &QLineEdit::editingFinished, this, [this] { paperChosen(); });

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
    main->addWidget(paperGroup);
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
    showPaper(m_document.paper());
}

void frmImpostaPagina::applySheet(const SheetTemplate& sheet) {
    // All ten: the print origin puts the labels exactly where the sheet has them. A sheet on
    // a paper this program knows brings it, and needs no origin to undo the printing shift.
    LayoutEtichetta layout = sheet.layout;
    const LabelPaper paper = sheetcatalogue::paperOf(sheet);
    if (paper.names())
        layout.OrigineX += sheet::PrintShiftX;
    const auto all = fields();
    for (int i = 0; i < LayoutEtichetta::ValueCount; ++i)
        all[i]->setText(FormatNumero(layout.value(i), 3));
    showPaper(paper);
}

LabelPaper frmImpostaPagina::chosenPaper() const {
    const QString choice = cmbCarta->currentText();
    LabelPaper paper;
    if (choice == OwnSize)
        paper = {LabelPaper::Kind::Custom,
                 {},
                 ValoreNumerico(txtLarghezzaCarta->text()),
                 ValoreNumerico(txtAltezzaCarta->text())};
    else if (choice == Roll)
        paper.kind = LabelPaper::Kind::Roll;
    else if (LabelPaper::namedPapers().contains(choice))
        paper = {LabelPaper::Kind::Named, choice};
    paper.turned = chkRuota->isChecked();
    return paper;
}

void frmImpostaPagina::showPaper(const LabelPaper& paper) {
    const QString entry = paper.kind == LabelPaper::Kind::Custom  ? OwnSize
                          : paper.kind == LabelPaper::Kind::Roll  ? Roll
                          : paper.kind == LabelPaper::Kind::Named ? paper.name
                                                                  : PrinterPaper;
    m_paperNamed = paper.names();
    m_showing = true;
    cmbCarta->setCurrentText(entry);
    chkRuota->setChecked(paper.turned);
    m_showing = false;
    if (paper.kind == LabelPaper::Kind::Custom) {
        txtLarghezzaCarta->setText(FormatNumero(paper.width, 3));
        txtAltezzaCarta->setText(FormatNumero(paper.height, 3));
    }
    paperChosen();
}

void frmImpostaPagina::paperChosen() {
    // Labels print where they did: a label that starts naming its paper loses the shift every
    // label without one prints with, so its origin takes it over (and gives it back).
    const bool named = chosenPaper().names();
    if (!m_showing && named != m_paperNamed)
        txtOrigineX->setText(FormatNumero(ValoreNumerico(txtOrigineX->text()) +
                                              (named ? sheet::PrintShiftX : -sheet::PrintShiftX),
                                          3));
    m_paperNamed = named;
    const bool own = cmbCarta->currentText() == OwnSize;
    txtLarghezzaCarta->setReadOnly(!own);
    txtAltezzaCarta->setReadOnly(!own);
    if (own)
        return;
    // A named paper's size, a roll's page from the layout as typed; the printer's: unknown.
    LayoutEtichetta layout;
    const auto all = fields();
    for (int i = 0; i < LayoutEtichetta::ValueCount; ++i)
        layout.value(i) = ValoreNumerico(all[i]->text());
    const auto size = sheet::paperSize(chosenPaper(), layout);
    txtLarghezzaCarta->setText(size ? FormatNumero(size->width(), 1) : QString());
    txtAltezzaCarta->setText(size ? FormatNumero(size->height(), 1) : QString());
}

bool frmImpostaPagina::Verifica_campi_obbligatori() {
    std::vector<QLineEdit*> positive{txtEtichetteOrizzontali, txtEtichetteVerticali,
                                     txtLarghezzaEtichetta, txtAltezzaEtichetta};
    if (cmbCarta->currentText() == OwnSize) {
        positive.insert(positive.end(), {txtLarghezzaCarta, txtAltezzaCarta});
        for (QLineEdit* field : {txtLarghezzaCarta, txtAltezzaCarta}) {
            if (ValoreNumerico(field->text()) > sheet::LargestPaper) {
                MessageService::current().warn(
                    QStringLiteral("La carta misura al massimo %1 mm.").arg(sheet::LargestPaper),
                    windowTitle());
                field->setFocus();
                return false;
            }
        }
    }
    for (QLineEdit* field : positive) {
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
    m_document.setLayout(layout, chosenPaper());
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
