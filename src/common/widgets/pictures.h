// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

#include <functional>

class QPainter;

// Pictures the program draws itself, so that they mean the same on every desktop whatever
// icon theme it has: drawn on a 24 x 24 canvas, at 16, 24, 32 and 48 pixels.
namespace pictures {

QIcon drawn(const std::function<void(QPainter&)>& draw);

QIcon printer();    // a printer with a sheet coming out
QIcon file();       // a sheet with a folded corner
QIcon screen();     // a monitor
QIcon brokenLink(); // two chain links apart

} // namespace pictures
