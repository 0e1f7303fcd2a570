// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/widgets/connectdialogs.h"

#include "common/files.h"
#include "common/messageservice.h"
#include "common/programfolders.h"
#include "common/widgets/dialogbuttons.h"
#include "common/widgets/fieldroutines.h"
#include "common/widgets/filefield.h"
#include "common/widgets/windowplacement.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

void selectListEntry(QListWidget* list, const QString& name) {
    const QString wanted = name.trimmed().toUpper();
    list->clearSelection();
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().trimmed().toUpper() == wanted) {
            list->setCurrentRow(i);
            return;
        }
    }
    list->setCurrentRow(-1);
}

frmConnettiDBMDB::frmConnettiDBMDB(QWidget* parent)
    : QDialog(parent)
    , txtNomeFileDB(new QLineEdit(this))
    , txtPasswordDB(new QLineEdit(this))
    , cmdSfoglia(new QPushButton(QStringLiteral("Sfoglia ..."), this)) {
    setObjectName(QStringLiteral("frmConnettiDBMDB"));
    setWindowTitle(QStringLiteral("Nome file database (*.mdb)"));
    txtNomeFileDB->setObjectName(QStringLiteral("txtNomeFileDB"));
    txtPasswordDB->setObjectName(QStringLiteral("txtPasswordDB"));
    txtPasswordDB->setEchoMode(QLineEdit::Password);
    cmdSfoglia->setObjectName(QStringLiteral("cmdSfoglia"));
    cmdSfoglia->setAutoDefault(false);
    FieldRoutines::install(txtNomeFileDB);
    FieldRoutines::install(txtPasswordDB);
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    connect(cmdSfoglia, &QPushButton::clicked, this, [this] {
        browseIntoField(txtNomeFileDB, windowTitle(),
                        QStringLiteral("Tutti Files (*.*)|*.*|Archivi MDB (*.mdb)|*.mdb"), 2);
    });
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        if (!fieldNamesAFile(txtNomeFileDB, QStringLiteral("Inserire un nome file db valido."),
                             windowTitle()))
            return;
        NomeFile = txtNomeFileDB->text();
        Password = txtPasswordDB->text();
        Confermato = true;
        accept();
    });
    auto* grid = new QGridLayout;
    grid->addWidget(txtNomeFileDB, 0, 0, 1, 2);
    grid->addWidget(cmdSfoglia, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Password database"), this), 1, 0);
    grid->addWidget(txtPasswordDB, 1, 1, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons.layout);
    resize(480, sizeHint().height());
    CentraForm(this);
}

frmSelezionaTabella::frmSelezionaTabella(QWidget* parent)
    : QDialog(parent)
    , lstTabelle(new QListWidget(this)) {
    setObjectName(QStringLiteral("frmSelezionaTabella"));
    setWindowTitle(QStringLiteral("Seleziona tabella"));
    lstTabelle->setObjectName(QStringLiteral("lstTabelle"));
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        if (!lstTabelle->currentItem() || !lstTabelle->currentItem()->isSelected()) {
            MessageService::current().warn(QStringLiteral("Selezionare una tabella."),
                                           windowTitle());
            lstTabelle->setFocus();
            return;
        }
        NomeTabella = lstTabelle->currentItem()->text();
        Confermato = true;
        accept();
    });
    connect(lstTabelle, &QListWidget::itemDoubleClicked, cmdOk, &QPushButton::click);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstTabelle);
    layout->addLayout(buttons.layout);
    resize(320, 360);
    CentraForm(this);
}

void frmSelezionaTabella::SelezionaTabella(const QString& name) {
    selectListEntry(lstTabelle, name);
}

frmCollegaCampo::frmCollegaCampo(QWidget* parent)
    : QDialog(parent)
    , lstCampi(new QListWidget(this))
    , cmdScollega(new QPushButton(QStringLiteral("Scollega"), this)) {
    setObjectName(QStringLiteral("frmCollegaCampo"));
    setWindowTitle(QStringLiteral("Collega campo ai dati"));
    lstCampi->setObjectName(QStringLiteral("lstCampi"));
    cmdScollega->setObjectName(QStringLiteral("cmdScollega"));
    cmdScollega->setAutoDefault(false);
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdOk->setText(QStringLiteral("Collega"));
    cmdCancel = buttons.cancel;
    buttons.layout->insertWidget(2, cmdScollega);
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        if (!lstCampi->currentItem() || !lstCampi->currentItem()->isSelected()) {
            MessageService::current().warn(
                QStringLiteral("Selezionare il nome campo da collegare al controllo."),
                windowTitle());
            lstCampi->setFocus();
            return;
        }
        NomeCampo = lstCampi->currentItem()->text();
        Confermato = true;
        accept();
    });
    connect(cmdScollega, &QPushButton::clicked, this, [this] {
        NomeCampo.clear();
        Confermato = true;
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstCampi);
    layout->addLayout(buttons.layout);
    resize(340, 360);
    CentraForm(this);
}

void frmCollegaCampo::SelezionaCampo(const QString& name) {
    selectListEntry(lstCampi, name);
}
