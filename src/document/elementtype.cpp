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

// The element's names and templates, declared with the element, come from its kind.
QString kindName(ElementKind kind) {
    return elementType(kind).fileKey();
}

std::optional<ElementKind> kindFromName(QStringView name) {
    for (const ElementType* type : elementTypes()) {
        if (name == type->fileKey())
            return type->kind();
    }
    return std::nullopt;
}

QString elementKey(ElementKind kind, int index) {
    return kindName(kind) + QString::number(index);
}

LabelElement LabelElement::makeTemplate(ElementKind kind) {
    return elementType(kind).makeTemplate();
}
