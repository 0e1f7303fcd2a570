// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/widgets/frmparametribarcode.h"

#include "barcode/zintsymbol.h"

#include "barcode/barcodeparameters.h"
#include "common/cursor.h"
#include "common/widgets/dialogbuttons.h"
#include "common/widgets/windowplacement.h"
#include "document/labelelement.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmParametriBarcode::frmParametriBarcode(QWidget* parent)
    : QDialog(parent)
    , cmbTipoBarcode(new QComboBox(this)) {
    setObjectName(QStringLiteral("frmParametriBarcode"));
    setWindowTitle(QStringLiteral("Parametri barcode"));

    auto* typeLabel = new QLabel(QStringLiteral("Tipo di barcode"), this);
    cmbTipoBarcode->setObjectName(QStringLiteral("cmbTipoBarcode"));
    // The list position is the first digit of the element's Tag: keep the order.
    cmbTipoBarcode->addItems({QStringLiteral("Code 39"), QStringLiteral("EAN 13")});
    for (int digit = 2; digit <= 9; ++digit)
        cmbTipoBarcode->addItem(zintsymbol::name(*zintsymbol::fromTagDigit(digit)));
    cmbTipoBarcode->setCurrentIndex(0);
    typeLabel->setBuddy(cmbTipoBarcode);

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
    connect(cmbTipoBarcode, &QComboBox::activated, this, [this](int index) {
        if (m_textChosen)
            return;
        const auto symbology = zintsymbol::fromTagDigit(index);
        const bool twoD = symbology && zintsymbol::isTwoDimensional(*symbology);
        optAllineamento[twoD ? 2 : 1]->setChecked(true);
    });

    const OkCancelButtons okCancel = makeOkCancelButtons(this);
    cmdOk = okCancel.ok;
    cmdCancel = okCancel.cancel;
    connect(cmdOk, &QPushButton::clicked, this, &frmParametriBarcode::cmdOk_Click);
    QHBoxLayout* buttons = okCancel.layout;

    auto* layout = new QGridLayout(this);
    layout->addWidget(typeLabel, 0, 0);
    layout->addWidget(cmbTipoBarcode, 0, 1);
    layout->addWidget(textGroup, 1, 0, 1, 2);
    layout->addLayout(buttons, 2, 0, 1, 2);
    setFixedSize(sizeHint());
    CentraForm(this);
}

void frmParametriBarcode::presetFromTag(const QString& tag) {
    const BarcodeParameters parameters = BarcodeParameters::fromTag(tag);
    // A Tag naming no symbology of the list presets the first one.
    const bool known =
        parameters.TipoBarcode >= 0 && parameters.TipoBarcode < cmbTipoBarcode->count();
    cmbTipoBarcode->setCurrentIndex(known ? parameters.TipoBarcode : 0);
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
    accept();
}

bool ModificaParametriBarcode(LabelElement& element, QWidget* parent,
                              const std::function<int(QDialog&)>& run) {
    if (element.kind != ElementKind::Immagine)
        return false;
    CursoreAttesa();
    frmParametriBarcode dialog(parent);
    dialog.presetFromTag(element.Tag);
    CursoreNormale();
    if (run)
        run(dialog);
    else
        dialog.exec();
    if (!dialog.PremutoOk)
        return false;
    element.Tag = BarcodeParameters{dialog.TipoBarcode, dialog.Testo}.toTag();
    return true;
}
