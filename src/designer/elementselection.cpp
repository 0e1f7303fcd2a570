// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/elementselection.h"

#include "document/labelelement.h"

#include <algorithm>

namespace elementselection {

namespace {
bool has(const Elements& list, const LabelElement* element) {
    return std::find(list.begin(), list.end(), element) != list.end();
}
} // namespace

Elements toggled(Elements chosen, LabelElement* element) {
    if (const auto found = std::find(chosen.begin(), chosen.end(), element); found != chosen.end())
        chosen.erase(found);
    else
        chosen.push_back(element);
    return chosen;
}

Elements withEnclosed(Elements chosen, const QRectF& area, const Elements& stacking) {
    for (LabelElement* e : stacking) {
        if (e->Visible && area.contains(e->box().normalized()) && !has(chosen, e))
            chosen.push_back(e);
    }
    return chosen;
}

Elements stillThere(const Elements& chosen, const Elements& stacking) {
    Elements kept;
    std::copy_if(chosen.begin(), chosen.end(), std::back_inserter(kept),
                 [&](const LabelElement* e) { return has(stacking, e); });
    return kept;
}

LabelElement* neighbour(const Elements& all, const LabelElement* current, bool forward) {
    if (all.empty())
        return nullptr;
    const auto at = std::find(all.begin(), all.end(), current);
    if (at == all.end())
        return forward ? all.front() : all.back();
    const std::size_t i = std::size_t(at - all.begin());
    return all[forward ? (i + 1) % all.size() : (i + all.size() - 1) % all.size()];
}

} // namespace elementselection
