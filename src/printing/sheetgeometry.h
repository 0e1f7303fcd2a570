// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/sheetlayout.h"

#include <QPointF>

// Where labels lie on the sheet. Columns and rows count from 1; results are millimetres from
// the top-left corner of the printable page.
namespace sheet {

// The top-left corner of the label in column c, row r: the one place labels are placed.
QPointF labelCorner(const LayoutEtichetta& layout, int column, int row);

} // namespace sheet
