// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QKeyEvent;
class QLineEdit;
class QWidget;

// The behaviour every text field of the dialogs shares: yellow while it has the focus, white
// (or button face when disabled) after; trimmed on entering and leaving.
void EvidenziaCampo(QLineEdit* campo);
void LasciaCampo(QLineEdit* campo);

// For a typed character in a whole-number field: digits and Backspace pass; any other
// character beeps and is dropped. True when the event was dropped. Keys that type nothing
// (arrows, Tab, Enter, shortcuts handled elsewhere) pass.
bool FiltroInteri(const QKeyEvent* event);

// Enable or disable a control together with its background colour.
void AbilitaControllo(QWidget* controllo);
void DisabilitaControllo(QWidget* controllo);

// Attaches the routines above to a line edit through an event filter owned by the field.
class FieldRoutines : public QObject {
    Q_OBJECT

public:
    enum Option { Highlight = 1, WholeNumbers = 2 };

    static FieldRoutines* install(QLineEdit* campo, int options = Highlight);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FieldRoutines(QLineEdit* campo, int options);
    int m_options;
    bool m_underPopup = false; // a menu over the field took the focus for a while
};
