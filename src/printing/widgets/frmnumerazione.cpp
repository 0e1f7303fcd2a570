// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/widgets/frmnumerazione.h"
#include "common/programerror.h"

#include "common/messageservice.h"
#include "common/widgets/dialogbuttons.h"
#include "common/widgets/windowplacement.h"
#include "database/databaseerror.h"
#include "document/labeldocument.h"
#include "printing/serialnumbers.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

frmNumerazione::frmNumerazione(QWidget* parent)
    : QDialog(parent)
    , txtProssimo(new QSpinBox(this)) {
    setObjectName(QStringLiteral("frmNumerazione"));
    setWindowTitle(QStringLiteral("Numerazione"));
    txtProssimo->setObjectName(QStringLiteral("txtProssimo"));
    txtProssimo->setRange(0, int(SerialNumbers::Largest));
    txtProssimo->setGroupSeparatorShown(false);
    auto* hint = new QLabel(QStringLiteral("${P} nelle etichette: la prossima stampa comincia da "
                                           "questo numero, e ogni stampa continua da dove la "
                                           "precedente è finita."),
                            this);
    hint->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Prossimo numero"), txtProssimo);
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        Confermato = true;
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(form);
    layout->addLayout(buttons.layout);
    setFixedWidth(360);
    CentraForm(this);
}

void mnuNumerazione(const LabelDocument& document, QWidget* parent,
                    const std::function<int(QDialog&)>& run) {
    frmNumerazione dialog(parent);
    const long shown = SerialNumbers::peek(document.fileName());
    dialog.txtProssimo->setValue(int(shown));
    if (run)
        run(dialog);
    else
        dialog.exec();
    if (!dialog.Confermato || dialog.txtProssimo->value() == shown)
        return;
    try {
        SerialNumbers serials(document.fileName());
        serials.startFrom(dialog.txtProssimo->value());
        serials.commit(0);
    } catch (const ProgramError& error) {
        MessageService::current().warn(error.description, dialog.windowTitle());
    }
}
