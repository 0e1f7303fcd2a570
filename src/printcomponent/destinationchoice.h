// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/pressivoui.h"

// Asks where a print goes (or takes the printer when `noPrompt`) until the user chooses a
// destination or cancels, opening the page and printer set-up they ask for meanwhile.
// `copies` is what the dialog shows and takes the count the user types (1 to 999).
DestinationRequest chooseDestination(PressivoUi& ui, PrintSurface& surface, int disabledPeripheral,
                                     qint16& copies, bool noPrompt);
