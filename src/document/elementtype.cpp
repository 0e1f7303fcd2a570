// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/elementtype.h"

#include "document/kinds/kinds.h"

#include <array>

namespace {

// The kinds, in the order of ElementKind: a new kind is its file plus a line here.
const std::array<const ElementType*, ElementKindCount>& registered() {
    static const std::array<const ElementType*, ElementKindCount> types{
        &kinds::text(),      &kinds::barcode(), &kinds::picture(),
        &kinds::rectangle(), &kinds::line(),    &kinds::ellipse()};
    return types;
}

} // namespace

const ElementType& elementType(ElementKind kind) {
    return *registered().at(static_cast<std::size_t>(kind));
}

std::span<const ElementType* const> elementTypes() {
    return registered();
}
