// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

struct LabelElement;

// The status bar's panel with the selected element's place and size in millimetres from the
// label's corner; a double click asks to type them ("Posizione e dimensioni...").
class PlacePanel : public QLabel {
    Q_OBJECT

public:
    explicit PlacePanel(QWidget* parent = nullptr);

    // Nothing shown for no element.
    void showPlace(const LabelElement* element);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
