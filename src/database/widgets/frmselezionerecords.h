// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <array>
#include <functional>

class RecordSource;
struct CollegamentoDatabase;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Seleziona i records": the field and the criterion that choose the records a bound label
// prints. The caller reads the results after the dialog closes.
class frmSelezioneRecords : public QDialog {
    Q_OBJECT

public:
    explicit frmSelezioneRecords(QWidget* parent = nullptr);

    QComboBox* cmbCampi;
    std::array<QRadioButton*, 3> optCriteri; // all records, equal to, between
    std::array<QLineEdit*, 3> txtCampo;      // the value, the lower and the upper bound
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    // Results, valid when Confermato.
    bool Confermato = false;
    QString NomeCampo;
    qint16 Criterio = 0;
    std::array<QString, 3> Valori;

    // Selects the field with this name, blanks and letter case ignored; no match leaves the
    // selection as it is.
    void SelezionaCampo(const QString& NomeCampo);
    // Chooses a criterion as a click on its option does.
    void selectCriterion(int index);

private:
    void optCriteri_Click(int index);
    void cmdOk_Click();
};

// "Imposta i criteri di selezione": opens the dialog on a binding's table and criteria and,
// when the user confirms, stores the criteria chosen in it. `run` shows the dialog modally
// (tests answer it instead).
bool chooseRecordSelection(CollegamentoDatabase& binding, const RecordSource& source,
                           QWidget* parent, const std::function<int(QDialog&)>& run = {});
