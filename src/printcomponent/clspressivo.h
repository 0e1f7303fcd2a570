// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/units.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVariant>

#include "barcode/barcodeencoding.h"
#include "barcode/barcodeoptions.h"
#include "barcode/symbology.h"
#include "printcomponent/drawingframe.h"
#include "printcomponent/filedelivery.h"
#include "printcomponent/pressivocodes.h"
#include "printcomponent/symboldrawing.h"

#include <functional>
#include <vector>

class PressivoUi;
class PrintSurface;

// The print output component: every page of a print is drawn through one clsPressivo, in the
// unit of ScaleMode (millimetres by default), and EndDoc hands the finished document to the
// destination chosen.
class clsPressivo {
public:
    explicit clsPressivo(PressivoUi& ui);
    clsPressivo();
    // Only draws on the surface of `ui` (the design surface's elements): the margins of the
    // settings are neither read nor written.
    struct DrawingOnly {};
    clsPressivo(PressivoUi& ui, DrawingOnly);
    ~clsPressivo();
    clsPressivo(const clsPressivo&) = delete;
    clsPressivo& operator=(const clsPressivo&) = delete;

    PrintSurface& surface() const { return *m_surface; }

    QVariant FileName() const { return m_fileName; }
    // The file chosen is a label printer's ZPL (its name ends in .zpl).
    bool writesZpl() const { return writesFile(filedelivery::Format::Zpl); }
    // The file chosen is a saved print (neither .pdf nor .zpl).
    bool writesSavedPrint() const { return writesFile(filedelivery::Format::SavedPrint); }
    void setFileName(const QVariant& name) { m_fileName = name; }
    int Orientation() const;
    void setOrientation(int orientation);
    double Width() const;
    double Height() const;
    qint16 Copies() const { return m_copies; }
    void setCopies(qint16 copies) { m_copies = copies; }
    int ScaleMode() const { return m_scaleMode; }
    void setScaleMode(int mode);
    pressivo::Destination PrintDestination() const { return m_printDestination; }
    void setPrintDestination(pressivo::Destination destination) {
        m_printDestination = destination;
    }
    QString FontName() const;
    void setFontName(const QString& name);
    float FontSize() const;
    void setFontSize(float size);
    bool FontBold() const;
    void setFontBold(bool bold);
    bool FontItalic() const;
    void setFontItalic(bool italic);
    float CurrentX() const { return m_currentX; }
    void setCurrentX(float x);
    float CurrentY() const { return m_currentY; }
    void setCurrentY(float y);
    QVariant OffsetX() const { return m_offsetX; }
    void setOffsetX(const QVariant& offset);
    QVariant OffsetY() const { return m_offsetY; }
    void setOffsetY(const QVariant& offset);
    int TextAlign() const;
    void setTextAlign(int align);
    qint32 TextColor() const;
    void setTextColor(qint32 colour);
    qint32 BrushColor() const;
    void setBrushColor(qint32 colour);
    int BrushStyle() const;
    void setBrushStyle(int style);
    int Pages() const;

    // Asks for the destination (or takes the printer when noPrompt) and returns it, Discard
    // when cancelled.
    pressivo::Destination SelectPrintDestination(const QVariant& devicesDisabled = {},
                                                 bool noPrompt = false);
    // A line; with tipoLinea "B" a box, "BF" a filled box.
    void DrawLine(double x1, double y1, double x2, double y2, const QVariant& color = {},
                  const QVariant& tipoLinea = {}, const QVariant& penColor = {},
                  const QVariant& penWidth = {});
    void DrawCircle(double x1, double y1, double radius);
    // What is drawn next stays inside the box from (x1, y1) to (x2, y2), measured as DrawLine
    // measures; ClipNone lets it reach the whole page again.
    void ClipTo(double x1, double y1, double x2, double y2);
    void ClipNone();
    // What is drawn next, measured as DrawLine measures, is turned a quarter clockwise about
    // the box's top-left corner and laid down from there; TurnNone stops it.
    void TurnQuarter(double x1, double y1, double x2, double y2);
    void TurnNone();
    // What is drawn next is turned `degrees` clockwise about the centre of the box (measured
    // as DrawLine measures); on a printer's dots about the dot nearest to it, so that turned
    // bars keep whole dots. RotateNone stops it.
    void Rotate(double x1, double y1, double x2, double y2, double degrees);
    void RotateNone();
    // The box, measured as DrawLine measures, in twips on the page.
    QRectF pageTwips(double x1, double y1, double x2, double y2) const;
    void DrawText(const QString& textToPrint = {});
    void NewPage();
    void KillDoc();
    void StartDoc();
    // Delivers the document; false when it could not be delivered (the user was told why).
    bool EndDoc();
    void PaintPicture(const QImage& picture, double x1, double y1, const QVariant& width = {},
                      const QVariant& height = {});
    void ManageFilePrinted();
    // A saved print to the destination the user chooses (the preview, a printer, a PDF or
    // another saved print); `devicesDisabled` as SelectPrintDestination takes it.
    void SendSavedPrint(const QString& file, const QVariant& devicesDisabled = {});
    void DrawTextBox(const QString& textToPrint, float x, float y, float width, float height,
                     bool shade);

    // Any symbology with its options, in millimetres like the others, without messages. The
    // reason when nothing could be drawn (see drawSymbol); empty otherwise.
    QString DrawSymbol(barcode::Symbology symbology, const QString& text, double left, double top,
                       double width, double height, const barcode::Options& options = {});
    // Where the barcodes drawn next put their text.
    void setBarcodeTextPosition(barcode::TextPosition position) { m_barcodeText = position; }
    // The printer's resolution: barcodes are drawn on its dots (whole dots a module); 0, as
    // on screen and in PDFs, stretches them to their box.
    // `origin`: where the printer's printable area starts on the page, in twips; its dots lie
    // on a grid from there (a driver whose margins are no whole number of dots).
    void setDotsPerInch(int dotsPerInch, QPointF origin = {}) {
        m_frame.setDots(dotsPerInch > 0 ? units::TwipsPerInch / dotsPerInch : 0, origin);
    }

    // The unit word of ScaleMode and the twips in one unit (0 outside the unit table).
    QString unitWord() const { return m_unitWord; }
    double twipsPerUnit() const;

private:
    bool writesFile(filedelivery::Format format) const {
        return m_printDestination == pressivo::File &&
               filedelivery::formatOf(m_fileName.toString()) == format;
    }
    // A measure in the unit of ScaleMode (plus the offset, for positions) in twips.
    double measure(double value) const;
    double xMeasure(double x) const;
    double yMeasure(double y) const;
    QPointF offsetTwips() const;
    SymbolPlace symbolPlace() const;

    PressivoUi& m_ui;
    PrintSurface* m_surface;
    bool m_keepsMargins = true;
    int m_scaleMode = 6;
    QString m_unitWord = QStringLiteral("mm");
    pressivo::Unit m_unit = *pressivo::unitOf(pressivo::Millimetre);
    QVariant m_offsetX = 0;
    QVariant m_offsetY = 0;
    float m_currentX = 0;
    float m_currentY = 0;
    qint16 m_copies = 1;
    pressivo::Destination m_printDestination = pressivo::Discard;
    QVariant m_fileName;
    int m_orientation = 0;
    int m_textAlign = 0;
    barcode::TextPosition m_barcodeText = barcode::TextPosition::Sotto;
    DrawingFrame m_frame;
    mutable double m_width = 0;
    mutable double m_height = 0;
};
