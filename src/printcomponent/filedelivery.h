// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class PrintSurface;

// Prints that go to a file: what the file's name asks for, and writing it.
namespace filedelivery {

// A name ending in .pdf gets a PDF, .zpl the ZPL of a label printer, any other a saved print.
enum class Format { Pdf, Zpl, SavedPrint };
Format formatOf(const QString& file);

// Writes the surface's finished document (or completes the PDF it streams) to `file`, a ZPL
// file for a printer of `dotsPerInch`; false with the reason when it could not be written.
bool write(PrintSurface& surface, const QString& file, int dotsPerInch, QString* error);

} // namespace filedelivery
