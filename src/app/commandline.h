// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/labelfileoperations.h"

#include <QString>
#include <QStringList>

class LabelDocument;

// Splits the program's argument text at commas: blanks do not separate, consecutive commas
// make no empty argument, at most `maxArgomenti` arguments are taken. Argument i of the
// label program is element i - 1 of the list.
QStringList LeggiArgomenti(const QString& testo, int maxArgomenti = 10);

// The argument text as the label program expects it, rebuilt from the words the shell gave:
// `marvello a.eti, -D` and `marvello "a.eti,-D"` both give "a.eti, -D" or "a.eti,-D".
QString argumentText(const QStringList& wordsAfterProgram);

enum class StartupAction {
    ShowWindow,      // interactive work
    PrintWithDialog, // "-S": print through the print dialog, then end
    PrintDirect,     // "-D": print without dialogs, then end
    Abandon,         // "-S" or "-D" for a label that could not be read: end, printing nothing
};

// The start-up dispatch by argument count: opens the label the command line names (with the
// database and password it may give) and says what to do next.
StartupAction Main(LabelDocument& document, const QString& argumentText,
                   const DatabaseConnector& connect = {});
