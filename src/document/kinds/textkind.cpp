// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/kinds/kinds.h"

#include "common/numbers.h"
#include "document/elementtype.h"

#include <algorithm>

namespace {

// A text: one line of its own words, placeholders or a field's value, in a box.
class TextKind final : public ElementType {
public:
    ElementKind kind() const override { return ElementKind::Testo; }
    QString fileKey() const override { return QStringLiteral("oggTesto"); }
    QString caption(int count) const override {
        return count == 1 ? QStringLiteral("testo") : QStringLiteral("testi");
    }
    QString describe(const LabelElement& e) const override {
        return QStringLiteral("il testo \"%1\"").arg(e.Caption.left(40));
    }
    LabelElement makeTemplate() const override {
        LabelElement e;
        e.kind = kind();
        e.Caption = QStringLiteral("abc");
        e.FontName = QStringLiteral("Microsoft Sans Serif");
        e.FontSize = 10;
        e.Width = 1000;
        e.Height = 255;
        return e;
    }

    ValueKind value() const override { return ValueKind::Text; }
    QString ownValue(const LabelElement& e) const override { return e.Caption; }
    void setOwnValue(LabelElement& e, const QString& value) const override { e.Caption = value; }
    ElementContent designContent(const LabelElement& e) const override { return {e.Caption}; }

    void read(ElementLinesIn& in, LabelElement& e) const override {
        e.Caption = in.text();
        e.FontName = in.text();
        // Whole points, as the font controls offer them; sizes the font system cannot take
        // are brought into its range rather than losing the rest of the label.
        e.FontSize = std::clamp(in.wholeNumber(), 1.0f, 1638.0f);
        e.FontBold = in.boolean();
        e.FontItalic = in.boolean();
        e.BackStyle = in.backStyle();
        e.Alignment = in.alignment();
        e.BackColor = in.colour();
        e.ForeColor = in.colour();
        e.DataMember = in.text();
        in.depth(e);
    }
    void write(ElementLinesOut& out, const LabelElement& e) const override {
        out.text(e.Caption, "Caption");
        out.text(e.FontName, "FontName");
        out.number(e.FontSize);
        out.boolean(e.FontBold);
        out.boolean(e.FontItalic);
        out.number(qint32(e.BackStyle));
        out.number(qint32(e.Alignment));
        out.number(e.BackColor);
        out.number(e.ForeColor);
        out.text(e.DataMember, "DataMember");
        out.depth();
    }
    void jsonFields(JsonFields& f, LabelElement& e) const override {
        f.text("Caption", e.Caption);
        f.text("FontName", e.FontName);
        f.number("FontSize", e.FontSize);
        f.flag("FontBold", e.FontBold);
        f.flag("FontItalic", e.FontItalic);
        f.code("BackStyle", e.BackStyle);
        f.code("Alignment", e.Alignment);
        f.number("BackColor", e.BackColor);
        f.number("ForeColor", e.ForeColor);
        f.text("DataMember", e.DataMember);
    }
    void copyProperties(const LabelElement& from, LabelElement& to) const override {
        to.Caption = from.Caption;
        to.FontName = from.FontName;
        to.FontSize = ValoreIntero(double(from.FontSize));
        to.FontBold = from.FontBold;
        to.FontItalic = from.FontItalic;
        to.BackStyle = from.BackStyle;
        to.Alignment = from.Alignment;
        to.ForeColor = from.ForeColor;
        to.BackColor = from.BackColor;
        to.DataMember = from.DataMember;
    }

    QString draw(const LabelElement& e, const ElementContent& content, const QRectF& box,
                 ElementCanvas& canvas) const override {
        TextStyle style;
        style.font = e.FontName;
        // Printed in whole points, rounded half to even as labels always were.
        style.points = ValoreIntero(double(e.FontSize));
        style.bold = e.FontBold;
        style.italic = e.FontItalic;
        style.colour = e.ForeColor;
        style.alignment = e.Alignment;
        style.background = e.BackColor;
        style.opaque = e.BackStyle != Background::Transparent;
        canvas.text(style, content.text, box);
        return {};
    }

    bool hasFont() const override { return true; }
    bool hasFill() const override { return true; }
};

} // namespace

const ElementType& kinds::text() {
    static const TextKind kind;
    return kind;
}
