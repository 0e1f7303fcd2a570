// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QRectF>

#include <array>
#include <optional>

class QDoubleSpinBox;
class QPushButton;

// "Posizione e dimensioni": where an element lies on the label and its size, in millimetres
// from the label's top-left corner, typed with the decimal comma.
class frmPosizione : public QDialog {
    Q_OBJECT

public:
    explicit frmPosizione(QWidget* parent = nullptr);

    // Shows the box (millimetres from the label's corner).
    void presetFrom(const QRectF& box);

    // X, Y, width, height.
    std::array<QDoubleSpinBox*, 4> txtMisure;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    bool Confermato = false;
    // The values the user changed, each left empty when it was kept as shown.
    std::array<std::optional<double>, 4> Cambiate;

private:
    std::array<double, 4> m_shown{};
};
