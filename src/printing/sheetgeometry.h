// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/sheetlayout.h"

#include <QPointF>
#include <QSizeF>

#include <optional>

// Where labels lie on the sheet. Columns and rows count from 1; results are millimetres from
// the top-left corner of the printable page.
namespace sheet {

// Every label prints this many millimetres right of where the layout puts it: part of where
// labels have always printed, and the sheets of existing labels are set up around it.
inline constexpr double PrintShiftX = 4;

// The top-left corner of the label in column c, row r: the one place labels are placed.
QPointF labelCorner(const LayoutEtichetta& layout, int column, int row);

// How far right and down the labels of a full sheet reach, as the layout places them.
QSizeF sheetExtent(const LayoutEtichetta& layout);

// The page, in millimetres, of a label that names its paper; nothing for the printer's paper.
// A roll's page is one row of labels: its margins around the labels across and their gaps,
// and around the label's height.
std::optional<QSizeF> paperSize(const LabelPaper& paper, const LayoutEtichetta& layout);

// The largest paper a label can name, either way (a 5 m banner).
inline constexpr double LargestPaper = 5000;

// The layout as pages are filled: a roll's page holds one row, and a turned label lies with
// its width down the page.
LayoutEtichetta pageLayout(const LabelPaper& paper, const LayoutEtichetta& layout);

} // namespace sheet
