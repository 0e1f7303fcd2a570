// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/labeldocument.h"
#include "printing/sheetcatalogue.h"
#include "printing/sheetgeometry.h"
#include "printing/widgets/frmimpostapagina.h"
#include "printing/widgets/frmmodellofoglio.h"
#include "support/marvelloprocess.h"
#include "support/recordingmessages.h"
#include "support/windowtest.h"

#include <QCheckBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

const SheetTemplate* find(const std::vector<SheetTemplate>& sheets, const char* maker,
                          const char* code) {
    for (const SheetTemplate& sheet : sheets)
        if (sheet.maker == QLatin1String(maker) && sheet.code == QLatin1String(code))
            return &sheet;
    return nullptr;
}

// Sheets checked against the makers' own sheets: counts, margins, size, gaps (mm).
TEST(SheetCatalogue, ProductsMatchTheirMakersSheetsAndFitTheirPaper) {
    const auto sheets = sheetcatalogue::all();
    ASSERT_GE(sheets.size(), 100u);
    const std::tuple<const char*, const char*, LayoutEtichetta> checked[] = {
        {"Avery", "L7160", {3, 7, 7.21, 15.15, 63.5, 38.1, 2.54, 0, -4, 0}},
        {"Avery", "L7163", {2, 7, 4.65, 15.15, 99.1, 38.1, 2.5, 0, -4, 0}},
        {"Avery", "L7651", {5, 13, 4.67, 10.7, 38.1, 21.2, 2.54, 0, -4, 0}},
        {"Avery", "5160", {3, 10, 4.762, 12.7, 66.675, 25.4, 3.175, 0, -4, 0}},
        {"Avery Zweckform", "3474", {3, 8, 0, 0.5, 70, 37, 0, 0, -4, 0}}};
    for (const auto& [maker, code, expected] : checked) {
        const SheetTemplate* sheet = find(sheets, maker, code);
        ASSERT_TRUE(sheet) << code;
        EXPECT_EQ(sheet->layout, expected) << code; // as the table writes them
    }
    // Every sheet lies on its paper: a typing error in the table, or a sheet given the wrong
    // paper, shows here. Those of gLabels' (the tests' own) bring theirs: A3, SRA3, a roll.
    for (const SheetTemplate& sheet : sheets) {
        const LabelPaper paper = sheetcatalogue::paperOf(sheet);
        ASSERT_TRUE(paper.names()) << sheet.code.toStdString() << " " << sheet.paper.toStdString();
        const QSizeF size = *sheet::paperSize(paper, sheet.layout);
        LayoutEtichetta placed = sheet::pageLayout(paper, sheet.layout);
        placed.OrigineX = 0;
        const QSizeF extent = sheet::sheetExtent(placed);
        EXPECT_LE(extent.width(), size.width() + 0.01) << sheet.code.toStdString();
        EXPECT_LE(extent.height(), size.height() + 0.01) << sheet.code.toStdString();
    }
    const auto pageOf = [&](const char* maker, const char* code) {
        const SheetTemplate* sheet = find(sheets, maker, code);
        EXPECT_TRUE(sheet) << code;
        return sheet ? *sheet::paperSize(sheetcatalogue::paperOf(*sheet), sheet->layout) : QSizeF();
    };
    EXPECT_EQ(pageOf("Fixture", "A3-8"), QSizeF(297, 420));
    EXPECT_EQ(pageOf("Fixture", "SRA3-2"), QSizeF(320, 450));
    EXPECT_EQ(pageOf("Fixture", "R-4x2"), QSizeF(101.6, 50.8));
    // Rolls: a page is a label as the printer feeds it, an address label turned on its page.
    EXPECT_EQ(pageOf("Zebra", "4x6in"), QSizeF(101.6, 152.4));
    EXPECT_EQ(pageOf("Brother", "DK-11202"), QSizeF(62, 100));
    EXPECT_EQ(pageOf("DYMO", "99010"), QSizeF(28.575, 88.9)); // the driver's 81 x 252 pt
    EXPECT_EQ(sheetcatalogue::search(sheets, u"dk-22205"_s).size(), 1u);
    EXPECT_TRUE(find(sheetcatalogue::search(sheets, u"63,5 x 38,1"_s), "Avery", "L7160"));
    EXPECT_EQ(sheetcatalogue::search(sheets, u"zweckform 3474"_s).size(), 1u);
}

// A gLabels file as the collection writes them: rectangles in points and millimetres, an
// equivalent, a round label, a staggered sheet.
const char GlabelsFile[] = R"(<?xml version="1.0"?>
<Glabels-templates>
  <Template brand="Acme" part="100" size="US-Letter" _description="Address labels">
    <Meta category="label"/>
    <Label-rectangle id="0" width="189pt" height="72pt" round="9pt">
      <Markup-margin size="9pt"/>
      <Layout nx="3" ny="10" x0="13.5pt" y0="36pt" dx="198pt" dy="72pt"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="101" equiv="100"/>
  <Template brand="Acme" part="200" size="A4" description="Mini">
    <Label-rectangle id="0" width="38.1mm" height="21.2mm">
      <Layout nx="5" ny="13" x0="4.7mm" y0="10.7mm" dx="40.6mm" dy="21.2mm"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="300" size="A4" description="Round">
    <Label-round id="0" radius="20mm"><Layout nx="4" ny="6" x0="5mm" y0="5mm" dx="50mm" dy="48mm"/></Label-round>
  </Template>
  <Template brand="Acme" part="400" size="Other" width="100mm" height="150mm" description="Staggered">
    <Label-rectangle id="0" width="20mm" height="10mm">
      <Layout nx="4" ny="5" x0="5mm" y0="5mm" dx="25mm" dy="20mm"/>
      <Layout nx="4" ny="5" x0="15mm" y0="15mm" dx="25mm" dy="20mm"/>
    </Label-rectangle>
  </Template>
</Glabels-templates>
)";

TEST(SheetCatalogue, GlabelsTemplatesAreReadInMillimetres) {
    const auto sheets = sheetcatalogue::readGlabels(GlabelsFile);
    ASSERT_EQ(sheets.size(), 3u); // 100, 200 and the equivalent 101
    const SheetTemplate* letter = find(sheets, "Acme", "100");
    ASSERT_TRUE(letter);
    EXPECT_EQ(letter->paper, u"Letter");
    const LayoutEtichetta expected{3, 10, 4.7625, 12.7, 66.675, 25.4, 3.175, 0, -4, 0};
    for (int i = 0; i < LayoutEtichetta::ValueCount; ++i)
        EXPECT_NEAR(letter->layout.value(i), expected.value(i), 1e-9) << LayoutEtichetta::name(i);
    const SheetTemplate* equivalent = find(sheets, "Acme", "101");
    ASSERT_TRUE(equivalent);
    EXPECT_EQ(equivalent->layout, letter->layout);
    EXPECT_EQ(equivalent->description, u"Address labels");
    EXPECT_NEAR(find(sheets, "Acme", "200")->layout.SpazioOrizzontale, 2.5, 1e-9);
    // One that names a template of another file.
    const auto other = sheetcatalogue::readGlabels(
        R"(<Glabels-templates><Template brand="Acme" part="102" equiv="100"/></Glabels-templates>)",
        sheets);
    ASSERT_EQ(other.size(), 1u);
    EXPECT_EQ(other[0].layout, letter->layout);
    EXPECT_TRUE(sheetcatalogue::readGlabels("<Glabels-templates><Template").empty());
}

// For scripts: the JSON of --sheets.
TEST(SheetCatalogue, TheCommandLineListsMatchingSheetsAsJson) {
    const ProcessRun run = marvello({u"--sheets"_s, u"L7160"_s});
    ASSERT_TRUE(exited(run, 0));
    const QJsonObject first = QJsonDocument::fromJson(run.out.toUtf8()).array().at(0).toObject();
    EXPECT_EQ(first.value(u"code"_s).toString(), u"L7160");
    EXPECT_EQ(first.value(u"EtichetteOrizzontali"_s).toDouble(), 3);
    EXPECT_EQ(first.value(u"EtichetteVerticali"_s).toDouble(), 7);
    EXPECT_EQ(first.value(u"LarghezzaEtichetta"_s).toDouble(), 63.5);
    EXPECT_EQ(first.value(u"AltezzaEtichetta"_s).toDouble(), 38.1);
    EXPECT_NE(marvello({u"--sheets"_s, u"nessunfoglio"_s}).exitCode, 0);
}

// "Modello di foglio..." fills in the sheet, and its labels print where the maker's sheet has
// them: the first label's corner exactly at the margins, the last one inside the paper.
TEST(SheetCatalogue, TheLayoutDialogTakesASheetFromTheCatalogue) {
    RecordingMessages messages;
    LabelDocument document;
    document.setLayout({.OrigineX = 1.5});
    frmImpostaPagina dialog(document);
    whenShown<frmModelloFoglio>([](frmModelloFoglio& catalogue) {
        catalogue.txtCerca->setText(u"L7163"_s);
        catalogue.cmdOk->click();
    });
    dialog.cmdModello->click();
    dialog.cmdOk->click();
    // The sheet brings its paper, so the labels need no origin to undo the printing shift.
    EXPECT_EQ(document.layout(), (LayoutEtichetta{2, 7, 4.65, 15.15, 99.1, 38.1, 2.5, 0, 0, 0}));
    EXPECT_EQ(document.paper(), (LabelPaper{LabelPaper::Kind::Named, u"A4"_s, 0, 0}));

    // A roll brings its turn: the address label as it is read, turned onto the roll.
    frmImpostaPagina roll(document);
    whenShown<frmModelloFoglio>([](frmModelloFoglio& catalogue) {
        catalogue.txtCerca->setText(u"DYMO 99010"_s);
        catalogue.cmdOk->click();
    });
    roll.cmdModello->click();
    EXPECT_TRUE(roll.chkRuota->isChecked());
    EXPECT_EQ(roll.txtLarghezzaCarta->text(), u"28,6");
    roll.cmdOk->click();
    EXPECT_EQ(document.paper(), (LabelPaper{LabelPaper::Kind::Roll, {}, 0, 0, true}));
    EXPECT_EQ(document.layout().LarghezzaEtichetta, 88.9);
}

} // namespace
