// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct LabelElement;
struct LayoutEtichetta;

// From the design surface to the paper: millimetres on the page of a point x (y) given in
// millimetres from the label's left (top) edge, and of an element, in column c and row r.
double GetXGen(const LayoutEtichetta& layout, double x, int colonna);
double GetYGen(const LayoutEtichetta& layout, double y, int riga);
double GetX(const LayoutEtichetta& layout, int colonna, const LabelElement& controllo);
double GetY(const LayoutEtichetta& layout, int riga, const LabelElement& controllo);
double GetW(const LabelElement& controllo);
double GetH(const LabelElement& controllo);
