// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/widgets/commandtable.h"
#include "app/widgets/designcontext.h"
#include "editing/arrange.h"

// The Formato commands on the selected elements: background, colours, border width, depth,
// text alignment, barcode parameters, the font dialog, lining up and spacing. Each does
// nothing to the kinds it does not apply to.
class ElementFormatting {
public:
    explicit ElementFormatting(const DesignContext& context)
        : m_context(context) {}

    void setBackground(Background background);
    void setBorderWidth(qint16 width); // 1, 2 or 3
    void chooseLineWidth();            // in millimetres
    void chooseCornerRadius();         // rectangles' corners, in millimetres
    void chooseForeColour();
    void chooseBackColour();
    void bringToFront();
    void sendToBack();
    // A quarter turn clockwise, each element about its own centre.
    void rotate();
    // "Posizione e dimensioni": typed in millimetres; for several elements, the values the
    // user changed apply to each.
    void choosePlace();
    // Texts: where their lines lie in their boxes; fitting to the box and underline, on or
    // off as the element clicked last is not.
    void setVertical(VerticalAlignment vertical);
    void toggleFit();
    void toggleUnderline();
    // Pictures: fitted inside their boxes or stretched over them.
    void toggleKeepProportions();
    void chooseAlignment(); // the alignment dialog
    void setAlignment(TextAlignment alignment);
    void editBarcodeParameters();
    // The font dialog: for the selected texts, and for the texts inserted next.
    void chooseFont();
    void align(arrange::Edge edge);                // "Allinea"
    void distribute(arrange::Direction direction); // "Distribuisci"
    // The "Allinea" and "Distribuisci" submenus.
    std::vector<CommandTable::Command> arrangeCommands();

private:
    std::vector<LabelElement*> chosen(bool (*applies)(const LabelElement*)) const;

    DesignContext m_context;
};
