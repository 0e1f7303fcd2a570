// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/widgets/frmmodificatesto.h"

#include "common/files.h"
#include "common/messageservice.h"
#include "common/programfolders.h"
#include "common/widgets/dialogbuttons.h"
#include "common/widgets/fieldroutines.h"
#include "common/widgets/filefield.h"
#include "common/widgets/windowplacement.h"
#include "document/picturefile.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

frmModificaTesto::frmModificaTesto(QWidget* parent)
    : QDialog(parent)
    , txtTesto(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmModificaTesto"));
    setWindowTitle(QStringLiteral("Modifica testo"));
    txtTesto->setObjectName(QStringLiteral("txtTesto"));
    FieldRoutines::install(txtTesto);
    auto* caption = new QLabel(QStringLiteral("Testo"), this);
    caption->setBuddy(txtTesto);
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        Testo = txtTesto->text();
        Confermato = true;
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(txtTesto);
    layout->addLayout(buttons.layout);
    resize(420, sizeHint().height());
    CentraForm(this);
}

frmModificaImmagine::frmModificaImmagine(QWidget* parent)
    : QDialog(parent)
    , txtNomeFile(new QLineEdit(this))
    , cmdSfoglia(new QPushButton(QStringLiteral("Sfoglia ..."), this)) {
    setObjectName(QStringLiteral("frmModificaImmagine"));
    setWindowTitle(QStringLiteral("Nome file immagine"));
    txtNomeFile->setObjectName(QStringLiteral("txtNomeFile"));
    cmdSfoglia->setObjectName(QStringLiteral("cmdSfoglia"));
    cmdSfoglia->setAutoDefault(false);
    FieldRoutines::install(txtNomeFile);
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    connect(cmdSfoglia, &QPushButton::clicked, this,
            [this] { browseIntoField(txtNomeFile, windowTitle(), picturefile::openFilter(), 1); });
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        if (!fieldNamesAFile(txtNomeFile, QStringLiteral("Inserire un nome file valido."),
                             windowTitle()))
            return;
        NomeFile = txtNomeFile->text();
        Confermato = true;
        accept();
    });
    auto* row = new QGridLayout;
    row->addWidget(txtNomeFile, 0, 0);
    row->addWidget(cmdSfoglia, 0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons.layout);
    resize(480, sizeHint().height());
    CentraForm(this);
}
