// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

// Pictures of the program's own, so that they mean the same on every desktop whatever icon
// theme it has: drawings on a 24 x 24 canvas in the program's resources (src/icons), drawn in
// the desktop's text colour where the theme is dark.
namespace pictures {

// The picture of that name; an empty icon when there is none.
QIcon named(const QString& name);

QIcon printer();    // a printer with a sheet coming out
QIcon file();       // a sheet with a folded corner
QIcon screen();     // a monitor
QIcon brokenLink(); // two chain links apart

} // namespace pictures
