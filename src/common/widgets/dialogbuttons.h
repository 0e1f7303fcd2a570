// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHBoxLayout>
#include <QPushButton>

class QDialog;
class QDialogButtonBox;

// The "Ok" (default, Enter) and "Cancel" (Esc) buttons of the program's dialogs, in a button
// box ordered as the desktop orders them. Cancel rejects the dialog; what Ok does is the dialog's
// own business.
struct OkCancelButtons {
    QPushButton* ok;
    QPushButton* cancel;
    QHBoxLayout* layout;
    QDialogButtonBox* box; // for further buttons of the dialog's own
};

OkCancelButtons makeOkCancelButtons(QDialog* dialog);
