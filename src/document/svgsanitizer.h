// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

// Drawings come from other people: a drawing may draw only what it holds. Whatever names
// another resource (pictures, other drawings, style sheets, fragments of other files) is
// taken out before the drawing reaches QtSvg, whatever namespace prefix it hides behind;
// pictures written into the drawing itself (data: addresses) stay when they decode within
// `pixelBudget` pixels in all. References inside the drawing (#id) stay.
namespace svgsanitizer {

// The drawing without outside references, or an empty array when it is no well-formed XML.
QByteArray selfContained(const QByteArray& svg, qint64 pixelBudget);

} // namespace svgsanitizer
