// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class LabelDocument;
struct LabelElement;

// Editing the elements of a label, without windows.

// A copy of an element, 100 twips right of and 100 twips above it, in front of all others
// (depth flag 1), not selected. Nothing when the source is no longer in the document.
LabelElement* DuplicaOggetto(LabelDocument& document, const QString& sourceKey);
// The same from an element's values (one that was cut and is no longer in the document).
LabelElement* pasteElement(LabelDocument& document, const LabelElement& original);

// Removes the element and its depth entry.
void deleteElement(LabelDocument& document, LabelElement& element);

// In front of (behind) all others, recorded in the depth table.
void bringToFront(LabelDocument& document, LabelElement& element);
void sendToBack(LabelDocument& document, LabelElement& element);
