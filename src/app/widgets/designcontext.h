// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "designer/widgets/designsurface.h"
#include "document/labeldocument.h"

class QWidget;

// What the window's commands work on: the label, the design surface with its selection, and
// the window their dialogs belong to.
struct DesignContext {
    LabelDocument& document;
    DesignSurface& surface;
    QWidget* window;

    LabelElement* selected() const { return surface.ControlloCorrente(); }
    // The label changed: the surface shows it again.
    void edited() const { surface.RidisegnaSuperficie(); }
    // Every command counts as a change, as the label program always did.
    void touched() const { document.setModificato(true); }
};
