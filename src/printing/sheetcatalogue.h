// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/sheetlayout.h"

#include <QByteArray>
#include <QJsonArray>
#include <QString>

#include <vector>

// Label sheets by maker and product code, so that a user picks "Avery L7160" instead of typing
// ten measurements: the catalogue that comes with the program, and the rectangular templates
// of gLabels when its collection is installed.
struct SheetTemplate {
    QString maker;
    QString code;
    QString description;
    // "A4", "Letter", another paper's name, the size in millimetres ("320.0 x 450.0 mm"), or
    // "Rotolo" (a roll, one label a page) and "Rotolo, ruotata" (the label lies turned on it).
    QString paper;
    // The sheet's values; the print origin takes back the shift every label prints with, so
    // that the labels land exactly where the maker's sheet has them.
    LayoutEtichetta layout;
};

namespace sheetcatalogue {

// Our catalogue: a tab-separated table, a header naming the columns, '#' lines comments.
std::vector<SheetTemplate> readTable(const QByteArray& text);
// One file of gLabels templates. Rectangular labels in one grid only (round, CD, continuous
// and staggered ones are left out); lengths in pt, in, mm, cm or pc; an "equiv" template takes
// the layout of the one it names, of the same maker (`known` holds templates of other files).
std::vector<SheetTemplate> readGlabels(const QByteArray& xml,
                                       const std::vector<SheetTemplate>& known = {});

// The paper a label takes from the sheet: named, of its size, a roll; the printer's when the
// sheet's paper is not known here.
LabelPaper paperOf(const SheetTemplate& sheet);

// Where the gLabels collection is looked for.
QString glabelsFolder();
// Every sheet: ours first, then those of gLabels not already listed.
std::vector<SheetTemplate> all();

// The sheets whose maker, code, description, paper or size ("63.5x38.1", "63,5 x 38,1")
// hold every word of the text, letter case ignored. An empty text matches all.
std::vector<SheetTemplate> search(const std::vector<SheetTemplate>& sheets, const QString& text);

// For scripts: maker, code, description, paper and the ten layout values by their names.
QJsonArray toJson(const std::vector<SheetTemplate>& sheets);

} // namespace sheetcatalogue
