// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/kinds/kinds.h"

#include "barcode/barcodecheck.h"
#include "barcode/barcodeencoding.h"
#include "barcode/barcodeparameters.h"
#include "barcode/zintsymbol.h"
#include "common/numbers.h"
#include "document/elementtype.h"

#include <algorithm>
#include <cmath>

namespace {

BarcodeParameters parametersOf(const LabelElement& e) {
    return BarcodeParameters::fromTag(e.Tag, e.OpzioniBarcode);
}

// A value a barcode element's symbology takes, shown while a linked or not yet valid element
// is designed.
QString sampleBarcodeText(const BarcodeParameters& parameters) {
    const auto symbology = parameters.symbology().value_or(barcode::Symbology::Code39);
    if (symbology == barcode::Symbology::Ean13)
        return QStringLiteral("8001234000011");
    if (symbology == barcode::Symbology::Code39)
        return QStringLiteral("000000");
    return zintsymbol::sampleValue(symbology);
}

// Whether the element's own text makes a symbol of its symbology.
bool encodable(const BarcodeParameters& parameters, const QString& text) {
    if (text.isEmpty())
        return false;
    const auto symbology = parameters.symbology().value_or(barcode::Symbology::Code39);
    if (symbology == barcode::Symbology::Code39)
        return !barcode::code39TooLong(text);
    if (!barcodecheck::problem(symbology, text).isEmpty())
        return false;
    if (symbology == barcode::Symbology::Ean13)
        return !barcode::encodeEan(text).modules.isEmpty();
    if (symbology == barcode::Symbology::Ean8)
        return true; // its length and check digit are checked above
    return zintsymbol::encode(symbology, text, parameters.Opzioni).symbol.has_value();
}

// A symbology beyond the Tag's digits puts its stand-in's digit first in the Tag, whatever a
// file or a description said there: older programs print that one.
void matchTag(LabelElement& e) {
    if (!e.OpzioniBarcode.symbology)
        return;
    const QString digit = QString::number(barcode::tagDigit(*e.OpzioniBarcode.symbology));
    e.Tag = e.Tag.isEmpty() ? digit + u'0' : digit + e.Tag.mid(1);
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
    QString valueProblem(const LabelElement& e, const QString& value) const override {
        // Placeholders are filled in at printing, and checked there.
        const auto symbology = parametersOf(e).symbology();
        if (!symbology || value.contains(QLatin1String("${")))
            return {};
        QString problem = barcodecheck::problem(*symbology, value);
        if (!problem.isEmpty())
            problem[0] = problem[0].toUpper();
        return problem;
    }
    ElementContent designContent(const LabelElement& e) const override {
        const BarcodeParameters parameters = parametersOf(e);
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
    void writeDetails(const LabelElement& e, ElementDetails& details) const override {
        const barcode::Options& options = e.OpzioniBarcode;
        if (options.symbology)
            details.append(
                {QStringLiteral("Simbologia"), barcode::symbologyKey(*options.symbology)});
        if (options.moduleMm > 0)
            details.append({QStringLiteral("LarghezzaModulo"),
                            numbers::formatPlain(double(options.moduleMm), u'.')});
        if (options.qrLevel != barcode::QrLevel::Automatico)
            details.append({QStringLiteral("LivelloQR"), barcode::qrLevelName(options.qrLevel)});
        if (options.quietZones)
            details.append({QStringLiteral("ZoneDiRispetto"), QStringLiteral("1")});
    }
    void readDetail(LabelElement& e, const QString& name, QStringView value) const override {
        barcode::Options& options = e.OpzioniBarcode;
        if (name == u"Simbologia") {
            options.symbology = barcode::symbologyFromKey(value);
            matchTag(e);
        } else if (name == u"LarghezzaModulo") {
            const double mm = numbers::parseAnySeparator(value).value_or(0);
            if (std::isfinite(mm) && mm > 0)
                options.moduleMm =
                    float(std::clamp(mm, barcode::SmallestModuleMm, barcode::LargestModuleMm));
        } else if (name == u"LivelloQR") {
            options.qrLevel =
                barcode::qrLevelFromName(value).value_or(barcode::QrLevel::Automatico);
        } else if (name == u"ZoneDiRispetto") {
            options.quietZones = value == u"1";
        }
    }

    void jsonFields(JsonFields& f, LabelElement& e) const override {
        f.text("Tag", e.Tag);
        f.text("DataMember", e.DataMember);
        f.text("ToolTipText", e.ToolTipText);
        barcode::Options& options = e.OpzioniBarcode;
        QString symbology =
            options.symbology ? barcode::symbologyKey(*options.symbology) : QString();
        QString level = barcode::qrLevelName(options.qrLevel);
        f.text("Simbologia", symbology);
        f.number("LarghezzaModulo", options.moduleMm);
        f.text("LivelloQR", level);
        f.flag("ZoneDiRispetto", options.quietZones);
        if (!f.reading())
            return;
        options.symbology = barcode::symbologyFromKey(symbology);
        matchTag(e);
        if (!symbology.isEmpty() && !options.symbology)
            f.refuse("Simbologia",
                     "vuoto, EAN8, UPCE, ITF, CODABAR, AZTEC, DATABAR, DATABARLIMITED o "
                     "DATABAREXPANDED");
        if (const auto read = barcode::qrLevelFromName(level))
            options.qrLevel = *read;
        else
            f.refuse("LivelloQR", "vuoto, L, M, Q o H");
        if (options.moduleMm != 0 && !(options.moduleMm >= barcode::SmallestModuleMm &&
                                       options.moduleMm <= barcode::LargestModuleMm))
            f.refuse("LarghezzaModulo", "0 oppure tra 0,05 e 5 mm");
    }
    void copyProperties(const LabelElement& from, LabelElement& to) const override {
        to.Tag = from.Tag;
        to.DataMember = from.DataMember;
        to.ToolTipText = from.ToolTipText;
        to.OpzioniBarcode = from.OpzioniBarcode;
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
