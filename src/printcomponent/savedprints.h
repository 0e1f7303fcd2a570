// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/pressivocodes.h"

#include <QString>

class PressivoUi;

// Saved prints (.ant) opened again: in the preview, or sent once more to a file or printer
// exactly as first printed.
namespace savedprints {

// The file dialog's filter for them, with PDF beside them for the destination dialog.
QString openFilter();

bool isSavedPrint(const QString& path);

// Loads the file onto the preview's surface and shows it; false (the user was told why)
// when it cannot be read.
bool showInPreview(PressivoUi& ui, const QString& path);

// Loads the file and delivers it to `destination` (a printer, or a file: `fileName` ending in
// .pdf gives a PDF, any other name a saved print) with `copies`; false when it was not
// delivered (the user was told why).
bool reprint(PressivoUi& ui, const QString& path, pressivo::Destination destination,
             const QString& fileName, int copies);

} // namespace savedprints
