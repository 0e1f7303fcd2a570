// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <array>

class QPushButton;
class QRadioButton;

// "Allineamento": the horizontal alignment of a text.
class frmAllineamento : public QDialog {
    Q_OBJECT

public:
    explicit frmAllineamento(QWidget* parent = nullptr);

    // Presets the options from an element's Alignment (0 left, 1 right, 2 centred).
    void presetFrom(int alignment);

    std::array<QRadioButton*, 3> optAllineamento; // "Sinistra", "Centro", "Destro"
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    bool Confermato = false;
    qint16 Allineamento = 0; // as an element's Alignment
};
