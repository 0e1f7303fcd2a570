// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/labelelement.h"

QString kindName(ElementKind kind) {
    switch (kind) {
    case ElementKind::Testo:
        return QStringLiteral("oggTesto");
    case ElementKind::Immagine:
        return QStringLiteral("oggImmagine");
    case ElementKind::Picture:
        return QStringLiteral("oggPicture");
    case ElementKind::Rettangolo:
        return QStringLiteral("oggRettangolo");
    }
    return {};
}

std::optional<ElementKind> kindFromName(QStringView name) {
    for (const ElementKind kind : AllElementKinds) {
        if (name == kindName(kind))
            return kind;
    }
    return std::nullopt;
}

QString elementKey(ElementKind kind, int index) {
    return kindName(kind) + QString::number(index);
}

LabelElement LabelElement::makeTemplate(ElementKind kind) {
    LabelElement element;
    element.kind = kind;
    element.Index = 0;
    element.Visible = false;
    switch (kind) {
    case ElementKind::Testo:
        element.Caption = QStringLiteral("abc");
        element.FontName = QStringLiteral("Microsoft Sans Serif");
        element.FontSize = 10;
        element.Width = 1000;
        element.Height = 255;
        break;
    case ElementKind::Immagine:
    case ElementKind::Picture:
    case ElementKind::Rettangolo:
        element.Width = 1935;
        element.Height = 1035;
        break;
    }
    return element;
}
