// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// The font dialog shows families and styles as the font system names them: "Arial" is found
// as "Liberation Sans", and a bold font is the style "Bold" of its family. A dialog opened on
// a bare family name preselects the family's first style, and OK without changes then turns a
// bold text into an oblique one. These two steps keep the dialog true to the element.
namespace fontchoice {

// The font to open the dialog on: the family the font system uses for `font`, with the style
// of that family that has its weight and slant, and its size.
QFont dialogFont(const QFont& font);

// What the dialog's answer means for the element: `initial` itself when the family, size,
// bold and italic did not change (so "Arial" stays "Arial"), else the chosen font with bold
// and italic read from its weight and slant.
QFont chosenFont(const QFont& initial, const QFont& chosen);

} // namespace fontchoice
