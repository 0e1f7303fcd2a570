// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/programerror.h"

QString userMessage(int number, const QString& description, CodeSpacing spacing) {
    if (number == 0)
        return description;
    // The number alone says nothing to the user: the words follow it.
    return QStringLiteral("Errore non gestito. Codice:") +
           (spacing == CodeSpacing::Spaced ? QStringLiteral(" ") : QString()) +
           QString::number(number) + u'\r' + description;
}
