// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/kinds/kinds.h"

#include "common/numbers.h"
#include "document/elementtype.h"

#include <algorithm>

namespace {

// A text on one line of the file: backslashes and line breaks (any of CR LF, LF, CR) written
// as \\ and \n.
QString escaped(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QString line;
    for (const QChar c : text) {
        if (c == u'\\')
            line += QStringLiteral("\\\\");
        else if (c == u'\n')
            line += QStringLiteral("\\n");
        else
            line += c;
    }
    return line;
}

QString unescaped(QStringView line) {
    QString text;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'\\' && i + 1 < line.size()) {
            ++i;
            text += line[i] == u'n' ? QChar(u'\n') : line[i];
        } else {
            text += line[i];
        }
    }
    return text;
}

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
    // Beyond the section's own lines: the text's line breaks (its line holds them as blanks), the
    // vertical place, underline and fitting.
    void writeDetails(const LabelElement& e, ElementDetails& details) const override {
        if (e.Caption.contains(u'\n') || e.Caption.contains(u'\r'))
            details.append({QStringLiteral("Testo"), escaped(e.Caption)});
        if (e.AllineamentoVerticale != VerticalAlignment::Alto)
            details.append({QStringLiteral("AllineamentoVerticale"),
                            QString::number(int(e.AllineamentoVerticale))});
        if (e.FontUnderline)
            details.append({QStringLiteral("Sottolineato"), QStringLiteral("1")});
        if (e.Adatta)
            details.append({QStringLiteral("Adatta"), QStringLiteral("1")});
    }
    void readDetail(LabelElement& e, const QString& name, QStringView value) const override {
        if (name == u"Testo") {
            e.Caption = unescaped(value);
        } else if (name == u"AllineamentoVerticale") {
            if (value == u"1" || value == u"2")
                e.AllineamentoVerticale = VerticalAlignment(value.toInt());
        } else if (name == u"Sottolineato") {
            e.FontUnderline = value == u"1";
        } else if (name == u"Adatta") {
            e.Adatta = value == u"1";
        }
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
        f.code("AllineamentoVerticale", e.AllineamentoVerticale);
        if (f.reading() && (int(e.AllineamentoVerticale) < 0 || int(e.AllineamentoVerticale) > 2))
            f.refuse("AllineamentoVerticale", "0, 1 o 2");
        f.flag("Sottolineato", e.FontUnderline);
        f.flag("Adatta", e.Adatta);
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
        to.AllineamentoVerticale = from.AllineamentoVerticale;
        to.FontUnderline = from.FontUnderline;
        to.Adatta = from.Adatta;
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
        style.underline = e.FontUnderline;
        style.vertical = e.AllineamentoVerticale;
        style.fit = e.Adatta;
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
