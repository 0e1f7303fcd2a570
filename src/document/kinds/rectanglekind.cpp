// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/kinds/kinds.h"

#include "document/elementtype.h"

namespace {

// A rectangle: a border of 1 to 3 pixels, filled or not.
class RectangleKind final : public ElementType {
public:
    ElementKind kind() const override { return ElementKind::Rettangolo; }
    QString fileKey() const override { return QStringLiteral("oggRettangolo"); }
    QString caption(int count) const override {
        return count == 1 ? QStringLiteral("rettangolo") : QStringLiteral("rettangoli");
    }
    QString describe(const LabelElement&) const override { return QStringLiteral("un rettangolo"); }
    LabelElement makeTemplate() const override {
        LabelElement e;
        e.kind = kind();
        e.Width = 1935;
        e.Height = 1035;
        return e;
    }

    void read(ElementLinesIn& in, LabelElement& e) const override {
        e.BackStyle = in.backStyle();
        e.BackColor = in.colour();
        e.BorderColor = in.colour();
        e.Tag = in.trimmedText();
        in.depth(e);
        const double width = in.number();
        if (width == 1 || width == 2 || width == 3)
            e.BorderWidth = static_cast<qint16>(width);
    }
    void write(ElementLinesOut& out, const LabelElement& e) const override {
        out.number(qint32(e.BackStyle));
        out.number(e.BackColor);
        out.number(e.BorderColor);
        out.text(e.Tag, "Tag");
        out.depth();
        out.number(qint32(e.BorderWidth));
    }
    void toJson(const LabelElement& e, QJsonObject& o) const override {
        o.insert("BackStyle", int(e.BackStyle));
        o.insert("BackColor", e.BackColor);
        o.insert("BorderColor", e.BorderColor);
        o.insert("BorderWidth", e.BorderWidth);
        o.insert("Tag", e.Tag);
    }
    void copyProperties(const LabelElement& from, LabelElement& to) const override {
        to.BackStyle = from.BackStyle;
        to.BackColor = from.BackColor;
        to.BorderColor = from.BorderColor;
        to.Tag = from.Tag;
        to.BorderWidth = from.BorderWidth;
    }

    QString draw(const LabelElement& e, const ElementContent&, const QRectF& box,
                 ElementCanvas& canvas) const override {
        canvas.rectangle(box, ShapeStyle{e.BackColor, e.BackStyle != Background::Transparent,
                                         e.BorderColor, e.BorderWidth});
        return {};
    }

    bool hasFill() const override { return true; }
    bool hasBorder() const override { return true; }
};

} // namespace

const ElementType& kinds::rectangle() {
    static const RectangleKind kind;
    return kind;
}
