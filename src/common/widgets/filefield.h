// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLineEdit;

// A text field holding a file path, as the dialogs that ask for a database or a picture have.

// "Sfoglia ...": an open-file dialog starting in the program's folder; the chosen path goes
// into the field, cancelling leaves it as it was.
void browseIntoField(QLineEdit* field, const QString& title, const QString& filter,
                     int filterIndex);

// True when the field names an existing file; otherwise beeps, shows the message and puts the
// focus back into the field.
bool fieldNamesAFile(QLineEdit* field, const QString& message, const QString& title);
