// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The sections of label files that older programs do not know, shared by the reader and the
// writer.
namespace labelfile::keys {

// Sections older programs skip: the stacking order, when the user changed it, and the paper,
// when the label names one.
inline const QString StackingKey = QStringLiteral("oggSovrapposizione");
inline const QString PaperKey = QStringLiteral("oggCarta");
inline const QString TurnKey = QStringLiteral("oggRuota");
// The field whose value is each record's number of labels.
inline const QString QuantityKey = QStringLiteral("oggQuantita");
// Properties of the element just before it beyond its kind's lines: a count, then as many
// "Nome=valore" lines.
inline const QString DetailsKey = QStringLiteral("oggDettagli");

} // namespace labelfile::keys
