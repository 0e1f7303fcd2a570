// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/barcodeencoding.h"
#include "barcode/widgets/barcodecontrol.h"
#include "common/propertybag.h"
#include "support/recordingmessages.h"
#include "support/zbar.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class BarcodeControlTest : public ::testing::Test {
protected:
    BarcodeControlTest() {
        control.resize(264, 80);
        control.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&control));
    }

    QImage shown() { return control.grab().toImage(); }

    RecordingMessages messages;
    BarcodeControl control;
};

TEST_F(BarcodeControlTest, ANewControlShowsCode39OfSixZerosAcrossItsWidth) {
    EXPECT_EQ(control.barcode(), u"000000");
    EXPECT_EQ(control.TipoBarcode(), BarcodeControl::Code39);
    EXPECT_TRUE(control.Testo().isEmpty());
    const QImage image = shown();
    const auto boxes = barcode::layoutCode39(QStringLiteral("000000"),
                                             QRectF(0, 0, image.width(), image.height()));
    // Every unit box shows its colour in the middle of the picture.
    for (const barcode::Box& box : boxes) {
        const QColor colour = image.pixelColor(int(box.rect.center().x()), image.height() / 2);
        EXPECT_EQ(colour, box.dark ? QColor(Qt::black) : QColor(Qt::white))
            << "at x = " << box.rect.center().x();
    }
    EXPECT_EQ(decodeBarcodes(withQuietZone(image)), QStringList{"000000"});
}

TEST_F(BarcodeControlTest, EanTextsScanAndInvalidOnesReportOnceAndDrawNothing) {
    control.resize(303, 100);
    control.setTipoBarcode(BarcodeControl::Ean);
    control.setBarcode(QStringLiteral("5901234123457"));
    EXPECT_EQ(decodeBarcodes(withQuietZone(shown())), QStringList{"5901234123457"});
    EXPECT_TRUE(messages.messages.isEmpty());

    control.setBarcode(QStringLiteral("12345"));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, u"Codice EAN invalido!..");
    const QImage blank = shown();
    EXPECT_EQ(messages.messages.size(), 1); // painting does not report again
    for (int x = 0; x < blank.width(); ++x)
        ASSERT_EQ(blank.pixelColor(x, 50), QColor(Qt::white));
}

TEST_F(BarcodeControlTest, ChangingOnlyTheSymbologyDoesNotRedraw) {
    QCoreApplication::processEvents();
    PaintCounter counter(control.picBarcode());
    QSignalSpy changed(&control, &BarcodeControl::PropertyChanged);
    control.setTipoBarcode(BarcodeControl::Ean);
    QTest::qWait(50);
    EXPECT_EQ(counter.paints, 0);
    control.setBarcode(QStringLiteral("96385074"));
    QTest::qWait(50);
    EXPECT_GE(counter.paints, 1);
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed[0][0].toString(), u"TipoBarcode");
    EXPECT_EQ(changed[1][0].toString(), u"Barcode");
}

TEST_F(BarcodeControlTest, ResizingFollowsWithThePictureAndSignals) {
    QSignalSpy resized(&control, &BarcodeControl::Resize);
    control.resize(400, 60);
    QCoreApplication::processEvents();
    EXPECT_EQ(control.picBarcode()->size(), QSize(400, 60));
    EXPECT_EQ(control.picBarcode()->pos(), QPoint(0, 0));
    EXPECT_GE(resized.count(), 1);
}

TEST_F(BarcodeControlTest, MouseEventsComeInTwips) {
    QSignalSpy down(&control, &BarcodeControl::MouseDown);
    QSignalSpy clicked(&control, &BarcodeControl::Click);
    QTest::mouseClick(control.picBarcode(), Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 4));
    ASSERT_EQ(down.count(), 1);
    const double twips = 1440.0 / control.picBarcode()->logicalDpiX();
    EXPECT_EQ(down[0][0].toInt(), 1);
    EXPECT_EQ(down[0][1].toInt(), 1);
    EXPECT_FLOAT_EQ(down[0][2].toFloat(), float(10 * twips));
    EXPECT_FLOAT_EQ(down[0][3].toFloat(), float(4 * twips));
    EXPECT_EQ(clicked.count(), 1);
}

TEST(BarcodeControlStore, DefaultsOfAnEmptyStore) {
    BarcodeControl control;
    control.ReadProperties(PropertyBag{});
    EXPECT_EQ(control.barcode(), u"000000");
    EXPECT_EQ(control.TipoBarcode(), 1);
    EXPECT_EQ(control.BackColor(), 16777215);
    EXPECT_EQ(control.ForeColor(), qint32(0x80000012));
    EXPECT_FALSE(control.Enabled());
    EXPECT_FALSE(control.AutoRedraw());
    EXPECT_EQ(control.BorderStyle(), 0);
}

TEST(BarcodeControlStore, WhatIsWrittenReadsBack) {
    BarcodeControl original;
    original.setBarcode(QStringLiteral("ABC-1"));
    original.setTipoBarcode(BarcodeControl::Code39);
    original.setTesto(QStringLiteral("nota"));
    original.setBackColor(65535);
    original.setBorderStyle(1);
    original.setFontName(QStringLiteral("Liberation Sans"));
    original.setFontSize(14);
    original.setFontBold(true);
    original.setCurrentX(120);
    PropertyBag bag;
    original.WriteProperties(bag);

    BarcodeControl loaded;
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.barcode(), u"ABC-1");
    EXPECT_EQ(loaded.Testo(), u"nota");
    EXPECT_EQ(loaded.BackColor(), 65535);
    EXPECT_EQ(loaded.BorderStyle(), 1);
    EXPECT_EQ(loaded.FontName(), u"Liberation Sans");
    EXPECT_EQ(loaded.FontSize(), 14.0f);
    EXPECT_TRUE(loaded.FontBold());
    EXPECT_EQ(loaded.CurrentX(), 120.0f);
    EXPECT_TRUE(loaded.Enabled());
}

TEST(BarcodeControlDrawing, LineBoxesAndTextMeasures) {
    BarcodeControl control;
    control.resize(200, 100);
    control.setBarcode(QString()); // nothing to draw: only the background
    const double twips = 1440.0 / control.picBarcode()->logicalDpiX();
    control.Line(QStringLiteral("BF"), float(20 * twips), float(20 * twips), float(40 * twips),
                 float(40 * twips), 255);
    const QImage image = control.grab().toImage();
    EXPECT_EQ(image.pixelColor(30, 30), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(60, 60), QColor(Qt::white));
    EXPECT_EQ(control.CurrentX(), float(40 * twips));
    EXPECT_GT(control.TextWidth(QStringLiteral("WWWW")), control.TextWidth(QStringLiteral("W")));
    EXPECT_GT(control.TextHeight(QStringLiteral("a\nb")), control.TextHeight(QStringLiteral("a")));
}

} // namespace
