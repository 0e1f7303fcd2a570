// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/widgets/designcontext.h"

// The Formato commands on the selected element: background, colours, border width, depth,
// text alignment, barcode parameters and the font dialog. Each does nothing to the kinds it
// does not apply to.
class ElementFormatting {
public:
    explicit ElementFormatting(const DesignContext& context)
        : m_context(context) {}

    void setBackground(Background background);
    void setBorderWidth(qint16 width); // 1, 2 or 3
    void chooseForeColour();
    void chooseBackColour();
    void bringToFront();
    void sendToBack();
    void chooseAlignment(); // the alignment dialog
    void setAlignment(TextAlignment alignment);
    void editBarcodeParameters();
    // The font dialog: for the selected text, and for the texts inserted next.
    void chooseFont();

private:
    DesignContext m_context;
};
