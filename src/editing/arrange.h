// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

struct LabelElement;

// Lining up several elements ("Allinea", "Distribuisci"), in twips on the design surface.
namespace arrange {

enum class Edge { Left, HorizontalCentre, Right, Top, VerticalCentre, Bottom };

// Each element's edge (or centre) on the same line as the group's: the leftmost left edge,
// the centre of the group's box, the rightmost right edge, and so on.
void align(const std::vector<LabelElement*>& elements, Edge edge);

enum class Direction { Horizontally, Vertically };

// The same gap between neighbours: the first and the last element (by position) stay, the
// others move between them. Fewer than three elements stay where they are.
void distribute(const std::vector<LabelElement*>& elements, Direction direction);

// Every element moved by the same amount, none past the surface's top or left edge.
void moveBy(const std::vector<LabelElement*>& elements, double dx, double dy);

} // namespace arrange
