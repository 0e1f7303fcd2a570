// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/labeljson.h"

#include "common/passwords.h"
#include "document/elementtype.h"
#include "document/jsonfields.h"
#include "document/labeldocument.h"

#include <QJsonArray>

#include <map>

namespace {

// The sheet, as the layout section holds it, and the paper the label names.
void layoutFields(JsonFields& f, LayoutEtichetta& layout) {
    for (int i = 0; i < LayoutEtichetta::ValueCount; ++i)
        f.number(LayoutEtichetta::name(i), layout.value(i));
}

void paperFields(JsonFields& f, LabelPaper& paper) {
    f.code("kind", paper.kind);
    f.text("name", paper.name);
    f.number("width", paper.width);
    f.number("height", paper.height);
    f.flag("turned", paper.turned);
}

// The binding without its password: "PasswordSet" says whether there is one. A password in
// the database's own address is shown hidden.
void bindingFields(JsonFields& f, CollegamentoDatabase& b) {
    f.text("NomeDatabase", b.NomeDatabase);
    f.text("NomeTabella", b.NomeTabella);
    f.text("NomeCampoSelezione", b.NomeCampoSelezione);
    f.number("TipoCriterio", b.TipoCriterio);
    f.text("ValoreUgualeA", b.ValoreUgualeA);
    f.text("ValoreDa", b.ValoreDa);
    f.text("ValoreA", b.ValoreA);
    f.flag("FlagRiservato", b.FlagRiservato);
    f.text("TestoRiservato", b.TestoRiservato);
    f.text("CampoQuantita", b.CampoQuantita);
}

// What every kind has, then the kind's own properties.
void elementFields(JsonFields& f, LabelElement& e, qint32& depth) {
    f.number("Left", e.Left);
    f.number("Top", e.Top);
    f.number("Width", e.Width);
    f.number("Height", e.Height);
    f.number("z", depth);
    f.number("Rotazione", e.Rotazione);
    if (f.reading() && e.Rotazione % 90 != 0)
        f.refuse("Rotazione", "0, 90, 180 o 270");
    e.Rotazione = qint16(((e.Rotazione % 360) + 360) % 360);
    typeOf(e).jsonFields(f, e);
}

QJsonObject elementToJson(const LabelElement& element, qint32 depth) {
    QJsonObject object{{"kind", element.Name()}, {"Index", element.Index}};
    JsonFields fields(object);
    LabelElement copy = element;
    elementFields(fields, copy, depth);
    return object;
}

} // namespace

QJsonObject documentToJson(const LabelDocument& document) {
    QJsonObject layout, paper, binding;
    LayoutEtichetta sheet = document.layout();
    JsonFields layoutOut(layout);
    layoutFields(layoutOut, sheet);
    LabelPaper named = document.paper();
    JsonFields paperOut(paper);
    paperFields(paperOut, named);
    CollegamentoDatabase link = document.binding();
    link.NomeDatabase = passwords::hiddenIn(link.NomeDatabase);
    JsonFields bindingOut(binding);
    bindingFields(bindingOut, link);
    binding.insert("PasswordSet", !link.PasswordDb.isEmpty());
    binding.insert("DatabaseConnesso", document.DatabaseConnesso());

    QJsonArray elements;
    std::map<const LabelElement*, int> position;
    for (const auto& element : document.elements()) {
        position.emplace(element.get(), int(position.size() + 1));
        elements.append(elementToJson(*element, document.zOrder().GetZOrdine(element->key())));
    }
    QJsonArray stacking;
    for (const LabelElement* element : document.stackingOrder())
        stacking.append(position.at(element));
    return QJsonObject{{"layout", layout},
                       {"paper", paper},
                       {"database", binding},
                       {"elements", elements},
                       {"stacking", stacking}};
}

std::optional<QString> documentFromJson(const QJsonObject& json, LabelDocument& document) {
    std::optional<QString> problem;
    const auto read = [&](const char* key, const char* where, auto fill, auto& value) {
        const QJsonValue part = json.value(QLatin1String(key));
        if (part.isUndefined())
            return;
        if (!part.isObject()) {
            problem = problem.value_or(
                QStringLiteral("\"%1\" deve essere un oggetto.").arg(QLatin1String(key)));
            return;
        }
        const QJsonObject object = part.toObject();
        JsonFields fields(object, QString::fromUtf8(where));
        fill(fields, value);
        if (!problem)
            problem = fields.problem();
    };
    LayoutEtichetta layout = document.layout();
    read("layout", "layout", layoutFields, layout);
    document.setLayout(layout);
    LabelPaper paper = document.paper();
    read("paper", "paper", paperFields, paper);
    document.setPaper(paper);
    CollegamentoDatabase binding = document.binding();
    read("database", "database", bindingFields, binding);
    document.setBinding(binding);

    const QJsonArray elements = json.value(QLatin1String("elements")).toArray();
    for (qsizetype i = 0; i < elements.size() && !problem; ++i) {
        const QJsonObject object = elements.at(i).toObject();
        const QString where = QStringLiteral("elemento %1").arg(i + 1);
        const auto kind = kindFromName(object.value(QLatin1String("kind")).toString());
        if (!kind)
            return QStringLiteral("%1: \"kind\" non è un tipo di elemento (%2).")
                .arg(where, QStringList{"oggTesto", "oggImmagine", "oggPicture", "oggRettangolo",
                                        "oggLinea", "oggEllisse"}
                                .join(QStringLiteral(", ")));
        LabelElement element = elementType(*kind).makeTemplate();
        qint32 depth = 0;
        JsonFields fields(object, where);
        elementFields(fields, element, depth);
        if (fields.problem())
            return fields.problem();
        LabelElement* made =
            document.CreaOgg(*kind, element.Left, element.Top, element.Width, element.Height);
        if (!made)
            return QStringLiteral("%1: troppi elementi di questo tipo.").arg(where);
        element.Index = made->Index;
        element.Visible = made->Visible;
        *made = element;
        if (depth == BroughtToFront || depth == SentToBack)
            document.zOrder().SetZOrdine(made->key(), depth);
    }
    if (problem)
        return problem;
    const QJsonArray stacking = json.value(QLatin1String("stacking")).toArray();
    const auto& made = document.elements();
    if (std::size_t(stacking.size()) == made.size()) {
        std::vector<LabelElement*> order;
        std::vector<bool> seen(made.size(), false);
        for (const QJsonValue& at : stacking) {
            const int position = at.toInt();
            if (position < 1 || std::size_t(position) > made.size() ||
                seen[std::size_t(position - 1)])
                return QStringLiteral("\"stacking\" non elenca ogni elemento una volta.");
            seen[std::size_t(position - 1)] = true;
            order.push_back(made[std::size_t(position - 1)].get());
        }
        document.setStackingOrder(std::move(order));
    }
    return std::nullopt;
}
