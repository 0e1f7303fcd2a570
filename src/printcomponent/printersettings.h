// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/pressivocodes.h"

#include <QPointF>
#include <QString>

// What the user told this program of each printer, kept in "stampanti.ini" of the settings
// folder by the printer's name: where its head really prints (one label file then prints right
// on two printers), and, for a printer without a driver (a raw queue, a network label printer
// on port 9100), that it takes ZPL at a given resolution.
struct PrinterSettings {
    double offsetX = 0;  // millimetres every label moves right on this printer
    double offsetY = 0;  // and down
    bool zpl = false;    // the labels go to the queue as ZPL, not as a PDF
    int dotsPerInch = 0; // of a ZPL printer; 0: 203

    // The resolution a ZPL printer is rendered for.
    int zplDotsPerInch() const;
    bool operator==(const PrinterSettings&) const = default;
};

namespace printersettings {

// The name files (PDF, ZPL) keep their settings under: a blank in it, so that no printer has
// it ("PDF" is a printer's name too).
inline const QString Files = QStringLiteral("File PDF");
// No printer moves its labels further than this (millimetres either way).
inline constexpr double LargestOffset = 50;

QString file();
// The printer's settings; the defaults for one never set. Values out of range are taken as
// their nearest sensible one.
PrinterSettings read(const QString& printer);
// Where the head of the printer a job goes to really prints, as calibrated (millimetres right
// and down): a printer's by its name, that of files for PDFs and ZPL files; the preview and
// saved prints (Discard here) show labels where the layout puts them.
QPointF offsetFor(pressivo::Destination destination, const QString& printer);
// False with a reason when the settings cannot be kept.
bool write(const QString& printer, const PrinterSettings& settings, QString* error = nullptr);

} // namespace printersettings
