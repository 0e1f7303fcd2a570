// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/barcodeparameters.h"
#include "barcode/widgets/frmparametribarcode.h"
#include "document/labelelement.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(ParametriBarcode, ControlsAndCaptions) {
    frmParametriBarcode dialog;
    EXPECT_EQ(dialog.windowTitle(), u"Parametri barcode");
    // The list position is the Tag's first digit: the order is the file format's.
    QStringList kinds;
    for (int i = 0; i < dialog.cmbTipoBarcode->count(); ++i)
        kinds << dialog.cmbTipoBarcode->itemText(i);
    EXPECT_EQ(kinds, QStringList({"Code 39", "EAN 13", "Code 128", "GS1-128", "QR Code",
                                  "Data Matrix", "PDF417", "ITF-14", "UPC-A", "GS1 DataMatrix"}));
    EXPECT_EQ(dialog.cmbTipoBarcode->currentIndex(), 0);
    EXPECT_EQ(dialog.optAllineamento[0]->text(), u"Sopra");
    EXPECT_EQ(dialog.optAllineamento[1]->text(), u"Sotto");
    EXPECT_EQ(dialog.optAllineamento[2]->text(), u"Nascosto");
    EXPECT_TRUE(dialog.optAllineamento[1]->isChecked());
    EXPECT_TRUE(dialog.cmdOk->isDefault());
    EXPECT_EQ(dialog.cmdCancel->text(), u"Cancel");
    EXPECT_FALSE(dialog.PremutoOk);
    EXPECT_EQ(dialog.findChildren<QGroupBox*>().value(0)->title(), u"Testo barcode");
    bool labelled = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labelled |= label->text() == u"Tipo di barcode";
    EXPECT_TRUE(labelled);
}

struct TagCase {
    const char* tag;
    int list;
    int option; // checked optAllineamento index
};

void PrintTo(const TagCase& c, std::ostream* os) {
    *os << '"' << c.tag << '"';
}

class PresetFromTag : public ::testing::TestWithParam<TagCase> {};

TEST_P(PresetFromTag, SelectsListEntryAndTextPosition) {
    frmParametriBarcode dialog;
    dialog.presetFromTag(QString::fromLatin1(GetParam().tag));
    EXPECT_EQ(dialog.cmbTipoBarcode->currentIndex(), GetParam().list);
    EXPECT_TRUE(dialog.optAllineamento[GetParam().option]->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Tags, PresetFromTag,
                         ::testing::Values(TagCase{"12", 1, 2}, TagCase{"", 0, 1},
                                           TagCase{"01", 0, 0}, TagCase{"10", 1, 1},
                                           TagCase{"1", 1, 1}, TagCase{"07", 0, 1},
                                           TagCase{"92", 9, 2},
                                           // a symbology the list does not have
                                           TagCase{"X0", 0, 1}));

LabelElement barcodeElement(const QString& tag) {
    LabelElement element = LabelElement::makeTemplate(ElementKind::Immagine);
    element.Tag = tag;
    return element;
}

TEST(ParametriBarcode, OkOnAnEmptyTagStoresZeroZero) {
    LabelElement element = barcodeElement(QString());
    const bool changed = ModificaParametriBarcode(element, nullptr, [](QDialog& dialog) {
        auto& form = static_cast<frmParametriBarcode&>(dialog);
        form.show();
        QTest::mouseClick(form.cmdOk, Qt::LeftButton);
        return form.result();
    });
    EXPECT_TRUE(changed);
    EXPECT_EQ(element.Tag, u"00");
}

TEST(ParametriBarcode, ChoicesBecomeTheTwoDigits) {
    LabelElement element = barcodeElement(QStringLiteral("00"));
    ModificaParametriBarcode(element, nullptr, [](QDialog& dialog) {
        auto& form = static_cast<frmParametriBarcode&>(dialog);
        form.show();
        form.cmbTipoBarcode->setCurrentIndex(1);
        QTest::mouseClick(form.optAllineamento[0], Qt::LeftButton, {},
                          QPoint(6, form.optAllineamento[0]->height() / 2));
        QTest::keyClick(&form, Qt::Key_Return); // Ok is the default button
        return form.result();
    });
    EXPECT_EQ(element.Tag, u"11");
}

TEST(ParametriBarcode, CancelAndEscapeKeepTheTag) {
    LabelElement element = barcodeElement(QStringLiteral("12"));
    EXPECT_FALSE(ModificaParametriBarcode(element, nullptr, [](QDialog& dialog) {
        auto& form = static_cast<frmParametriBarcode&>(dialog);
        form.show();
        form.cmbTipoBarcode->setCurrentIndex(0);
        QTest::mouseClick(form.cmdCancel, Qt::LeftButton);
        return form.result();
    }));
    EXPECT_FALSE(ModificaParametriBarcode(element, nullptr, [](QDialog& dialog) {
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return dialog.result();
    }));
    EXPECT_EQ(element.Tag, u"12");
}

TEST(ParametriBarcode, OnlyBarcodeElementsHaveParameters) {
    LabelElement text = LabelElement::makeTemplate(ElementKind::Testo);
    bool shown = false;
    EXPECT_FALSE(ModificaParametriBarcode(text, nullptr, [&](QDialog&) { return shown = true; }));
    EXPECT_FALSE(shown);
}

TEST(BarcodeTag, ReadsAndWritesTheTwoDigits) {
    EXPECT_EQ(BarcodeParameters::fromTag(QStringLiteral("12")),
              (BarcodeParameters{int(barcode::Symbology::Ean13), barcode::TextPosition::Nascosto}));
    EXPECT_EQ(BarcodeParameters::fromTag(QString()).TipoBarcode, int(barcode::Symbology::Code39));
    EXPECT_EQ(BarcodeParameters::fromTag(QStringLiteral("x1")).TipoBarcode, 0);
    EXPECT_EQ(BarcodeParameters::fromTag(QStringLiteral("3")).TipoBarcode, 3); // prints nothing
    EXPECT_EQ((BarcodeParameters{1, barcode::TextPosition::Sotto}).toTag(), u"10");
}

} // namespace
