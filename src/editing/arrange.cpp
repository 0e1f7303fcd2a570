// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/arrange.h"

#include "document/labelelement.h"

#include <algorithm>

namespace arrange {

void align(const std::vector<LabelElement*>& elements, Edge edge) {
    if (elements.empty())
        return;
    float left = elements.front()->Left, top = elements.front()->Top;
    float right = left + elements.front()->Width, bottom = top + elements.front()->Height;
    for (const LabelElement* e : elements) {
        left = std::min(left, e->Left);
        top = std::min(top, e->Top);
        right = std::max(right, e->Left + e->Width);
        bottom = std::max(bottom, e->Top + e->Height);
    }
    for (LabelElement* e : elements) {
        switch (edge) {
        case Edge::Left:
            e->Left = left;
            break;
        case Edge::HorizontalCentre:
            e->Left = (left + right - e->Width) / 2;
            break;
        case Edge::Right:
            e->Left = right - e->Width;
            break;
        case Edge::Top:
            e->Top = top;
            break;
        case Edge::VerticalCentre:
            e->Top = (top + bottom - e->Height) / 2;
            break;
        case Edge::Bottom:
            e->Top = bottom - e->Height;
            break;
        }
    }
}

void distribute(const std::vector<LabelElement*>& elements, Direction direction) {
    if (elements.size() < 3)
        return;
    const bool across = direction == Direction::Horizontally;
    const auto start = [&](const LabelElement* e) { return across ? e->Left : e->Top; };
    const auto size = [&](const LabelElement* e) { return across ? e->Width : e->Height; };
    std::vector<LabelElement*> ordered = elements;
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [&](const LabelElement* a, const LabelElement* b) { return start(a) < start(b); });
    const LabelElement* last = ordered.back();
    float total = 0;
    for (const LabelElement* e : ordered)
        total += size(e);
    const float span = start(last) + size(last) - start(ordered.front());
    const float gap = (span - total) / float(ordered.size() - 1);
    float next = start(ordered.front());
    for (LabelElement* e : ordered) {
        (across ? e->Left : e->Top) = next;
        next += size(e) + gap;
    }
}

void moveBy(const std::vector<LabelElement*>& elements, double dx, double dy) {
    for (const LabelElement* e : elements) {
        dx = std::max(dx, -double(e->Left));
        dy = std::max(dy, -double(e->Top));
    }
    for (LabelElement* e : elements) {
        e->Left = float(e->Left + dx);
        e->Top = float(e->Top + dy);
    }
}

} // namespace arrange
