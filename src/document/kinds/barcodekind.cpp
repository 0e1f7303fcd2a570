// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/kinds/kinds.h"

#include "barcode/barcodeencoding.h"
#include "barcode/barcodeparameters.h"
#include "barcode/zintsymbol.h"
#include "document/elementtype.h"

namespace {

// A value a barcode element's symbology takes, shown while a linked or not yet valid element
// is designed.
QString sampleBarcodeText(const BarcodeParameters& parameters) {
    const auto symbology = parameters.symbology().value_or(barcode::Symbology::Code39);
    if (const auto kind = zintsymbol::fromTagDigit(int(symbology)))
        return zintsymbol::sampleValue(*kind);
    return symbology == barcode::Symbology::Ean13 ? QStringLiteral("8001234000011")
                                                  : QStringLiteral("000000");
}

// Whether the element's own text makes a symbol of its symbology.
bool encodable(const BarcodeParameters& parameters, const QString& text) {
    if (text.isEmpty())
        return false;
    const auto symbology = parameters.symbology().value_or(barcode::Symbology::Code39);
    if (symbology == barcode::Symbology::Code39)
        return !barcode::code39TooLong(text);
    if (symbology == barcode::Symbology::Ean13)
        return !barcode::encodeEan(text).modules.isEmpty();
    return zintsymbol::encode(*zintsymbol::fromTagDigit(parameters.TipoBarcode), text)
        .symbol.has_value();
}

// A barcode ("oggImmagine" in files): its text, placeholders or a field's value as a symbol;
// the symbology and the place of its text are the digits of its Tag.
class BarcodeKind final : public ElementType {
public:
    ElementKind kind() const override { return ElementKind::Immagine; }
    QString fileKey() const override { return QStringLiteral("oggImmagine"); }
    QString caption(int count) const override {
        return count == 1 ? QStringLiteral("codice a barre") : QStringLiteral("codici a barre");
    }
    QString describe(const LabelElement& e) const override {
        return QStringLiteral("il codice a barre \"%1\"").arg(e.ToolTipText.left(40));
    }
    LabelElement makeTemplate() const override {
        LabelElement e;
        e.kind = kind();
        e.Width = 1935;
        e.Height = 1035;
        return e;
    }

    ValueKind value() const override { return ValueKind::Symbol; }
    QString ownValue(const LabelElement& e) const override { return e.ToolTipText; }
    void setOwnValue(LabelElement& e, const QString& value) const override {
        e.ToolTipText = value;
    }
    ElementContent designContent(const LabelElement& e) const override {
        const BarcodeParameters parameters = BarcodeParameters::fromTag(e.Tag);
        const bool own = e.DataMember.isEmpty() && encodable(parameters, e.ToolTipText);
        return {own ? e.ToolTipText : sampleBarcodeText(parameters)};
    }

    void read(ElementLinesIn& in, LabelElement& e) const override {
        e.Tag = in.trimmedText();
        e.DataMember = in.text();
        e.ToolTipText = in.text();
        in.depth(e);
    }
    void write(ElementLinesOut& out, const LabelElement& e) const override {
        out.text(e.Tag, "Tag");
        out.text(e.DataMember, "DataMember");
        out.text(e.ToolTipText, "ToolTipText");
        out.depth();
    }
    void jsonFields(JsonFields& f, LabelElement& e) const override {
        f.text("Tag", e.Tag);
        f.text("DataMember", e.DataMember);
        f.text("ToolTipText", e.ToolTipText);
    }
    void copyProperties(const LabelElement& from, LabelElement& to) const override {
        to.Tag = from.Tag;
        to.DataMember = from.DataMember;
        to.ToolTipText = from.ToolTipText;
    }

    QString draw(const LabelElement& e, const ElementContent& content, const QRectF& box,
                 ElementCanvas& canvas) const override {
        return canvas.symbol(e, content.text, box);
    }
};

} // namespace

const ElementType& kinds::barcode() {
    static const BarcodeKind kind;
    return kind;
}
