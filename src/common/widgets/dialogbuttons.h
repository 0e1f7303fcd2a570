// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHBoxLayout>
#include <QPushButton>

class QDialog;

// The "Ok" (default, Enter) and "Cancel" (Esc) buttons of the program's dialogs, in a button
// box ordered as the desktop orders them. Cancel rejects the dialog; what Ok does is the dialog's
// own business.
struct OkCancelButtons {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* layout; // a dialog's further buttons go before the box, on the left
};

OkCancelButtons makeOkCancelButtons(QDialog* dialog);
