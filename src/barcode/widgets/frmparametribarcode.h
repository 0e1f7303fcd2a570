// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "barcode/barcodeparameters.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QRadioButton;
struct LabelElement;

// "Parametri barcode": the symbology of a barcode element, where its text goes, its module's
// width, a QR Code's error correction and its quiet zones. The caller presets the controls,
// runs the dialog and reads the public members after it closes.
class frmParametriBarcode : public QDialog {
    Q_OBJECT

public:
    explicit frmParametriBarcode(QWidget* parent = nullptr);

    // Set by Ok; all false or 0 until then.
    bool PremutoOk = false;
    qint16 TipoBarcode = 0; // position in the list: 0 "Code 39", 1 "EAN 13", ...
    barcode::TextPosition Testo = barcode::TextPosition::Sotto;
    // The options chosen besides (their symbology is left to the caller).
    barcode::Options Opzioni;

    QComboBox* cmbTipoBarcode;
    std::array<QRadioButton*, 3> optAllineamento; // "Sopra", "Sotto", "Nascosto"
    QDoubleSpinBox* txtModulo;                    // 0: "adatta al riquadro"
    QComboBox* cmbLivelloQR;                      // "Automatico", then L, M, Q, H
    QCheckBox* chkZoneDiRispetto;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    // Presets the controls from a barcode element's Tag and options.
    void presetFromTag(const QString& tag, const barcode::Options& options = {});

private:
    void cmdOk_Click();
    void symbologyChosen();
    bool m_textChosen = false;
};

// Runs the dialog for a barcode element and writes its Tag and options on Ok; true when it did.
// Other kinds are left alone. `run` shows the dialog modally (tests answer it instead).
bool ModificaParametriBarcode(LabelElement& element, QWidget* parent,
                              const std::function<int(QDialog&)>& run = {});
