// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/editcommands.h"

#include "common/files.h"
#include "common/numbers.h"
#include "document/elementtype.h"
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
    typeOf(original).copyProperties(original, *copy);
    copy->Rotazione = original.Rotazione;
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
