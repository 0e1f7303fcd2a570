// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QDoubleSpinBox;
class QPushButton;

// One measure in millimetres typed with the decimal comma: a line's width, a rectangle's
// corner radius. The caller sets the caption, the range and the value shown.
class frmMisura : public QDialog {
    Q_OBJECT

public:
    frmMisura(const QString& caption, const QString& label, double lowest, double highest,
              QWidget* parent = nullptr);

    void presetValue(double millimetres);

    QDoubleSpinBox* txtMisura;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    bool Confermato = false;
    double Misura = 0;
};
