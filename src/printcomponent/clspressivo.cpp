// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/clspressivo.h"
#include "common/programerror.h"
#include "common/programfolders.h"
#include "printcomponent/destinationchoice.h"
#include "printcomponent/filedelivery.h"
#include "printcomponent/marginsettings.h"

#include "barcode/barcodeencoding.h"
#include "common/colors.h"
#include "common/cursor.h"
#include "common/messageservice.h"
#include "common/units.h"
#include "document/labelelement.h"
#include "printcomponent/pressivocodes.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printsurface.h"
#include "printcomponent/zploutput.h"

namespace {

// Barcodes take millimetres whatever the scale mode: their callers always gave them so.
constexpr double MillimetreTwips = units::TwipsPerMillimetre;

// The component's alignment codes, those of text elements, in the print style's coding.
std::optional<int> styleAlignment(int align) {
    switch (TextAlignment(align)) {
    case TextAlignment::Left:
        return printcodes::AlignLeft;
    case TextAlignment::Right:
        return printcodes::AlignRight;
    case TextAlignment::Centre:
        return printcodes::AlignCentre;
    }
    return std::nullopt;
}

bool given(const QVariant& value) {
    return value.isValid() && !value.isNull();
}

} // namespace

clsPressivo::clsPressivo()
    : clsPressivo(PressivoUi::current()) {}

clsPressivo::clsPressivo(PressivoUi& ui)
    : m_ui(ui)
    , m_surface(&ui.surface()) {
    setScaleMode(pressivo::Millimetre);
    m_surface->setPenWidth(0);
    m_copies = 1;
    m_offsetX = 0;
    m_offsetY = 0;

    const PageMargins margins = PageMargins::read();
    m_surface->setMarginTop(margins.top.inTwips());
    m_surface->setMarginBottom(margins.bottom.inTwips());
    m_surface->setMarginRight(margins.right.inTwips());
    m_surface->setMarginLeft(margins.left.inTwips());
    m_surface->StartDoc();
}

clsPressivo::clsPressivo(PressivoUi& ui, DrawingOnly)
    : m_ui(ui)
    , m_surface(&ui.surface())
    , m_keepsMargins(false) {
    m_surface->setPenWidth(0);
    m_surface->StartDoc();
}

clsPressivo::~clsPressivo() {
    if (!m_keepsMargins)
        return;
    const auto twips = units::Length::twips;
    PageMargins{twips(m_surface->MarginTop()), twips(m_surface->MarginBottom()),
                twips(m_surface->MarginRight()), twips(m_surface->MarginLeft())}
        .save();
    m_ui.unloadPreview();
}

double clsPressivo::twipsPerUnit() const {
    const auto unit = pressivo::unitOf(m_scaleMode);
    if (!unit)
        return 0;
    return unit->mode == pressivo::Pixel ? m_surface->TwipsPerPixel() : unit->twips;
}

void clsPressivo::setScaleMode(int mode) {
    m_scaleMode = mode;
    // An unknown mode keeps the unit measures are given in.
    if (const auto unit = pressivo::unitOf(mode)) {
        m_unitWord = unit->word.toString();
        m_unit = *unit;
    }
}

QPointF clsPressivo::offsetTwips() const {
    // Barcodes take millimetres whatever the scale mode, and so do their offsets.
    return QPointF(m_offsetX.toDouble(), m_offsetY.toDouble()) * MillimetreTwips;
}

double clsPressivo::measure(double value) const {
    return value * (m_unit.mode == pressivo::Pixel ? m_surface->TwipsPerPixel() : m_unit.twips);
}

double clsPressivo::xMeasure(double x) const {
    return measure(x + m_offsetX.toDouble());
}
double clsPressivo::yMeasure(double y) const {
    return measure(y + m_offsetY.toDouble());
}

int clsPressivo::Orientation() const {
    const int surface = m_surface->Orientation();
    return surface == 0 ? 1 : surface == 1 ? 2 : m_orientation;
}

void clsPressivo::setOrientation(int orientation) {
    m_orientation = orientation;
    if (orientation == 1)
        m_surface->setOrientation(0);
    else if (orientation == 2)
        m_surface->setOrientation(1);
}

double clsPressivo::Width() const {
    m_width = m_surface->Orientation() == 1 ? m_surface->PaperHeight() : m_surface->PaperWidth();
    return m_width;
}

double clsPressivo::Height() const {
    m_height = m_surface->Orientation() == 1 ? m_surface->PaperWidth() : m_surface->PaperHeight();
    return m_height;
}

QString clsPressivo::FontName() const {
    return m_surface->FontName();
}
void clsPressivo::setFontName(const QString& name) {
    m_surface->setFontName(name);
}
float clsPressivo::FontSize() const {
    return float(m_surface->FontSize());
}
void clsPressivo::setFontSize(float size) {
    m_surface->setFontSize(std::max(size, 4.0f));
}
bool clsPressivo::FontBold() const {
    return m_surface->FontBold();
}
void clsPressivo::setFontBold(bool bold) {
    m_surface->setFontBold(bold);
}
bool clsPressivo::FontItalic() const {
    return m_surface->FontItalic();
}
void clsPressivo::setFontItalic(bool italic) {
    m_surface->setFontItalic(italic);
}

void clsPressivo::setCurrentX(float x) {
    m_currentX = x;
    m_surface->setCurrentX(xMeasure(double(x)));
}

void clsPressivo::setCurrentY(float y) {
    m_currentY = y;
    m_surface->setCurrentY(yMeasure(double(y)));
}

void clsPressivo::setOffsetX(const QVariant& offset) {
    m_offsetX = offset;
    m_currentX = float(double(m_currentX) + offset.toDouble() * twipsPerUnit());
    m_surface->setCurrentX(double(m_currentX));
}

void clsPressivo::setOffsetY(const QVariant& offset) {
    m_offsetY = offset;
    m_currentY = float(double(m_currentY) + offset.toDouble() * twipsPerUnit());
    m_surface->setCurrentY(double(m_currentY));
}

int clsPressivo::TextAlign() const {
    for (const TextAlignment align :
         {TextAlignment::Left, TextAlignment::Right, TextAlignment::Centre}) {
        if (styleAlignment(int(align)) == m_surface->TextAlign())
            return int(align);
    }
    return m_textAlign;
}

void clsPressivo::setTextAlign(int align) {
    m_textAlign = align;
    if (const auto style = styleAlignment(align))
        m_surface->setTextAlign(*style);
}

qint32 clsPressivo::TextColor() const {
    return m_surface->TextColor();
}
void clsPressivo::setTextColor(qint32 colour) {
    m_surface->setTextColor(colour);
}
qint32 clsPressivo::BrushColor() const {
    return m_surface->BrushColor();
}
void clsPressivo::setBrushColor(qint32 colour) {
    m_surface->setBrushColor(colour);
}
int clsPressivo::BrushStyle() const {
    return m_surface->BrushStyle();
}
void clsPressivo::setBrushStyle(int style) {
    m_surface->setBrushStyle(style);
}
int clsPressivo::Pages() const {
    return m_surface->PageCount();
}

pressivo::Destination clsPressivo::SelectPrintDestination(const QVariant& devicesDisabled,
                                                          bool noPrompt) {
    CursoreNormale();
    const int disabled = devicesDisabled.isValid() ? devicesDisabled.toInt() : -1;
    const DestinationRequest request = chooseDestination(
        m_ui, *m_surface, disabled >= 0 && disabled <= 2 ? disabled : -1, m_copies, noPrompt);
    const int answer = request.DestinazioneStampa;
    m_printDestination = answer >= pressivo::Discard && answer <= pressivo::File
                             ? pressivo::Destination(answer)
                             : pressivo::Discard;
    if (m_printDestination == pressivo::File)
        m_fileName = request.FileName;
    return m_printDestination;
}

void clsPressivo::ClipTo(double x1, double y1, double x2, double y2) {
    m_surface->ClipTo(
        QRectF(QPointF(xMeasure(x1), yMeasure(y1)), QPointF(xMeasure(x2), yMeasure(y2))));
}

void clsPressivo::ClipNone() {
    m_surface->ClipTo();
}

void clsPressivo::TurnQuarter(double x1, double y1, double x2, double y2) {
    m_frame.turnQuarter(pageTwips(x1, y1, x2, y2));
    m_surface->TurnQuarter(m_frame.turned());
}

void clsPressivo::TurnNone() {
    m_frame.turnQuarter({});
    m_surface->TurnQuarter();
}

void clsPressivo::Rotate(double x1, double y1, double x2, double y2, double degrees) {
    const QPointF centre = m_frame.rotate(pageTwips(x1, y1, x2, y2), degrees);
    m_surface->Rotate(centre, degrees);
}

void clsPressivo::RotateNone() {
    m_frame.rotate({}, 0);
    m_surface->Rotate({}, 0);
}

QRectF clsPressivo::pageTwips(double x1, double y1, double x2, double y2) const {
    return QRectF(QPointF(xMeasure(x1), yMeasure(y1)), QPointF(xMeasure(x2), yMeasure(y2)))
        .normalized();
}

void clsPressivo::DrawLine(double x1, double y1, double x2, double y2, const QVariant& color,
                           const QVariant& tipoLinea, const QVariant& penColor,
                           const QVariant& penWidth) {
    const qint32 savedColour = m_surface->PenColor();
    const double savedWidth = m_surface->PenWidth();
    m_surface->setPenStyle(printcodes::SolidPen);
    if (given(color))
        m_surface->setBrushColor(color.toInt());
    if (given(penWidth)) {
        switch (penWidth.toInt()) {
        case 1:
            m_surface->setPenWidth(0);
            break;
        case 2:
            m_surface->setPenWidth(units::millimetresToTwips(0.4));
            break;
        case 3:
            m_surface->setPenWidth(units::millimetresToTwips(0.8));
            break;
        default:
            break;
        }
    }
    if (given(penColor))
        m_surface->setPenColor(penColor.toInt());
    if (!given(tipoLinea)) {
        m_surface->DrawLine(xMeasure(x1), yMeasure(y1), xMeasure(x2), yMeasure(y2));
    } else if (tipoLinea.toString() == u"B") {
        m_surface->setBrushStyle(printcodes::NoBrush);
        m_surface->DrawRectangle(xMeasure(x1), yMeasure(y1), xMeasure(x2), yMeasure(y2));
    } else if (tipoLinea.toString() == u"BF") {
        m_surface->setBrushStyle(printcodes::SolidBrush);
        m_surface->DrawRectangle(xMeasure(x1), yMeasure(y1), xMeasure(x2), yMeasure(y2));
    }
    m_surface->setPenColor(savedColour);
    m_surface->setPenWidth(savedWidth);
}

void clsPressivo::DrawCircle(double x1, double y1, double radius) {
    m_surface->setBrushStyle(printcodes::NoBrush);
    m_surface->DrawCircle(xMeasure(x1), yMeasure(y1), measure(radius));
}

void clsPressivo::DrawText(const QString& textToPrint) {
    const double marginLeft = m_surface->MarginLeft();
    m_surface->setMarginLeft(m_surface->CurrentX());
    const double marginTop = m_surface->MarginTop();
    if (m_surface->CurrentY() < marginTop &&
        m_surface->CurrentY() < m_surface->PaperHeight() - m_surface->MarginBottom())
        m_surface->setMarginTop(m_surface->CurrentY());
    m_surface->setText(textToPrint + u'\r');
    m_surface->setMarginLeft(marginLeft);
    m_surface->setMarginTop(marginTop);
}

void clsPressivo::NewPage() {
    m_surface->NewPage();
}
void clsPressivo::KillDoc() {
    m_surface->KillDoc();
}
void clsPressivo::StartDoc() {
    m_surface->StartDoc();
    // A print going to a PDF file is written while it is drawn.
    const QString file = m_fileName.toString();
    if (m_printDestination == pressivo::File &&
        filedelivery::formatOf(file) == filedelivery::Format::Pdf)
        m_surface->streamToPdf(file);
}

bool clsPressivo::EndDoc() {
    m_surface->EndDoc();
    switch (m_printDestination) {
    case pressivo::Discard:
        m_surface->KillDoc();
        return true;
    case pressivo::Preview:
        CursoreNormale();
        m_ui.showPreview();
        return true;
    case pressivo::Printer:
        // One job of all the copies: the printer collates them and the queue shows one job.
        if (m_copies < 1)
            return true; // no copies asked, none printed
        m_surface->setCopies(m_copies);
        return m_surface->setAction(pressivo::PrintDocument);
    case pressivo::File: {
        const QString file = m_fileName.toString();
        const int dotsPerInch = m_frame.dotTwips() > 0
                                    ? int(std::lround(units::TwipsPerInch / m_frame.dotTwips()))
                                    : zploutput::DefaultDotsPerInch;
        CursoreAttesa();
        QString error;
        const bool saved = filedelivery::write(*m_surface, file, dotsPerInch, &error);
        CursoreNormale();
        if (!saved)
            MessageService::current().warn(
                QStringLiteral("Impossibile salvare la stampa in %1: %2").arg(file, error),
                QStringLiteral("Stampa"));
        return saved;
    }
    }
    return true;
}

void clsPressivo::PaintPicture(const QImage& picture, double x1, double y1, const QVariant& width,
                               const QVariant& height) {
    const auto twips = [this](const QVariant& size) {
        return given(size) ? std::optional(measure(size.toDouble())) : std::nullopt;
    };
    m_surface->DrawPicture(picture, xMeasure(x1), yMeasure(y1), twips(width), twips(height));
}

void clsPressivo::ManageFilePrinted() {
    CursoreNormale();
    const QString file = m_ui.chooseSavedPrint(programfolders::printsFolder());
    if (!file.isEmpty())
        SendSavedPrint(file, 2);
}

void clsPressivo::SendSavedPrint(const QString& file, const QVariant& devicesDisabled) {
    if (SelectPrintDestination(devicesDisabled, false) == pressivo::Discard)
        return;
    // To a file, the name is the one chosen: never the saved print itself.
    if (m_printDestination != pressivo::File)
        m_fileName = file;
    m_surface->EndDoc();
    if (const auto error = m_surface->LoadDoc(file)) {
        MessageService::current().warn(userMessage(error->number, error->description),
                                       QStringLiteral("Gestione stampe"));
        return;
    }
    EndDoc();
}

void clsPressivo::DrawTextBox(const QString& textToPrint, float x, float y, float width,
                              float height, bool shade) {
    m_surface->setPenStyle(printcodes::NoPen);
    m_surface->TextBox(textToPrint, xMeasure(x), yMeasure(y), measure(width), measure(height),
                       shade);
}

QString clsPressivo::DrawSymbol(barcode::Symbology symbology, const QString& text, double left,
                                double top, double width, double height,
                                const barcode::Options& options) {
    const double mm = MillimetreTwips;
    return drawSymbol(symbolPlace(), symbology, text,
                      {left * mm, top * mm, width * mm, height * mm}, options);
}

SymbolPlace clsPressivo::symbolPlace() const {
    return {*m_surface, offsetTwips(), m_frame.dotTwips(), m_frame.dotOrigin(), m_barcodeText};
}
