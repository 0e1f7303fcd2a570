// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QString>

class PrintDocument;

// ZPL for label printers without a driver (a raw queue, a network printer on port 9100): each
// page rendered at the printer's resolution in black and white and sent as a graphic, one
// label format per page, with the label's width and length.
namespace zploutput {

inline constexpr int DefaultDotsPerInch = 203;
inline constexpr int LargestDotsPerInch = 600; // what label printers have

// The pages first..last (from 1; 0: to the end) as ZPL, moved by `shift` twips; `copies` of
// each label (^PQ).
QByteArray encode(const PrintDocument& document, int dotsPerInch, int copies = 1, int first = 1,
                  int last = 0, QPointF shift = {});

// Writes them to `path` whole or not at all. False with a reason on failure.
bool write(const PrintDocument& document, const QString& path, int dotsPerInch,
           QString* error = nullptr);

} // namespace zploutput
