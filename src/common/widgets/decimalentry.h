// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QKeyEvent;
class QLineEdit;

// The keyboard-driven fixed-point editor of the sheet layout fields: the text always reads as
// a grouped number with the decimal comma and three decimals (1.234,500), "-" may lead. Keys
// edit the digits around the comma instead of inserting characters freely.
//
// The four handlers take the field, as the dialogs call them; DecimalEntry::install wires
// them to a line edit.
namespace decimalentry {

// The pseudo-character the Delete key becomes.
inline constexpr int DeleteKey = 257;

// "###,###,##0.000": 0 is "0,000", 0.5 is "0,500".
QString formatWithZero(double value);
// "###,###,###.000": no leading zero, 0 is ",000". A text that is no number stays as it is.
QString reformat(const QString& text);

} // namespace decimalentry

void GotFocus_Numero(QLineEdit* txt);
// True when the key was swallowed (Delete, handed to KeyPress_Numero as 257).
bool KeyDown_Numero(QLineEdit* txt, const QKeyEvent* event);
// Applies a typed character; true when the handler consumed it, false when the field should
// insert it itself (an accepted minus sign).
bool KeyPress_Numero(QLineEdit* txt, int keyAscii);
void LostFocus_Numero(QLineEdit* txt);

class DecimalEntry : public QObject {
    Q_OBJECT

public:
    // The field gets the editor; the returned filter is owned by the field.
    static DecimalEntry* install(QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DecimalEntry(QLineEdit* field);
};
