// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <unordered_map>
#include <vector>

// The codes of the drawing state, as the print component's callers pass them.
namespace printcodes {
enum PenStyle : int { SolidPen = 0, DashPen = 1, DotPen = 2, NoPen = 5 };
enum BrushStyle : int { SolidBrush = 0, NoBrush = 1 };
enum Alignment : int { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };
enum VerticalAlignment : int { AlignTop = 0, AlignMiddle = 1, AlignBottom = 2 };
} // namespace printcodes

// A paged document built from drawing calls, in twips from the top-left corner of the paper.
// Pictures are held once however often they are drawn.
struct DrawStyle {
    int penStyle = printcodes::SolidPen;
    double penWidth = 0; // twips; 0 is the thinnest line the device draws
    QRgb penColor = 0xff000000;
    int brushStyle = printcodes::SolidBrush;
    QRgb brushColor = 0xffffffff;
    QString fontName = QStringLiteral("Arial");
    double fontSize = 10; // points
    bool fontBold = false;
    bool fontItalic = false;
    QRgb textColor = 0xff000000;
    int textAlign = printcodes::AlignLeft;
    bool fontUnderline = false;
    int textVertical = printcodes::AlignTop;

    bool operator==(const DrawStyle&) const = default;
};

struct DrawOp {
    // Clip: what follows on the page draws only inside `area`, until the next Clip (an empty
    // area: everywhere again). Turn: what follows, up to the next Turn (an empty area: none),
    // is turned a quarter clockwise, `area` onto the page as it lies there, with the same
    // top-left corner. Rotate: what follows, up to the next Rotate (of 0 degrees: none), is
    // turned `measure` degrees clockwise about the centre of `area`, within any Turn.
    enum class Kind : quint8 {
        Line,
        Rectangle,
        Circle,
        Picture,
        Text,
        TextBox,
        Clip,
        Turn,
        Ellipse,
        Rotate
    };
    static constexpr Kind LastKind = Kind::Rotate;
    Kind kind = Kind::Line;
    QRectF area;        // Line: from topLeft to bottomRight; Circle: centre and radius in width
    double measure = 0; // Rotate: degrees; Rectangle: the corners' radius in twips
    int style = 0;      // index into PrintDocument::styles
    int picture = -1;   // index into PrintDocument::pictures
    QString text;
    bool shade = false; // TextBox: filled with the brush

    bool operator==(const DrawOp&) const = default;
};

// A page's drawing steps. A finished page waiting to be shown or written can be packed: its
// steps compressed into a few bytes (a page of labels keeps thousands of steps), `ops` empty.
struct PrintPage {
    std::vector<DrawOp> ops;
    QByteArray packed;

    bool isPacked() const { return !packed.isEmpty(); }
    void pack();
    // The steps, unpacked when the page is packed.
    std::vector<DrawOp> operations() const;
    bool operator==(const PrintPage& other) const { return operations() == other.operations(); }
};

class PrintDocument {
public:
    QSizeF paper{11906, 16838}; // twips, as printed (landscape already swapped)
    // Drawn for a printer, with the offsets its head needs (twips right and down); nothing when
    // drawn where the layout puts the labels (the preview, saved prints): a printer then moves
    // them by its own offsets as it prints them.
    std::optional<QPointF> calibration;
    std::vector<PrintPage> pages;
    // Some step or style holds what only this version's saved prints hold (a turned element,
    // round corners, underlined or vertically placed texts): saved prints without any keep the
    // format older programs read.
    bool extended = false;
    std::vector<DrawStyle> styles;
    std::vector<QImage> pictures;

    // Index of a style, adding it when new.
    int styleIndex(const DrawStyle& style);
    // Index of a picture, adding it when this image has not been drawn before.
    int pictureIndex(const QImage& picture);

    void clear();
    bool operator==(const PrintDocument& other) const;

private:
    std::unordered_map<qint64, int> m_pictureByKey;
};
