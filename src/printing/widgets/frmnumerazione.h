// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>

class LabelDocument;
class QPushButton;
class QSpinBox;

// "Numerazione": the serial number (${P}) the label's next job starts from, shown and set.
class frmNumerazione : public QDialog {
    Q_OBJECT

public:
    explicit frmNumerazione(QWidget* parent = nullptr);

    QSpinBox* txtProssimo;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    bool Confermato = false;
};

// Shows the label's next serial number and keeps the one the user sets; a failure to keep it
// is said. `run` shows the dialog modally (tests answer it instead).
void mnuNumerazione(const LabelDocument& document, QWidget* parent,
                    const std::function<int(QDialog&)>& run = {});
