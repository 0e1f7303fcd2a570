// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/elementformatting.h"
#include "document/elementtype.h"

#include "barcode/widgets/frmparametribarcode.h"
#include "common/colors.h"
#include "common/cursor.h"
#include "common/messageservice.h"
#include "common/numbers.h"
#include "common/units.h"
#include "editing/editcommands.h"
#include "editing/widgets/frmallineamento.h"
#include "editing/widgets/frmmisura.h"
#include "editing/widgets/frmposizione.h"

#include <QFont>

#include <algorithm>

namespace {

bool hasBackground(const LabelElement* e) {
    return e && typeOf(*e).hasFill();
}

bool isText(const LabelElement* e) {
    return e && typeOf(*e).hasFont();
}

bool hasOutline(const LabelElement* e) {
    return e && typeOf(*e).hasBorder();
}

bool hasColour(const LabelElement* e) {
    return e && (typeOf(*e).hasFont() || typeOf(*e).hasBorder());
}

bool isPicture(const LabelElement* e) {
    return e && typeOf(*e).value() == ValueKind::Picture;
}

bool any(const LabelElement* e) {
    return e != nullptr;
}

} // namespace

// The selected elements a command applies to; the one clicked last presets its dialog.
std::vector<LabelElement*> ElementFormatting::chosen(bool (*applies)(const LabelElement*)) const {
    std::vector<LabelElement*> result;
    for (LabelElement* element : m_context.selection()) {
        if (applies(element))
            result.push_back(element);
    }
    // The element clicked last comes first: dialogs start from its values.
    if (const auto last = std::find(result.begin(), result.end(), m_context.selected());
        last != result.end())
        std::rotate(result.begin(), last, last + 1);
    return result;
}

void ElementFormatting::setBackground(Background background) {
    m_context.touched();
    for (LabelElement* element : chosen(hasBackground))
        element->BackStyle = background;
    m_context.edited();
}

void ElementFormatting::setBorderWidth(qint16 width) {
    m_context.touched();
    // Lines and ellipses as rectangles print them: the thinnest line, 0.4 mm, 0.8 mm.
    static constexpr float Millimetres[] = {0.1f, 0.4f, 0.8f};
    for (LabelElement* element : chosen(hasOutline)) {
        if (element->kind == ElementKind::Rettangolo) {
            element->BorderWidth = width;
            element->SpessoreMm = 0;
        } else {
            element->SpessoreMm = Millimetres[std::clamp<int>(width, 1, 3) - 1];
        }
    }
    m_context.edited();
}

namespace {

// The width a line, an ellipse or a rectangle prints with, in millimetres.
double lineWidthMm(const LabelElement& e) {
    if (e.SpessoreMm > 0)
        return e.SpessoreMm;
    return e.BorderWidth == 3 ? 0.8 : e.BorderWidth == 2 ? 0.4 : 0.1;
}

// The measure typed in the dialog; nothing when it was cancelled.
std::optional<double> askMillimetres(QWidget* window, const QString& caption, const QString& label,
                                     double lowest, double highest, double shown) {
    CursoreAttesa();
    frmMisura dialog(caption, label, lowest, highest, window);
    dialog.presetValue(shown);
    CursoreNormale();
    dialog.exec();
    if (!dialog.Confermato)
        return std::nullopt;
    return dialog.Misura;
}

} // namespace

void ElementFormatting::chooseLineWidth() {
    m_context.touched();
    const auto elements = chosen(hasOutline);
    if (elements.empty())
        return;
    const auto width = askMillimetres(m_context.window, QStringLiteral("Spessore"),
                                      QStringLiteral("Spessore della linea"), 0.1, 5,
                                      lineWidthMm(*elements.front()));
    if (!width)
        return;
    for (LabelElement* element : elements)
        element->SpessoreMm = float(*width);
    m_context.edited();
}

void ElementFormatting::chooseCornerRadius() {
    m_context.touched();
    const auto rectangles =
        chosen([](const LabelElement* e) { return e && e->kind == ElementKind::Rettangolo; });
    if (rectangles.empty())
        return;
    const auto radius = askMillimetres(m_context.window, QStringLiteral("Angoli arrotondati"),
                                       QStringLiteral("Raggio degli angoli"), 0, 1000,
                                       rectangles.front()->RaggioAngoli);
    if (!radius)
        return;
    for (LabelElement* element : rectangles)
        element->RaggioAngoli = float(*radius);
    m_context.edited();
}

void ElementFormatting::setVertical(VerticalAlignment vertical) {
    m_context.touched();
    for (LabelElement* element : chosen(isText))
        element->AllineamentoVerticale = vertical;
    m_context.edited();
}

void ElementFormatting::toggleFit() {
    m_context.touched();
    const auto texts = chosen(isText);
    if (texts.empty())
        return;
    const bool fit = !texts.front()->Adatta;
    for (LabelElement* element : texts)
        element->Adatta = fit;
    m_context.edited();
}

void ElementFormatting::toggleUnderline() {
    m_context.touched();
    const auto texts = chosen(isText);
    if (texts.empty())
        return;
    const bool underline = !texts.front()->FontUnderline;
    for (LabelElement* element : texts)
        element->FontUnderline = underline;
    m_context.edited();
}

void ElementFormatting::toggleKeepProportions() {
    m_context.touched();
    const auto pictures = chosen(isPicture);
    if (pictures.empty())
        return;
    const bool keep = !pictures.front()->MantieniProporzioni;
    for (LabelElement* element : pictures)
        element->MantieniProporzioni = keep;
    m_context.edited();
}

void ElementFormatting::choosePlace() {
    m_context.touched();
    const auto elements = chosen(any);
    if (elements.empty())
        return;
    const auto mm = [](double twips) { return twips / units::TwipsPerMillimetre; };
    const LabelElement* first = elements.front();
    CursoreAttesa();
    frmPosizione dialog(m_context.window);
    dialog.presetFrom(QRectF(mm(first->Left - units::LabelOriginXTwips),
                             mm(first->Top - units::LabelOriginYTwips), mm(first->Width),
                             mm(first->Height)));
    CursoreNormale();
    dialog.exec();
    if (!dialog.Confermato)
        return;
    const auto twips = [](double millimetres) {
        return float(millimetres * units::TwipsPerMillimetre);
    };
    const auto& changed = dialog.Cambiate;
    for (LabelElement* element : elements) {
        if (changed[0])
            element->Left = units::LabelOriginXTwips + twips(*changed[0]);
        if (changed[1])
            element->Top = units::LabelOriginYTwips + twips(*changed[1]);
        if (changed[2])
            element->Width = twips(*changed[2]);
        if (changed[3])
            element->Height = twips(*changed[3]);
    }
    m_context.edited();
}

void ElementFormatting::rotate() {
    m_context.touched();
    for (LabelElement* element : chosen(any)) {
        element->Rotazione = qint16((element->Rotazione + 90) % 360);
        QRectF box = element->box();
        const QPointF centre = box.center();
        box.setSize(box.size().transposed());
        box.moveCenter(centre);
        element->setBox(box);
    }
    m_context.edited();
}

void ElementFormatting::chooseForeColour() {
    m_context.touched();
    const auto elements = chosen(hasColour);
    if (elements.empty())
        return;
    const LabelElement* first = elements.front();
    if (const auto colour = MessageService::current().chooseColor(
            colors::toQColor(isText(first) ? first->ForeColor : first->BorderColor),
            QStringLiteral("Colore oggetto"))) {
        for (LabelElement* element : elements)
            (isText(element) ? element->ForeColor : element->BorderColor) =
                colors::fromQColor(*colour);
        m_context.edited();
    }
}

void ElementFormatting::chooseBackColour() {
    m_context.touched();
    const auto elements = chosen(hasBackground);
    if (elements.empty())
        return;
    if (const auto colour = MessageService::current().chooseColor(
            colors::toQColor(elements.front()->BackColor), QStringLiteral("Colore sfondo"))) {
        for (LabelElement* element : elements) {
            element->BackStyle = Background::Opaque;
            element->BackColor = colors::fromQColor(*colour);
        }
        m_context.edited();
    }
}

void ElementFormatting::bringToFront() {
    m_context.touched();
    for (LabelElement* element : chosen(any))
        ::bringToFront(m_context.document, *element);
}

void ElementFormatting::sendToBack() {
    m_context.touched();
    for (LabelElement* element : chosen(any))
        ::sendToBack(m_context.document, *element);
}

void ElementFormatting::align(arrange::Edge edge) {
    m_context.touched();
    arrange::align(m_context.selection(), edge);
    m_context.edited();
}

void ElementFormatting::distribute(arrange::Direction direction) {
    m_context.touched();
    arrange::distribute(m_context.selection(), direction);
    m_context.edited();
}

void ElementFormatting::chooseAlignment() {
    m_context.touched();
    const auto texts = chosen(isText);
    if (texts.empty())
        return;
    CursoreAttesa();
    frmAllineamento dialog(m_context.window);
    dialog.presetFrom(int(texts.front()->Alignment));
    CursoreNormale();
    dialog.exec();
    if (dialog.Confermato) {
        for (LabelElement* element : texts)
            element->Alignment = TextAlignment(dialog.Allineamento);
        m_context.edited();
    }
}

void ElementFormatting::setAlignment(TextAlignment alignment) {
    m_context.touched();
    for (LabelElement* element : chosen(isText))
        element->Alignment = alignment;
    m_context.edited();
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
    const auto texts = chosen(isText);
    LabelElement* element = texts.empty() ? nullptr : texts.front();
    if (!m_context.selection().empty() && !element)
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
    for (LabelElement* e : texts)
        apply(*e);
    if (element)
        m_context.edited();
}

std::vector<CommandTable::Command> ElementFormatting::arrangeCommands() {
    const auto align = [this](arrange::Edge edge) { return [this, edge] { this->align(edge); }; };
    const auto spread = [this](arrange::Direction direction) {
        return [this, direction] { distribute(direction); };
    };
    using arrange::Edge;
    return {
        {"mnuAllinea",
         "Allinea",
         {},
         {},
         {{"mnuAllineaSinistra", "A sinistra", align(Edge::Left)},
          {"mnuAllineaCentro", "Al centro", align(Edge::HorizontalCentre)},
          {"mnuAllineaDestra", "A destra", align(Edge::Right)},
          {"mnuAllineaAlto", "In alto", align(Edge::Top)},
          {"mnuAllineaMezzo", "In mezzo", align(Edge::VerticalCentre)},
          {"mnuAllineaBasso", "In basso", align(Edge::Bottom)}}},
        {"mnuDistribuisci",
         "Distribuisci",
         {},
         {},
         {{"mnuDistribuisciOrizzontale", "Orizzontalmente",
           spread(arrange::Direction::Horizontally)},
          {"mnuDistribuisciVerticale", "Verticalmente", spread(arrange::Direction::Vertically)}}}};
}
