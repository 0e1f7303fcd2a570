// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "barcode/barcodeparameters.h"

#include <QDialog>

#include <array>
#include <functional>

class QComboBox;
class QPushButton;
class QRadioButton;
struct LabelElement;

// "Parametri barcode": the symbology of a barcode element and where its text goes. The caller
// presets the controls, runs the dialog and reads the public members after it closes.
class frmParametriBarcode : public QDialog {
    Q_OBJECT

public:
    explicit frmParametriBarcode(QWidget* parent = nullptr);

    // Set by Ok; all false or 0 until then.
    bool PremutoOk = false;
    qint16 TipoBarcode = 0; // position in the list: 0 "Code 39", 1 "EAN 13"
    barcode::TextPosition Testo = barcode::TextPosition::Sotto;

    QComboBox* cmbTipoBarcode;
    std::array<QRadioButton*, 3> optAllineamento; // "Sopra", "Sotto", "Nascosto"
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    // Presets the controls from a barcode element's Tag.
    void presetFromTag(const QString& tag);

private:
    void cmdOk_Click();
    bool m_textChosen = false;
};

// Runs the dialog for a barcode element and writes its Tag on Ok; true when it did. Other
// kinds are left alone. `run` shows the dialog modally (tests answer it instead).
bool ModificaParametriBarcode(LabelElement& element, QWidget* parent,
                              const std::function<int(QDialog&)>& run = {});
