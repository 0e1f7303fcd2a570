// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/kinds/kinds.h"

#include "document/elementtype.h"

#include "common/numbers.h"

#include <algorithm>
#include <cmath>

namespace {

// A rectangle: a border of 1 to 3 pixels or a width in millimetres, filled or not, its
// corners square or round.
class RectangleKind final : public ElementType {
    static constexpr double MaximumRadiusMm = 1000;

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
    void writeDetails(const LabelElement& e, ElementDetails& details) const override {
        if (e.RaggioAngoli > 0)
            details.append({QStringLiteral("RaggioAngoli"),
                            numbers::formatPlain(double(e.RaggioAngoli), u'.')});
        if (e.SpessoreMm > 0)
            details.append(
                {QStringLiteral("SpessoreMm"), numbers::formatPlain(double(e.SpessoreMm), u'.')});
    }
    void readDetail(LabelElement& e, const QString& name, QStringView value) const override {
        const double number = numbers::parseAnySeparator(value).value_or(0);
        if (!std::isfinite(number) || number <= 0)
            return;
        if (name == u"RaggioAngoli")
            e.RaggioAngoli = float(std::min(number, MaximumRadiusMm));
        else if (name == u"SpessoreMm")
            e.SpessoreMm = float(std::clamp(number, 0.1, 5.0));
    }
    void jsonFields(JsonFields& f, LabelElement& e) const override {
        f.code("BackStyle", e.BackStyle);
        f.number("BackColor", e.BackColor);
        f.number("BorderColor", e.BorderColor);
        f.number("BorderWidth", e.BorderWidth);
        f.text("Tag", e.Tag);
        f.number("RaggioAngoli", e.RaggioAngoli);
        f.number("SpessoreMm", e.SpessoreMm);
        if (!f.reading())
            return;
        if (e.BorderWidth < 1 || e.BorderWidth > 3)
            f.refuse("BorderWidth", "1, 2 o 3");
        if (e.RaggioAngoli < 0 || e.RaggioAngoli > MaximumRadiusMm)
            f.refuse("RaggioAngoli", "tra 0 e 1000 mm");
        if (e.SpessoreMm != 0 && (e.SpessoreMm < 0.1f || e.SpessoreMm > 5))
            f.refuse("SpessoreMm", "0 oppure tra 0,1 e 5 mm");
    }
    void copyProperties(const LabelElement& from, LabelElement& to) const override {
        to.BackStyle = from.BackStyle;
        to.BackColor = from.BackColor;
        to.BorderColor = from.BorderColor;
        to.Tag = from.Tag;
        to.BorderWidth = from.BorderWidth;
        to.RaggioAngoli = from.RaggioAngoli;
        to.SpessoreMm = from.SpessoreMm;
    }

    QString draw(const LabelElement& e, const ElementContent&, const QRectF& box,
                 ElementCanvas& canvas) const override {
        ShapeStyle style;
        style.fill = e.BackColor;
        style.filled = e.BackStyle != Background::Transparent;
        style.border = e.BorderColor;
        style.borderPixels = e.BorderWidth;
        style.borderMm = e.SpessoreMm;
        style.radiusMm = e.RaggioAngoli;
        canvas.rectangle(box, style);
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
