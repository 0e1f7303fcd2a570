// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/barcodeparameters.h"
#include "barcode/widgets/frmparametribarcode.h"
#include "document/labelelement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(ParametriBarcode, PresetFromTagSelectsListEntryAndTextPosition) {
    // The Tag, the list entry, the checked text position ("X0": a symbology the list lacks).
    const std::tuple<const char*, int, int> tags[] = {{"12", 1, 2}, {"", 0, 1},  {"01", 0, 0},
                                                      {"10", 1, 1}, {"1", 1, 1}, {"07", 0, 1},
                                                      {"92", 9, 2}, {"X0", 0, 1}};
    for (const auto& [tag, list, option] : tags) {
        frmParametriBarcode dialog;
        dialog.presetFromTag(QString::fromLatin1(tag));
        EXPECT_EQ(dialog.cmbTipoBarcode->currentIndex(), list) << tag;
        EXPECT_TRUE(dialog.optAllineamento[option]->isChecked()) << tag;
    }
}

LabelElement barcodeElement(const QString& tag) {
    LabelElement element = LabelElement::makeTemplate(ElementKind::Immagine);
    element.Tag = tag;
    return element;
}

// The choices become the Tag's two digits (an empty Tag opens as "00"; Ok is the default
// button). A 2-D symbol chosen for a new element gets no text; an element's own choice, or the
// user's in the dialog, stays.
TEST(ParametriBarcode, ChoicesBecomeTheTwoDigits) {
    const auto choose = [](const QString& tag, int symbology, int clickFirst = -1) {
        LabelElement element = barcodeElement(tag);
        ModificaParametriBarcode(element, nullptr, [&](QDialog& dialog) {
            auto& form = static_cast<frmParametriBarcode&>(dialog);
            form.show();
            if (clickFirst >= 0)
                QTest::mouseClick(form.optAllineamento[clickFirst], Qt::LeftButton, {},
                                  QPoint(6, form.optAllineamento[clickFirst]->height() / 2));
            form.cmbTipoBarcode->setCurrentIndex(symbology);
            emit form.cmbTipoBarcode->activated(symbology);
            QTest::keyClick(&form, Qt::Key_Return);
            return form.result();
        });
        return element.Tag;
    };
    EXPECT_EQ(choose({}, 1, 0), u"11");   // EAN-13, text above
    EXPECT_EQ(choose({}, 4), u"42");      // QR Code
    EXPECT_EQ(choose({}, 6), u"62");      // PDF417
    EXPECT_EQ(choose({}, 2), u"20");      // Code 128: below
    EXPECT_EQ(choose(u"00"_s, 5), u"50"); // the element said "below"
    EXPECT_EQ(choose({}, 9, 1), u"90");   // the user said "below"
}

// A symbology beyond the Tag's digits keeps its stand-in's digit in the Tag and its name in
// the options; module, error correction and quiet zones come back as chosen, and the level is
// offered for QR Code and Aztec only.
TEST(ParametriBarcode, FurtherSymbologiesAndOptions) {
    LabelElement element = barcodeElement(u"20"_s);
    ASSERT_TRUE(ModificaParametriBarcode(element, nullptr, [](QDialog& dialog) {
        auto& form = static_cast<frmParametriBarcode&>(dialog);
        form.show();
        EXPECT_FALSE(form.cmbLivelloQR->isEnabled());
        EXPECT_EQ(form.txtModulo->text(), u"adatta al riquadro");
        const int aztec = int(barcode::Symbology::Aztec);
        EXPECT_EQ(form.cmbTipoBarcode->itemText(aztec), u"Aztec");
        form.cmbTipoBarcode->setCurrentIndex(aztec);
        emit form.cmbTipoBarcode->activated(aztec);
        EXPECT_TRUE(form.cmbLivelloQR->isEnabled());
        form.cmbLivelloQR->setCurrentIndex(4);
        form.txtModulo->setValue(0.25);
        EXPECT_EQ(form.txtModulo->text(), u"0,250 mm");
        form.chkZoneDiRispetto->setChecked(true);
        QTest::keyClick(&form, Qt::Key_Return);
        return form.result();
    }));
    EXPECT_EQ(element.Tag, u"40"); // QR Code for older programs; the text stays below
    EXPECT_EQ(element.OpzioniBarcode,
              (barcode::Options{barcode::Symbology::Aztec, 0.25f, barcode::QrLevel::H, true}));
    // Reopened, it shows what it holds; Code 39 chosen again drops the name.
    ASSERT_TRUE(ModificaParametriBarcode(element, nullptr, [](QDialog& dialog) {
        auto& form = static_cast<frmParametriBarcode&>(dialog);
        EXPECT_EQ(form.cmbTipoBarcode->currentIndex(), int(barcode::Symbology::Aztec));
        EXPECT_EQ(form.cmbLivelloQR->currentIndex(), 4);
        EXPECT_TRUE(form.chkZoneDiRispetto->isChecked());
        form.cmbTipoBarcode->setCurrentIndex(0);
        form.txtModulo->setValue(0);
        form.show();
        QTest::keyClick(&form, Qt::Key_Return);
        return form.result();
    }));
    EXPECT_EQ(element.Tag, u"00");
    EXPECT_EQ(element.OpzioniBarcode, (barcode::Options{{}, 0, barcode::QrLevel::H, true}));
}

TEST(ParametriBarcode, CancelEscapeAndOtherKindsChangeNothing) {
    LabelElement element = barcodeElement(u"12"_s);
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
    LabelElement text = LabelElement::makeTemplate(ElementKind::Testo);
    bool shown = false;
    EXPECT_FALSE(ModificaParametriBarcode(text, nullptr, [&](QDialog&) { return shown = true; }));
    EXPECT_FALSE(shown);
}

} // namespace
