// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/editcommands.h"

#include "common/files.h"
#include "common/numbers.h"
#include "document/labeldocument.h"

#include <QFileInfo>
#include <QImageReader>

LabelElement* DuplicaOggetto(LabelDocument& document, const QString& sourceKey) {
    const LabelElement* source = document.element(sourceKey);
    if (!source)
        return nullptr;
    return pasteElement(document, LabelElement(*source)); // creating may move elements
}

LabelElement* pasteElement(LabelDocument& document, const LabelElement& original) {
    LabelElement* copy = document.CreaOgg(original.kind, original.Left + 100, original.Top - 100,
                                          original.Width, original.Height);
    if (!copy)
        return nullptr;
    switch (original.kind) {
    case ElementKind::Testo:
        copy->Caption = original.Caption;
        copy->FontName = original.FontName;
        copy->FontSize = ValoreIntero(double(original.FontSize));
        copy->FontBold = original.FontBold;
        copy->FontItalic = original.FontItalic;
        copy->BackStyle = original.BackStyle;
        copy->Alignment = original.Alignment;
        copy->ForeColor = original.ForeColor;
        copy->BackColor = original.BackColor;
        copy->DataMember = original.DataMember;
        break;
    case ElementKind::Immagine:
    case ElementKind::Picture:
        copy->Tag = original.Tag;
        copy->DataMember = original.DataMember;
        copy->ToolTipText = original.ToolTipText;
        // A pasted picture shows its picture at once, as opening the label would.
        if (original.kind == ElementKind::Picture)
            copy->Picture = original.Picture;
        break;
    case ElementKind::Rettangolo:
        copy->BackStyle = original.BackStyle;
        copy->BackColor = original.BackColor;
        copy->BorderColor = original.BorderColor;
        copy->Tag = original.Tag;
        copy->BorderWidth = original.BorderWidth;
        break;
    }
    bringToFront(document, *copy);
    return copy;
}

void deleteElement(LabelDocument& document, LabelElement& element) {
    document.removeElement(element.key());
}

void bringToFront(LabelDocument& document, LabelElement& element) {
    document.bringToFront(&element);
    document.zOrder().SetZOrdine(element.key(), BroughtToFront);
}

void sendToBack(LabelDocument& document, LabelElement& element) {
    document.sendToBack(&element);
    document.zOrder().SetZOrdine(element.key(), SentToBack);
}
