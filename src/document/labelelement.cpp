// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/labelelement.h"

#include "document/elementtype.h"

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
