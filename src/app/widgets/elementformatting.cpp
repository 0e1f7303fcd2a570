// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/elementformatting.h"

#include "barcode/widgets/frmparametribarcode.h"
#include "common/colors.h"
#include "common/cursor.h"
#include "common/messageservice.h"
#include "common/numbers.h"
#include "editing/editcommands.h"
#include "editing/widgets/frmallineamento.h"

#include <QFont>

namespace {

bool hasBackground(const LabelElement* e) {
    return e && (e->kind == ElementKind::Testo || e->kind == ElementKind::Rettangolo);
}

bool isText(const LabelElement* e) {
    return e && e->kind == ElementKind::Testo;
}

} // namespace

void ElementFormatting::setBackground(Background background) {
    m_context.touched();
    if (LabelElement* element = m_context.selected(); hasBackground(element)) {
        element->BackStyle = background;
        m_context.edited();
    }
}

void ElementFormatting::setBorderWidth(qint16 width) {
    m_context.touched();
    if (LabelElement* element = m_context.selected();
        element && element->kind == ElementKind::Rettangolo) {
        element->BorderWidth = width;
        m_context.edited();
    }
}

void ElementFormatting::chooseForeColour() {
    m_context.touched();
    LabelElement* element = m_context.selected();
    if (!hasBackground(element))
        return;
    qint32& colour = isText(element) ? element->ForeColor : element->BorderColor;
    if (const auto chosen = MessageService::current().chooseColor(
            colors::toQColor(colour), QStringLiteral("Colore oggetto"))) {
        colour = colors::fromQColor(*chosen);
        m_context.edited();
    }
}

void ElementFormatting::chooseBackColour() {
    m_context.touched();
    LabelElement* element = m_context.selected();
    if (!hasBackground(element))
        return;
    if (const auto chosen = MessageService::current().chooseColor(
            colors::toQColor(element->BackColor), QStringLiteral("Colore sfondo"))) {
        element->BackStyle = Background::Opaque;
        element->BackColor = colors::fromQColor(*chosen);
        m_context.edited();
    }
}

void ElementFormatting::bringToFront() {
    m_context.touched();
    if (LabelElement* element = m_context.selected())
        ::bringToFront(m_context.document, *element);
}

void ElementFormatting::sendToBack() {
    m_context.touched();
    if (LabelElement* element = m_context.selected())
        ::sendToBack(m_context.document, *element);
}

void ElementFormatting::chooseAlignment() {
    m_context.touched();
    LabelElement* element = m_context.selected();
    if (!isText(element))
        return;
    CursoreAttesa();
    frmAllineamento dialog(m_context.window);
    dialog.presetFrom(int(element->Alignment));
    CursoreNormale();
    dialog.exec();
    if (dialog.Confermato) {
        element->Alignment = TextAlignment(dialog.Allineamento);
        m_context.edited();
    }
}

void ElementFormatting::setAlignment(TextAlignment alignment) {
    m_context.touched();
    if (LabelElement* element = m_context.selected(); isText(element)) {
        element->Alignment = alignment;
        m_context.edited();
    }
}

void ElementFormatting::editBarcodeParameters() {
    m_context.touched();
    // The designer shows the symbology chosen: repaint the element.
    if (LabelElement* element = m_context.selected();
        element && ModificaParametriBarcode(*element, m_context.window))
        m_context.edited();
}

void ElementFormatting::chooseFont() {
    m_context.touched();
    LabelElement* element = m_context.selected();
    if (element && !isText(element))
        return;
    LabelElement& text = m_context.document.templateOf(ElementKind::Testo);
    const LabelElement& preset = element ? *element : text;
    QFont font(preset.FontName);
    font.setPointSizeF(ValoreIntero(double(preset.FontSize)));
    font.setBold(preset.FontBold);
    font.setItalic(preset.FontItalic);
    const auto chosen =
        MessageService::current().chooseFont(font, QStringLiteral("Imposta carattere"));
    if (!chosen)
        return;
    auto apply = [&](LabelElement& e) {
        e.FontName = chosen->family();
        e.FontSize = ValoreIntero(chosen->pointSizeF());
        e.FontBold = chosen->bold();
        e.FontItalic = chosen->italic();
    };
    apply(text);
    if (element) {
        apply(*element);
        m_context.edited();
    }
}
