// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/widgets/frmmisura.h"

#include "common/widgets/dialogbuttons.h"
#include "common/widgets/windowplacement.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLocale>
#include <QVBoxLayout>

frmMisura::frmMisura(const QString& caption, const QString& label, double lowest, double highest,
                     QWidget* parent)
    : QDialog(parent)
    , txtMisura(new QDoubleSpinBox(this)) {
    setObjectName(QStringLiteral("frmMisura"));
    setWindowTitle(caption);
    txtMisura->setObjectName(QStringLiteral("txtMisura"));
    txtMisura->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    txtMisura->setDecimals(2);
    txtMisura->setSingleStep(0.1);
    txtMisura->setRange(lowest, highest);
    txtMisura->setSuffix(QStringLiteral(" mm"));
    auto* form = new QFormLayout;
    form->addRow(label, txtMisura);
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        Misura = txtMisura->value();
        Confermato = true;
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons.layout);
    setFixedSize(sizeHint());
    CentraForm(this);
}

void frmMisura::presetValue(double millimetres) {
    txtMisura->setValue(millimetres);
    txtMisura->selectAll();
}
