// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/labeljson.h"

#include "common/passwords.h"
#include "document/elementtype.h"
#include "document/labeldocument.h"

#include <QJsonArray>

namespace {

QJsonObject layoutToJson(const LayoutEtichetta& layout) {
    QJsonObject object;
    for (int i = 0; i < LayoutEtichetta::ValueCount; ++i)
        object.insert(QLatin1String(LayoutEtichetta::name(i)), layout.value(i));
    return object;
}

QJsonObject bindingToJson(const LabelDocument& document) {
    const CollegamentoDatabase& b = document.binding();
    return QJsonObject{{"NomeDatabase", passwords::hiddenIn(b.NomeDatabase)},
                       {"PasswordSet", !b.PasswordDb.isEmpty()},
                       {"NomeTabella", b.NomeTabella},
                       {"NomeCampoSelezione", b.NomeCampoSelezione},
                       {"TipoCriterio", b.TipoCriterio},
                       {"ValoreUgualeA", b.ValoreUgualeA},
                       {"ValoreDa", b.ValoreDa},
                       {"ValoreA", b.ValoreA},
                       {"FlagRiservato", b.FlagRiservato},
                       {"TestoRiservato", b.TestoRiservato},
                       {"DatabaseConnesso", document.DatabaseConnesso()}};
}

QJsonObject elementToJson(const LabelElement& e, int depth) {
    QJsonObject object{{"kind", e.Name()}, {"Index", e.Index},        {"Left", e.Left},
                       {"Top", e.Top},     {"Width", e.Width},        {"Height", e.Height},
                       {"z", depth},       {"Rotazione", e.Rotazione}};
    typeOf(e).toJson(e, object);
    return object;
}

} // namespace

QJsonObject documentToJson(const LabelDocument& document) {
    QJsonArray elements;
    for (const auto& element : document.elements())
        elements.append(elementToJson(*element, document.zOrder().GetZOrdine(element->key())));
    return QJsonObject{{"layout", layoutToJson(document.layout())},
                       {"database", bindingToJson(document)},
                       {"elements", elements}};
}
