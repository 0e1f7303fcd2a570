// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/widgets/barcodecontrol.h"
#include "support/recordingmessages.h"
#include "support/zbar.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

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

TEST_F(BarcodeControlTest, CodesScanAndInvalidEanTextsReportOnceAndDrawNothing) {
    // A new control shows Code 39 of six zeros.
    EXPECT_EQ(decodeBarcodes(withQuietZone(shown())), QStringList{"000000"});
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

} // namespace
