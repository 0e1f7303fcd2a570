// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/units.h"
#include "document/labeldocument.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(NewLabel, HasDefaultsAndNothingElse) {
    LabelDocument document;
    document.CreaOggTesto(567, 1440, 1000, 255);
    document.setBinding(
        {u"a.mdb"_s, u"pw"_s, u"T"_s, u"F"_s, 1, u"x"_s, {}, {}, true, u"riservato"_s});
    document.setDatabaseConnesso(true);
    document.zOrder().SetZOrdine(u"oggTesto1"_s, 1);
    document.setModificato(true);
    document.setLayout({3});

    QSignalSpy disconnected(&document, &LabelDocument::disconnectRequested);
    document.NuovaEtichetta();

    EXPECT_EQ(document.layout(), LayoutEtichetta{});
    // The two reserved values survive a new label.
    EXPECT_EQ(document.binding(),
              (CollegamentoDatabase{.FlagRiservato = true, .TestoRiservato = u"riservato"_s}));
    EXPECT_FALSE(document.DatabaseConnesso());
    EXPECT_TRUE(document.elements().empty());
    EXPECT_TRUE(document.stackingOrder().empty());
    EXPECT_EQ(document.zOrder().count(), 0);
    EXPECT_FALSE(document.Modificato());
    EXPECT_EQ(disconnected.count(), 1);
}

TEST(NewIndex, IsOneMoreThanTheHighestOfTheKind) {
    LabelDocument document;
    EXPECT_EQ(document.GetNewIndex(u"oggTesto"_s), 1);
    for (int i = 0; i < 5; ++i)
        document.CreaOggTesto(0, 0, 10, 10);
    document.CreaOggRettangolo(0, 0, 10, 10);
    document.removeElement(u"oggTesto3"_s);
    document.removeElement(u"oggTesto4"_s);
    // Texts 1, 2 and 5 are left.
    EXPECT_EQ(document.GetNewIndex(ElementKind::Testo), 6);
    document.removeElement(u"oggTesto5"_s);
    EXPECT_EQ(document.GetNewIndex(ElementKind::Testo), 3);
    EXPECT_EQ(document.GetNewIndex(ElementKind::Rettangolo), 2);
    EXPECT_EQ(document.GetNewIndex(ElementKind::Picture), 1);
}

TEST(CreateElement, CopiesTheTemplateAndSetsGeometry) {
    LabelDocument document;
    LabelElement& textTemplate = document.templateOf(ElementKind::Testo);
    textTemplate.FontName = u"Arial"_s;
    textTemplate.FontSize = 14;
    textTemplate.FontBold = true;

    LabelElement* text = document.CreaOggTesto(567, 1440, 1000, 255);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->key(), u"oggTesto1");
    EXPECT_EQ(text->Caption, u"abc");
    EXPECT_EQ(text->FontName, u"Arial");
    EXPECT_EQ(text->FontSize, 14);
    EXPECT_TRUE(text->FontBold);
    EXPECT_TRUE(text->Visible);
    EXPECT_FALSE(textTemplate.Visible);
    // At the label's top-left corner.
    EXPECT_EQ(text->box().topLeft(), QPointF(units::LabelOriginXTwips, units::LabelOriginYTwips));
    EXPECT_EQ(document.element(u"oggTesto1"_s), text);
    EXPECT_EQ(document.element(u"oggTesto0"_s), nullptr); // templates are no elements
}

TEST(CreateElement, NewElementsGoOnTopAndDepthMovesKeepCreationOrder) {
    LabelDocument document;
    LabelElement* a = document.CreaOggRettangolo(0, 0, 10, 10);
    LabelElement* b = document.CreaOggTesto(0, 0, 10, 10);
    LabelElement* c = document.CreaOggImmagine(0, 0, 10, 10);
    EXPECT_EQ(document.stackingOrder(), (std::vector<LabelElement*>{a, b, c}));
    document.sendToBack(c);
    document.bringToFront(a);
    EXPECT_EQ(document.stackingOrder(), (std::vector<LabelElement*>{c, b, a}));
    ASSERT_EQ(document.elements().size(), 3u);
    EXPECT_EQ(document.elements()[0].get(), a);
    EXPECT_EQ(document.elements()[2].get(), c);
}

TEST(RemoveElement, AlsoForgetsItsDepthSoAReusedIndexStartsAtZero) {
    LabelDocument document;
    document.CreaOggTesto(0, 0, 10, 10);
    LabelElement* second = document.CreaOggTesto(0, 0, 10, 10);
    document.zOrder().SetZOrdine(second->key(), 1);
    EXPECT_TRUE(document.removeElement(u"oggTesto2"_s));
    EXPECT_FALSE(document.removeElement(u"oggTesto2"_s));
    LabelElement* again = document.CreaOggTesto(0, 0, 10, 10);
    EXPECT_EQ(again->key(), u"oggTesto2");
    EXPECT_EQ(document.zOrder().GetZOrdine(again->key()), 0);
    EXPECT_EQ(document.stackingOrder().size(), 2u);
}

TEST(ZOrderTable, AFullTableRefusesNewKeysButStillUpdatesOldOnes) {
    TabellaZOrdine table;
    for (int i = 1; i <= TabellaZOrdine::Capacity; ++i)
        ASSERT_TRUE(table.SetZOrdine(u"oggTesto%1"_s.arg(i), 1));
    EXPECT_TRUE(table.isFull());
    EXPECT_FALSE(table.SetZOrdine(u"oggTesto10001"_s, 2));
    EXPECT_EQ(table.count(), TabellaZOrdine::Capacity);
    EXPECT_EQ(table.GetZOrdine(u"oggTesto10001"_s), 0);
    EXPECT_TRUE(table.SetZOrdine(u"oggTesto10000"_s, 2));
    EXPECT_EQ(table.GetZOrdine(u"oggTesto10000"_s), 2);
}

} // namespace
