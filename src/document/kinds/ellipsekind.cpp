// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/kinds/kinds.h"

#include "document/elementtype.h"

namespace {

// An ellipse inside its box (a circle in a square one), outlined and filled or not.
class EllipseKind final : public ElementType {
public:
    ElementKind kind() const override { return ElementKind::Ellisse; }
    QString fileKey() const override { return QStringLiteral("oggEllisse"); }
    QString caption(int count) const override {
        return count == 1 ? QStringLiteral("ellisse") : QStringLiteral("ellissi");
    }
    QString describe(const LabelElement&) const override { return QStringLiteral("un'ellisse"); }
    LabelElement makeTemplate() const override {
        LabelElement e;
        e.kind = kind();
        e.Width = 1035;
        e.Height = 1035;
        e.SpessoreMm = 0.3f;
        return e;
    }

    void read(ElementLinesIn& in, LabelElement& e) const override {
        e.BackStyle = in.backStyle();
        e.BackColor = in.colour();
        e.BorderColor = in.colour();
        e.SpessoreMm = in.lineWidth();
        in.depth(e);
    }
    void write(ElementLinesOut& out, const LabelElement& e) const override {
        out.number(qint32(e.BackStyle));
        out.number(e.BackColor);
        out.number(e.BorderColor);
        out.number(e.SpessoreMm);
        out.depth();
    }
    void jsonFields(JsonFields& f, LabelElement& e) const override {
        f.code("BackStyle", e.BackStyle);
        f.number("BackColor", e.BackColor);
        f.number("BorderColor", e.BorderColor);
        f.number("SpessoreMm", e.SpessoreMm);
        if (f.reading() && (e.SpessoreMm < 0.1f || e.SpessoreMm > 5))
            f.refuse("SpessoreMm", "tra 0,1 e 5 mm");
    }
    void copyProperties(const LabelElement& from, LabelElement& to) const override {
        to.BackStyle = from.BackStyle;
        to.BackColor = from.BackColor;
        to.BorderColor = from.BorderColor;
        to.SpessoreMm = from.SpessoreMm;
    }

    QString draw(const LabelElement& e, const ElementContent&, const QRectF& box,
                 ElementCanvas& canvas) const override {
        ShapeStyle style;
        style.fill = e.BackColor;
        style.filled = e.BackStyle != Background::Transparent;
        style.border = e.BorderColor;
        style.borderMm = e.SpessoreMm;
        canvas.ellipse(box, style);
        return {};
    }

    bool hasFill() const override { return true; }
    bool hasBorder() const override { return true; }
};

} // namespace

const ElementType& kinds::ellipse() {
    static const EllipseKind kind;
    return kind;
}
