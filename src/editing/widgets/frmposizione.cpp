// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/widgets/frmposizione.h"

#include "common/widgets/dialogbuttons.h"
#include "common/widgets/windowplacement.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLocale>
#include <QVBoxLayout>

#include <cmath>

frmPosizione::frmPosizione(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmPosizione"));
    setWindowTitle(QStringLiteral("Posizione e dimensioni"));
    auto* form = new QFormLayout;
    const char* captions[] = {"X (mm)", "Y (mm)", "Larghezza (mm)", "Altezza (mm)"};
    const char* names[] = {"txtX", "txtY", "txtLarghezza", "txtAltezza"};
    for (std::size_t i = 0; i < txtMisure.size(); ++i) {
        auto* box = new QDoubleSpinBox(this);
        box->setObjectName(QLatin1String(names[i]));
        box->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
        box->setDecimals(2);
        box->setSingleStep(0.5);
        // Positions may lie off the label (an element partly outside it); sizes not below 0.
        box->setRange(i < 2 ? -1000 : 0, 1000);
        box->setAccelerated(true);
        form->addRow(QLatin1String(captions[i]), box);
        txtMisure[i] = box;
    }
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        for (std::size_t i = 0; i < txtMisure.size(); ++i) {
            const double value = txtMisure[i]->value();
            if (std::fabs(value - m_shown[i]) >= 0.005)
                Cambiate[i] = value;
        }
        Confermato = true;
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons.layout);
    setFixedSize(sizeHint());
    CentraForm(this);
}

void frmPosizione::presetFrom(const QRectF& box) {
    const double values[] = {box.x(), box.y(), box.width(), box.height()};
    for (std::size_t i = 0; i < txtMisure.size(); ++i) {
        txtMisure[i]->setValue(values[i]);
        m_shown[i] = txtMisure[i]->value(); // as rounded to the box's decimals
    }
}
