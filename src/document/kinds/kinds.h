// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class ElementType;

// The kinds of element, one file each; elementtype.cpp registers them.
namespace kinds {
const ElementType& text();
const ElementType& barcode();
const ElementType& picture();
const ElementType& rectangle();
const ElementType& line();
const ElementType& ellipse();
} // namespace kinds
