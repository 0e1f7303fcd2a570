// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/widgets/frmselezionerecords.h"

#include "common/cursor.h"
#include "common/messageservice.h"
#include "common/widgets/dialogbuttons.h"
#include "common/widgets/fieldroutines.h"
#include "common/widgets/windowplacement.h"
#include "database/databasebinding.h"
#include "database/recordsource.h"
#include "database/widgets/databaselists.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmSelezioneRecords::frmSelezioneRecords(QWidget* parent)
    : QDialog(parent)
    , cmbCampi(new QComboBox(this)) {
    setObjectName(QStringLiteral("frmSelezioneRecords"));
    setWindowTitle(QStringLiteral("Seleziona i records"));

    cmbCampi->setObjectName(QStringLiteral("cmbCampi"));
    auto* fieldCaption = new QLabel(QStringLiteral("Seleziona per campo"), this);
    fieldCaption->setBuddy(cmbCampi);

    auto* criteria = new QGroupBox(QStringLiteral("Criteri"), this);
    auto* grid = new QGridLayout(criteria);
    const char* captions[] = {"Tutti i record", "Valore del campo uguale a",
                              "Valore del campo compreso tra"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        optCriteri[i] = new QRadioButton(QString::fromLatin1(captions[i]), criteria);
        optCriteri[i]->setObjectName(QStringLiteral("optCriteri%1").arg(i));
        group->addButton(optCriteri[i], i);
        txtCampo[i] = new QLineEdit(criteria);
        txtCampo[i]->setObjectName(QStringLiteral("txtCampo%1").arg(i));
        FieldRoutines::install(txtCampo[i]);
    }
    connect(group, &QButtonGroup::idClicked, this, &frmSelezioneRecords::optCriteri_Click);
    grid->addWidget(optCriteri[0], 0, 0, 1, 3);
    grid->addWidget(optCriteri[1], 1, 0);
    grid->addWidget(txtCampo[0], 1, 1, 1, 2);
    grid->addWidget(optCriteri[2], 2, 0);
    grid->addWidget(txtCampo[1], 2, 1);
    grid->addWidget(txtCampo[2], 2, 2);
    // How bounds are read, the same on every source.
    auto* hint = new QLabel(QStringLiteral("Date come 05/03/2024 (giorno/mese/anno) o 2024-03-05. "
                                           "Un limite vuoto non limita; per i numeri anche un "
                                           "limite superiore 0."),
                            criteria);
    hint->setObjectName(QStringLiteral("lblCriteri"));
    hint->setWordWrap(true);
    hint->setEnabled(false);
    grid->addWidget(hint, 3, 0, 1, 3);

    const OkCancelButtons okCancel = makeOkCancelButtons(this);
    cmdOk = okCancel.ok;
    cmdCancel = okCancel.cancel;
    connect(cmdOk, &QPushButton::clicked, this, &frmSelezioneRecords::cmdOk_Click);

    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(fieldCaption);
    fieldRow->addWidget(cmbCampi, 1);
    QHBoxLayout* buttons = okCancel.layout;
    auto* main = new QVBoxLayout(this);
    main->addLayout(fieldRow);
    main->addWidget(criteria);
    main->addLayout(buttons);

    selectCriterion(0);
    resize(sizeHint().expandedTo(QSize(460, 0)));
    CentraForm(this);
}

void frmSelezioneRecords::SelezionaCampo(const QString& nome) {
    const QString wanted = nome.trimmed().toUpper();
    for (int i = 0; i < cmbCampi->count(); ++i) {
        if (cmbCampi->itemText(i).trimmed().toUpper() == wanted) {
            cmbCampi->setCurrentIndex(i);
            return;
        }
    }
}

void frmSelezioneRecords::selectCriterion(int index) {
    if (index < 0 || index > 2)
        return;
    optCriteri[index]->setChecked(true);
    optCriteri_Click(index);
}

void frmSelezioneRecords::optCriteri_Click(int index) {
    const bool enabled[3][3] = {{false, false, false}, {true, false, false}, {false, true, true}};
    for (int i = 0; i < 3; ++i) {
        if (enabled[index][i])
            AbilitaControllo(txtCampo[i]);
        else
            DisabilitaControllo(txtCampo[i]);
    }
}

void frmSelezioneRecords::cmdOk_Click() {
    MessageService& messages = MessageService::current();
    if (cmbCampi->currentText().isEmpty()) {
        messages.warn(QStringLiteral("Selezionare il campo per la selezione"), windowTitle());
        cmbCampi->setFocus();
        return;
    }
    if (optCriteri[1]->isChecked() && txtCampo[0]->text().isEmpty()) {
        messages.warn(QStringLiteral("Inserire un valore."), windowTitle());
        txtCampo[0]->setFocus();
        return;
    }
    Confermato = true;
    NomeCampo = cmbCampi->currentText();
    Criterio = qint16(optCriteri[1]->isChecked()   ? Criterion::UgualeA
                      : optCriteri[2]->isChecked() ? Criterion::Compreso
                                                   : Criterion::Tutti);
    for (int i = 0; i < 3; ++i)
        Valori[i] = txtCampo[i]->text();
    accept();
}

bool chooseRecordSelection(CollegamentoDatabase& binding, const RecordSource& source,
                           QWidget* parent, const std::function<int(QDialog&)>& run) {
    CursoreAttesa();
    frmSelezioneRecords dialog(parent);
    CaricaListaCampi(source, binding.NomeTabella, dialog.cmbCampi);
    dialog.SelezionaCampo(binding.NomeCampoSelezione);
    dialog.selectCriterion(binding.TipoCriterio);
    dialog.txtCampo[0]->setText(binding.ValoreUgualeA);
    dialog.txtCampo[1]->setText(binding.ValoreDa);
    dialog.txtCampo[2]->setText(binding.ValoreA);
    CursoreNormale();
    if (run)
        run(dialog);
    else
        dialog.exec();
    if (!dialog.Confermato)
        return false;
    binding.NomeCampoSelezione = dialog.NomeCampo;
    binding.TipoCriterio = dialog.Criterio;
    binding.ValoreUgualeA = dialog.Valori[0];
    binding.ValoreDa = dialog.Valori[1];
    binding.ValoreA = dialog.Valori[2];
    return true;
}
