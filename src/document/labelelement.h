// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "barcode/barcodeoptions.h"
#include "common/colors.h"

#include <QImage>
#include <QRectF>
#include <QString>

#include <cstddef>
#include <optional>

// How a text lines up in its box, with the values label files store.
enum class TextAlignment : qint16 { Left = 0, Right = 1, Centre = 2 };
// A text's or rectangle's background, with the values label files store.
enum class Background : qint16 { Transparent = 0, Opaque = 1 };
// Where a text's lines lie in the height of its box.
enum class VerticalAlignment : qint16 { Alto = 0, Centro = 1, Basso = 2 };
// How a line is drawn, with the values label files store.
enum class LineStyle : qint16 { Continua = 0, Tratteggiata = 1, Punteggiata = 2 };

// The kinds of element a label holds, named as in label files; each is described by its
// ElementType (elementtype.h), where the names and templates below are defined.
enum class ElementKind { Testo, Immagine, Picture, Rettangolo, Linea, Ellisse };
inline constexpr std::size_t ElementKindCount = 6;

// "oggTesto", "oggImmagine" (barcode), "oggPicture", "oggRettangolo".
QString kindName(ElementKind kind);
// Exact, case-sensitive match of a kind name.
std::optional<ElementKind> kindFromName(QStringView name);

// The key of element `index` of a kind: "oggTesto3".
QString elementKey(ElementKind kind, int index);

// One element of the label. Every kind carries every property; each kind uses its own
// (see the label file format). Geometry is in twips on the design surface.
struct LabelElement {
    ElementKind kind = ElementKind::Testo;
    qint16 Index = 0;

    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    bool Visible = false;

    // Text: its lines, separated by line breaks.
    QString Caption;
    QString FontName;
    float FontSize = 10;
    bool FontBold = false;
    bool FontItalic = false;
    TextAlignment Alignment = TextAlignment::Left;
    VerticalAlignment AllineamentoVerticale = VerticalAlignment::Alto;
    bool FontUnderline = false;
    // The font shrinks, never below 4 points, until the whole text fits its box.
    bool Adatta = false;

    // Text and rectangle.
    Background BackStyle = Background::Transparent;
    qint32 BackColor = colors::White;
    qint32 ForeColor = colors::Black;

    // Rectangle, line, ellipse: the line's colour.
    qint32 BorderColor = colors::Black;
    // Rectangle.
    qint16 BorderWidth = 1; // pixels: 1, 2 or 3
    float RaggioAngoli = 0; // the corners' radius, mm

    // Line, ellipse; rectangles when not 0 (then instead of BorderWidth): the line's width, mm.
    float SpessoreMm = 0;
    // Line.
    LineStyle TipoLinea = LineStyle::Continua;
    // Runs from the box's bottom-left corner up to its top-right one; else from its top-left
    // corner down to its bottom-right one.
    bool Ascendente = false;

    // Every kind: turned this many degrees clockwise (0, 90, 180 or 270) about its centre;
    // the box is where it lies turned.
    qint16 Rotazione = 0;

    // Text, barcode, picture: the linked field; empty when not linked.
    QString DataMember;
    // Barcode: its text; picture: the picture file's path.
    QString ToolTipText;
    // Barcode: symbology and text option digits; picture, rectangle: kept as is.
    QString Tag;
    // Barcode: what its Tag does not say (a further symbology, the module's width, ...).
    barcode::Options OpzioniBarcode;
    // Picture: the image loaded from ToolTipText.
    QImage Picture;
    // Picture: fitted inside its box, centred, without distortion; else stretched over it.
    bool MantieniProporzioni = false;

    // Where it lies, in surface twips.
    QRectF box() const { return QRectF(Left, Top, Width, Height); }
    void setBox(const QRectF& box) {
        Left = float(box.left());
        Top = float(box.top());
        Width = float(box.width());
        Height = float(box.height());
    }

    QString Name() const { return kindName(kind); }
    QString key() const { return elementKey(kind, Index); }

    // The template of a kind: what a new element starts as.
    static LabelElement makeTemplate(ElementKind kind);

    bool operator==(const LabelElement&) const = default;
};
