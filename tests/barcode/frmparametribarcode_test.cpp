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
