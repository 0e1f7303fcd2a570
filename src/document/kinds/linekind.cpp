// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/kinds/kinds.h"

#include "document/elementtype.h"

namespace {

// A line across its box, from one corner to the opposite one: horizontal and vertical lines
// have a box with no height or no width.
class LineKind final : public ElementType {
public:
    ElementKind kind() const override { return ElementKind::Linea; }
    QString fileKey() const override { return QStringLiteral("oggLinea"); }
    QString caption(int count) const override {
        return count == 1 ? QStringLiteral("linea") : QStringLiteral("linee");
    }
    QString describe(const LabelElement&) const override { return QStringLiteral("una linea"); }
    LabelElement makeTemplate() const override {
        LabelElement e;
        e.kind = kind();
        e.Width = 1935;
        e.Height = 0;
        e.SpessoreMm = 0.3f;
        return e;
    }

    void read(ElementLinesIn& in, LabelElement& e) const override {
        e.Ascendente = in.boolean();
        e.SpessoreMm = in.lineWidth();
        e.TipoLinea = in.lineStyle();
        e.BorderColor = in.colour();
        in.depth(e);
    }
    void write(ElementLinesOut& out, const LabelElement& e) const override {
        out.boolean(e.Ascendente);
        out.number(e.SpessoreMm);
        out.number(qint32(e.TipoLinea));
        out.number(e.BorderColor);
        out.depth();
    }
    void jsonFields(JsonFields& f, LabelElement& e) const override {
        f.flag("Ascendente", e.Ascendente);
        f.number("SpessoreMm", e.SpessoreMm);
        if (f.reading() && (e.SpessoreMm < 0.1f || e.SpessoreMm > 5))
            f.refuse("SpessoreMm", "tra 0,1 e 5 mm");
        f.code("TipoLinea", e.TipoLinea);
        f.number("BorderColor", e.BorderColor);
    }
    void copyProperties(const LabelElement& from, LabelElement& to) const override {
        to.Ascendente = from.Ascendente;
        to.SpessoreMm = from.SpessoreMm;
        to.TipoLinea = from.TipoLinea;
        to.BorderColor = from.BorderColor;
    }

    QString draw(const LabelElement& e, const ElementContent&, const QRectF& box,
                 ElementCanvas& canvas) const override {
        ShapeStyle style;
        style.border = e.BorderColor;
        style.borderMm = e.SpessoreMm;
        style.dash = e.TipoLinea;
        if (e.Ascendente)
            canvas.line(box.bottomLeft(), box.topRight(), style);
        else
            canvas.line(box.topLeft(), box.bottomRight(), style);
        return {};
    }

    bool hasBorder() const override { return true; }
    bool isSegment() const override { return true; }
};

} // namespace

const ElementType& kinds::line() {
    static const LineKind kind;
    return kind;
}
