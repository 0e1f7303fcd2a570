// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/widgets/frmallineamento.h"

#include "common/widgets/dialogbuttons.h"
#include "common/widgets/windowplacement.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

frmAllineamento::frmAllineamento(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmAllineamento"));
    setWindowTitle(QStringLiteral("Allineamento"));
    auto* frame = new QGroupBox(QStringLiteral("Allineamento orizzontale"), this);
    auto* options = new QVBoxLayout(frame);
    const char* captions[] = {"Sinistra", "Centro", "Destro"};
    for (int i = 0; i < 3; ++i) {
        optAllineamento[i] = new QRadioButton(QString::fromLatin1(captions[i]), frame);
        optAllineamento[i]->setObjectName(QStringLiteral("optAllineamento%1").arg(i));
        options->addWidget(optAllineamento[i]);
    }
    optAllineamento[0]->setChecked(true);
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        // Option order is left, centre, right; an element counts left 0, right 1, centre 2.
        Allineamento = optAllineamento[1]->isChecked()   ? 2
                       : optAllineamento[2]->isChecked() ? 1
                                                         : 0;
        Confermato = true;
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons.layout);
    setFixedSize(sizeHint());
    CentraForm(this);
}

void frmAllineamento::presetFrom(int alignment) {
    optAllineamento[alignment == 1 ? 2 : alignment == 2 ? 1 : 0]->setChecked(true);
}
