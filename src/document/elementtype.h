// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/labelelement.h"

#include "document/jsonfields.h"
#include <QImage>

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <span>
#include <utility>

// What an element shows: its own text or a field's value; for a picture, the image.
struct ElementContent {
    QString text;
    const QImage* picture = nullptr;
};

// What an element's value is when a field or placeholders fill it.
enum class ValueKind { None, Text, Symbol, Picture };

// How a text is set.
struct TextStyle {
    QString font;
    float points = 10;
    bool bold = false;
    bool italic = false;
    qint32 colour = colors::Black;
    TextAlignment alignment = TextAlignment::Left;
    qint32 background = colors::White;
    bool opaque = false;
    bool underline = false;
    VerticalAlignment vertical = VerticalAlignment::Alto;
    bool fit = false; // shrunk to fit its box, down to MinimumFitPoints
};
inline constexpr float MinimumFitPoints = 4;

// An outline and its inside.
struct ShapeStyle {
    qint32 fill = colors::White;
    bool filled = false;
    qint32 border = colors::Black;
    qint16 borderPixels = 1; // when no width in millimetres is given
    double borderMm = 0;
    LineStyle dash = LineStyle::Continua;
    double radiusMm = 0; // rectangles' corners
};

// Where elements draw themselves: the one renderer, for the design surface, the preview, PDFs,
// printers and saved prints alike. Boxes are in millimetres on the page.
class ElementCanvas {
public:
    virtual ~ElementCanvas() = default;
    virtual void text(const TextStyle& style, const QString& text, const QRectF& box) = 0;
    // The reason when `text` makes no symbol of the barcode's parameters (nothing drawn then).
    virtual QString symbol(const LabelElement& barcode, const QString& text, const QRectF& box) = 0;
    virtual void picture(const QImage& picture, const QRectF& box) = 0;
    virtual void rectangle(const QRectF& box, const ShapeStyle& style) = 0;
    virtual void ellipse(const QRectF& box, const ShapeStyle& style) = 0;
    virtual void line(QPointF from, QPointF to, const ShapeStyle& style) = 0;
};

// Properties stored beyond a kind's own lines in the label file, by name, in a section older
// programs skip.
using ElementDetails = QList<std::pair<QString, QString>>;

// The value lines of an element's section in a label file, read one at a time; a line that
// is not what its property takes ends the read with the file's error.
class ElementLinesIn {
public:
    virtual ~ElementLinesIn() = default;
    virtual QString text() = 0;
    virtual QString trimmedText() = 0;
    virtual double number() = 0;
    // A whole number as font sizes and codes are stored (see the label file format).
    virtual float wholeNumber() = 0;
    virtual bool boolean() = 0;
    virtual qint32 colour() = 0;
    virtual Background backStyle() = 0;
    virtual TextAlignment alignment() = 0;
    // A line's width in millimetres (0.05 to 5) and its style.
    virtual float lineWidth() = 0;
    virtual LineStyle lineStyle() = 0;
    // The element's place in the stacking ("1" in front, "2" behind).
    virtual void depth(const LabelElement& element) = 0;
    // The picture a path of the file names, null when no readable file is there.
    virtual QImage picture(const QString& asWritten) = 0;
};

// The value lines written for an element; `property` names the value in the message a text
// Windows-1252 cannot hold produces.
class ElementLinesOut {
public:
    virtual ~ElementLinesOut() = default;
    virtual void text(const QString& value, const char* property) = 0;
    virtual void number(double value) = 0;
    virtual void number(float value) = 0;
    virtual void number(qint32 value) = 0;
    virtual void boolean(bool value) = 0;
    virtual void depth() = 0;
};

// Everything the program knows of one kind of element: its name in files, its words for
// users, what a new one starts as, how it is read, written, described as JSON, copied and
// drawn. A kind is one class registered in elementtype.cpp.
class ElementType {
public:
    virtual ~ElementType() = default;

    virtual ElementKind kind() const = 0;
    // The section key in label files: "oggTesto".
    virtual QString fileKey() const = 0;
    // "testo" / "testi".
    virtual QString caption(int count) const = 0;
    // The element as its user knows it, by what is written in it: "il testo \"Prezzo\"".
    virtual QString describe(const LabelElement& element) const = 0;
    // What a new element starts as (kind and size set; placed by its maker).
    virtual LabelElement makeTemplate() const = 0;

    virtual ValueKind value() const { return ValueKind::None; }
    // The value written in the element itself (a field or placeholders may replace it).
    virtual QString ownValue(const LabelElement&) const { return {}; }
    virtual void setOwnValue(LabelElement&, const QString&) const {}
    // Why a value typed for the element would not print as typed (a wrong check digit), in
    // words for the user; empty when it would.
    virtual QString valueProblem(const LabelElement&, const QString&) const { return {}; }
    // What the design surface shows.
    virtual ElementContent designContent(const LabelElement&) const { return {}; }

    // The section's value lines after the four of the box.
    virtual void read(ElementLinesIn& in, LabelElement& element) const = 0;
    virtual void write(ElementLinesOut& out, const LabelElement& element) const = 0;
    // What the kind keeps beyond its lines; a detail it does not know is ignored.
    virtual void writeDetails(const LabelElement&, ElementDetails&) const {}
    virtual void readDetail(LabelElement&, const QString& /*name*/, QStringView /*value*/) const {}
    // The kind's own properties as JSON, both ways (the caller handles the common ones).
    virtual void jsonFields(JsonFields& fields, LabelElement& element) const = 0;
    // A pasted copy takes the original's properties (the kind's own ones).
    virtual void copyProperties(const LabelElement& from, LabelElement& to) const = 0;

    // Draws the element with its content in `box`; the reason a value could not be drawn,
    // empty when it was.
    virtual QString draw(const LabelElement& element, const ElementContent& content,
                         const QRectF& box, ElementCanvas& canvas) const = 0;

    // What the designer's commands apply to.
    virtual bool hasFont() const { return false; }
    virtual bool hasFill() const { return false; }
    virtual bool hasBorder() const { return false; }
    // Drawn from one corner of its box to the opposite one: grips at its two ends only.
    virtual bool isSegment() const { return false; }
};

const ElementType& elementType(ElementKind kind);
inline const ElementType& typeOf(const LabelElement& element) {
    return elementType(element.kind);
}
// Every kind, in the order of ElementKind.
std::span<const ElementType* const> elementTypes();
