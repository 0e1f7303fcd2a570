// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/elementrenderer.h"

struct LabelElement;

// What an element shows while it is designed: texts as typed, a barcode's own symbol when its
// text can be encoded, else (linked, empty or not yet valid) a symbol of its kind for a
// sample value, the picture the label holds.
ElementContent designContent(const LabelElement& element);
