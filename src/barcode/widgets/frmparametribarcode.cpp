// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/widgets/frmparametribarcode.h"

#include "barcode/barcodeparameters.h"
#include "common/cursor.h"
#include "common/widgets/dialogbuttons.h"
#include "common/widgets/windowplacement.h"
#include "document/labelelement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using barcode::Symbology;

frmParametriBarcode::frmParametriBarcode(QWidget* parent)
    : QDialog(parent)
    , cmbTipoBarcode(new QComboBox(this))
    , txtModulo(new QDoubleSpinBox(this))
    , cmbLivelloQR(new QComboBox(this))
    , chkZoneDiRispetto(new QCheckBox(QStringLiteral("Zone di rispetto ai lati"), this)) {
    setObjectName(QStringLiteral("frmParametriBarcode"));
    setWindowTitle(QStringLiteral("Parametri barcode"));

    cmbTipoBarcode->setObjectName(QStringLiteral("cmbTipoBarcode"));
    // The list position is the symbology's value, the first ten the Tag's first digit: keep
    // the order.
    for (int position = 0; position < barcode::SymbologyCount; ++position)
        cmbTipoBarcode->addItem(barcode::symbologyName(Symbology(position)));
    cmbTipoBarcode->setCurrentIndex(0);

    auto* textGroup = new QGroupBox(QStringLiteral("Testo barcode"), this);
    auto* textLayout = new QVBoxLayout(textGroup);
    const char* captions[] = {"Sopra", "Sotto", "Nascosto"};
    for (int i = 0; i < 3; ++i) {
        optAllineamento[i] = new QRadioButton(QString::fromLatin1(captions[i]), textGroup);
        optAllineamento[i]->setObjectName(QStringLiteral("optAllineamento%1").arg(i));
        textLayout->addWidget(optAllineamento[i]);
    }
    optAllineamento[1]->setChecked(true);
    for (QRadioButton* option : optAllineamento)
        connect(option, &QRadioButton::clicked, this, [this] { m_textChosen = true; });
    // Until the user picks a place for the text, it follows the symbology: none for 2-D
    // symbols, below the bars for the others.
    connect(cmbTipoBarcode, &QComboBox::activated, this, [this] {
        symbologyChosen();
        if (m_textChosen)
            return;
        const auto symbology = barcode::symbologyAt(cmbTipoBarcode->currentIndex());
        const bool twoD = symbology && barcode::isTwoDimensional(*symbology);
        optAllineamento[twoD ? 2 : 1]->setChecked(true);
    });

    txtModulo->setObjectName(QStringLiteral("txtModulo"));
    txtModulo->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    txtModulo->setDecimals(3);
    txtModulo->setRange(0, barcode::LargestModuleMm);
    txtModulo->setSingleStep(0.05);
    txtModulo->setSuffix(QStringLiteral(" mm"));
    txtModulo->setSpecialValueText(QStringLiteral("adatta al riquadro"));
    txtModulo->setToolTip(QStringLiteral("La larghezza di una barra sottile (di un quadratino "
                                         "nei simboli 2D); sulle stampanti a punti i punti interi "
                                         "più vicini"));
    cmbLivelloQR->setObjectName(QStringLiteral("cmbLivelloQR"));
    cmbLivelloQR->addItems({QStringLiteral("Automatica"), QStringLiteral("L (7%)"),
                            QStringLiteral("M (15%)"), QStringLiteral("Q (25%)"),
                            QStringLiteral("H (30%)")});
    chkZoneDiRispetto->setObjectName(QStringLiteral("chkZoneDiRispetto"));
    chkZoneDiRispetto->setToolTip(QStringLiteral("I margini bianchi che i lettori vogliono "
                                                 "accanto alle barre, dentro il riquadro"));
    auto* options = new QFormLayout;
    options->addRow(QStringLiteral("Tipo di barcode"), cmbTipoBarcode);
    options->addRow(QStringLiteral("Larghezza modulo"), txtModulo);
    options->addRow(QStringLiteral("Correzione errori"), cmbLivelloQR);
    options->addRow(QString(), chkZoneDiRispetto);

    const OkCancelButtons okCancel = makeOkCancelButtons(this);
    cmdOk = okCancel.ok;
    cmdCancel = okCancel.cancel;
    connect(cmdOk, &QPushButton::clicked, this, &frmParametriBarcode::cmdOk_Click);
    QHBoxLayout* buttons = okCancel.layout;

    auto* layout = new QGridLayout(this);
    layout->addLayout(options, 0, 0);
    layout->addWidget(textGroup, 1, 0);
    layout->addLayout(buttons, 2, 0);
    symbologyChosen();
    setFixedSize(sizeHint());
    CentraForm(this);
}

void frmParametriBarcode::symbologyChosen() {
    // Error correction levels are QR Code's and Aztec's.
    const auto symbology = barcode::symbologyAt(cmbTipoBarcode->currentIndex());
    cmbLivelloQR->setEnabled(symbology == Symbology::QrCode || symbology == Symbology::Aztec);
    // The same four steps recover more of an Aztec symbol.
    const bool aztec = symbology == Symbology::Aztec;
    const char* shares[2][4] = {{"7", "15", "25", "30"}, {"10", "23", "36", "50"}};
    const char* names[4] = {"L", "M", "Q", "H"};
    for (int level = 0; level < 4; ++level)
        cmbLivelloQR->setItemText(
            level + 1, QStringLiteral("%1 (%2%)")
                           .arg(QLatin1String(names[level]), QLatin1String(shares[aztec][level])));
}

void frmParametriBarcode::presetFromTag(const QString& tag, const barcode::Options& options) {
    const BarcodeParameters parameters = BarcodeParameters::fromTag(tag, options);
    // A Tag naming no symbology of the list presets the first one.
    cmbTipoBarcode->setCurrentIndex(int(parameters.symbology().value_or(Symbology::Code39)));
    switch (parameters.Testo) {
    case barcode::TextPosition::Sopra:
        optAllineamento[0]->setChecked(true);
        break;
    case barcode::TextPosition::Nascosto:
        optAllineamento[2]->setChecked(true);
        break;
    default:
        optAllineamento[1]->setChecked(true);
        break;
    }
    txtModulo->setValue(options.moduleMm);
    cmbLivelloQR->setCurrentIndex(int(options.qrLevel));
    chkZoneDiRispetto->setChecked(options.quietZones);
    symbologyChosen();
    // What an element already says is the user's choice, except the Tag of a new element.
    m_textChosen = !tag.isEmpty();
}

void frmParametriBarcode::cmdOk_Click() {
    PremutoOk = true;
    TipoBarcode = qint16(cmbTipoBarcode->currentIndex());
    if (optAllineamento[1]->isChecked())
        Testo = barcode::TextPosition::Sotto;
    else if (optAllineamento[0]->isChecked())
        Testo = barcode::TextPosition::Sopra;
    else if (optAllineamento[2]->isChecked())
        Testo = barcode::TextPosition::Nascosto;
    const double module = txtModulo->value();
    Opzioni.moduleMm = module > 0 ? float(std::max(module, barcode::SmallestModuleMm)) : 0;
    Opzioni.qrLevel = barcode::QrLevel(cmbLivelloQR->currentIndex());
    Opzioni.quietZones = chkZoneDiRispetto->isChecked();
    accept();
}

bool ModificaParametriBarcode(LabelElement& element, QWidget* parent,
                              const std::function<int(QDialog&)>& run) {
    if (element.kind != ElementKind::Immagine)
        return false;
    CursoreAttesa();
    frmParametriBarcode dialog(parent);
    dialog.presetFromTag(element.Tag, element.OpzioniBarcode);
    CursoreNormale();
    if (run)
        run(dialog);
    else
        dialog.exec();
    if (!dialog.PremutoOk)
        return false;
    BarcodeParameters parameters{dialog.TipoBarcode, dialog.Testo, dialog.Opzioni};
    parameters.setSymbology(barcode::symbologyAt(dialog.TipoBarcode).value_or(Symbology::Code39));
    element.Tag = parameters.toTag();
    element.OpzioniBarcode = parameters.Opzioni;
    return true;
}
