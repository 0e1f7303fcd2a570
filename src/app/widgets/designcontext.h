// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "designer/widgets/designsurface.h"
#include "document/labeldocument.h"
#include "editing/labelhistory.h"

class QWidget;

// What the window's commands work on: the label, the design surface with its selection, the
// undo history, and the window their dialogs belong to.
struct DesignContext {
    LabelDocument& document;
    DesignSurface& surface;
    LabelHistory& history;
    QWidget* window;

    // The element the last click chose; every element chosen.
    LabelElement* selected() const { return surface.ControlloCorrente(); }
    const std::vector<LabelElement*>& selection() const { return surface.selection(); }
    // The label changed: the surface shows it again, and the change is one step to undo.
    void edited() const {
        surface.RidisegnaSuperficie();
        history.checkpoint({});
    }
    // Every command counts as a change, as the label program always did.
    void touched() const { document.setModificato(true); }
};
