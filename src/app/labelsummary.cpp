// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/labelsummary.h"

#include "common/numbers.h"
#include "common/passwords.h"
#include "common/units.h"
#include "document/elementtype.h"
#include "document/labeldocument.h"

#include <map>

QString labelSummary(const LabelDocument& document) {
    const LayoutEtichetta& layout = document.layout();
    QStringList lines;
    lines << QStringLiteral("Etichetta: %1")
                 .arg(document.fileName().isEmpty() ? QStringLiteral("(nuova)")
                                                    : document.fileName());
    lines << QStringLiteral("Foglio: %1 x %2 etichette da %3 x %4 mm, margini %5 / %6 mm")
                 .arg(FormatNumero(layout.EtichetteOrizzontali, 0),
                      FormatNumero(layout.EtichetteVerticali, 0),
                      FormatNumero(layout.LarghezzaEtichetta, 1),
                      FormatNumero(layout.AltezzaEtichetta, 1),
                      FormatNumero(layout.MargineSinistro, 1),
                      FormatNumero(layout.MargineSuperiore, 1));
    const CollegamentoDatabase& binding = document.binding();
    lines << (binding.NomeDatabase.isEmpty()
                  ? QStringLiteral("Database: nessuno")
                  : QStringLiteral("Database: %1, tabella %2")
                        .arg(passwords::hiddenIn(binding.NomeDatabase), binding.NomeTabella));
    std::map<ElementKind, int> counts;
    for (const auto& element : document.elements())
        ++counts[element->kind];
    QStringList parts;
    for (const auto& [kind, count] : counts)
        parts << QStringLiteral("%1 %2").arg(count).arg(elementType(kind).caption(count));
    lines << QStringLiteral("Elementi: %1")
                 .arg(parts.isEmpty() ? QStringLiteral("nessuno")
                                      : parts.join(QStringLiteral(", ")));
    for (const auto& element : document.elements()) {
        const ElementType& type = typeOf(*element);
        QString what;
        if (type.value() != ValueKind::None)
            what = element->DataMember.isEmpty() ? type.ownValue(*element)
                                                 : u'[' + element->DataMember + u']';
        lines << QStringLiteral("  %1 a %2 x %3 mm %4")
                     .arg(element->key(),
                          FormatNumero((element->Left - units::LabelOriginXTwips) /
                                           units::TwipsPerMillimetre,
                                       1),
                          FormatNumero((element->Top - units::LabelOriginYTwips) /
                                           units::TwipsPerMillimetre,
                                       1),
                          what)
                     .trimmed();
    }
    return lines.join(u'\n');
}
