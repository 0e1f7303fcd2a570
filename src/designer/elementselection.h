// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>

#include <vector>

struct LabelElement;

// The rules of choosing several elements on the design surface, on lists of elements in the
// order they were chosen.
namespace elementselection {

using Elements = std::vector<LabelElement*>;

// The element added when it was not chosen, taken out when it was.
Elements toggled(Elements chosen, LabelElement* element);
// The visible elements wholly inside the area (twips) added, in stacking order.
Elements withEnclosed(Elements chosen, const QRectF& area, const Elements& stacking);
// Those still in the label.
Elements stillThere(const Elements& chosen, const Elements& stacking);
// The element after (before) the current one in the list, going round; the first (last)
// when none is current. Nothing in an empty list.
LabelElement* neighbour(const Elements& all, const LabelElement* current, bool forward);

} // namespace elementselection
