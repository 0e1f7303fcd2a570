// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/barcodeencoding.h"
#include "support/recordingmessages.h"
#include "support/zbar.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

using namespace barcode;

struct BadEan {
    const char* text;
    const char* message;
};

void PrintTo(const BadEan& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class InvalidEan : public ::testing::TestWithParam<BadEan> {};

TEST_P(InvalidEan, ReportsAndGivesNoModules) {
    RecordingMessages messages;
    EXPECT_TRUE(EAN2Bin(QString::fromLatin1(GetParam().text)).isEmpty());
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, QString::fromLatin1(GetParam().message));
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Exclamation);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, InvalidEan,
    ::testing::Values(BadEan{"40063813339", "Codice EAN invalido!.."},
                      BadEan{"", "Codice EAN invalido!.."},
                      BadEan{"400638133393A", "Inserire caratteri di tipo numerico..."},
                      BadEan{"1234-678", "Inserire caratteri di tipo numerico..."}));

TEST(Ean, BlanksAroundAreAcceptedAndCheckDigitsAreNotVerified) {
    RecordingMessages messages;
    EXPECT_EQ(EAN2Bin(QStringLiteral("  4006381333931 ")),
              EAN2Bin(QStringLiteral("4006381333931")));
    const QString wrong = EAN2Bin(QStringLiteral("4006381333932"));
    EXPECT_EQ(wrong.size(), 101);
    EXPECT_EQ(wrong.mid(88, 7), u"1101100"); // 2 in R, encoded as given
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST(Code39, EveryPatternTakesThirteenUnits) {
    const QString characters = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ -.$/+%*");
    for (const QChar c : characters)
        EXPECT_EQ(patternUnits(code39Pattern(c.unicode())), 13) << QString(c).toStdString();
    EXPECT_EQ(code39Pattern(1), code39Pattern('*'));
    EXPECT_EQ(code39Pattern(2), code39Pattern('*'));
    EXPECT_TRUE(code39Pattern('#').isEmpty());
    EXPECT_TRUE(code39Pattern('@').isEmpty());
    EXPECT_TRUE(code39Pattern('a').isEmpty());
    EXPECT_EQ(code39Pattern(200), code39Pattern(0));
}

TEST(Code39, LowerCaseEqualsUpperCaseAndUnknownCharactersTakeNoRoom) {
    const QRectF area(10, 20, 660, 50);
    EXPECT_EQ(code39Units(QStringLiteral("abc")), 66);
    EXPECT_EQ(layoutCode39(QStringLiteral("abc"), area), layoutCode39(QStringLiteral("ABC"), area));
    EXPECT_EQ(layoutCode39(QStringLiteral("A#B"), area), layoutCode39(QStringLiteral("AB"), area));
    EXPECT_EQ(layoutCode39(QStringLiteral("A\u00e8B"), area),
              layoutCode39(QStringLiteral("AB"), area));
    EXPECT_TRUE(layoutCode39(QString(), area).empty());
}

TEST(Code39, FillsTheAreaExactlyEndingWithALightUnit) {
    const QRectF area(10, 20, 660, 50);
    const auto boxes = layoutCode39(QStringLiteral("ABC"), area);
    ASSERT_FALSE(boxes.empty());
    EXPECT_DOUBLE_EQ(boxes.front().rect.left(), 10);
    EXPECT_FALSE(boxes.front().dark); // the gap before the start character
    EXPECT_NEAR(boxes.back().rect.right(), area.right(), 1e-9);
    EXPECT_FALSE(boxes.back().dark);
    EXPECT_DOUBLE_EQ(boxes.back().rect.width(), 10); // one unit of 660 / 66
    for (const Box& box : boxes) {
        EXPECT_EQ(box.rect.top(), 20);
        EXPECT_EQ(box.rect.height(), 50);
    }
}

TEST(EanLayout, OnlyDarkModulesAreBoxes) {
    const auto boxes = layoutEan(u"0101", QRectF(0, 0, 40, 10));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].rect, QRectF(10, 0, 10, 10));
    EXPECT_EQ(boxes[1].rect, QRectF(30, 0, 10, 10));
    EXPECT_TRUE(layoutEan(u"", QRectF(0, 0, 40, 10)).empty());
    // Adjacent dark modules are one bar.
    const auto wide = layoutEan(u"01110", QRectF(0, 0, 50, 10));
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_EQ(wide[0].rect, QRectF(10, 0, 30, 10));
}

QImage render(const std::vector<Box>& boxes, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (const Box& box : boxes)
        painter.fillRect(box.rect, box.dark ? Qt::black : Qt::white);
    return withQuietZone(image);
}

class ScannableEan : public ::testing::TestWithParam<const char*> {};

TEST_P(ScannableEan, DecodesToItsText) {
    RecordingMessages messages;
    const QString text = QString::fromLatin1(GetParam());
    const QString modules = EAN2Bin(text);
    const QSize size(int(modules.size()) * 3, 120);
    const QStringList decoded =
        decodeBarcodes(render(layoutEan(modules, QRectF(QPointF(), size)), size));
    EXPECT_EQ(decoded, QStringList{text});
}

INSTANTIATE_TEST_SUITE_P(Codes, ScannableEan,
                         ::testing::Values("4006381333931", "5901234123457", "8001234567897",
                                           "0012345678905", "9780201379624", "96385074",
                                           "73513537"));

class ScannableCode39 : public ::testing::TestWithParam<const char*> {};

TEST_P(ScannableCode39, DecodesToItsUpperCaseText) {
    const QString text = QString::fromLatin1(GetParam());
    const int units = code39Units(text);
    const QSize size(units * 3, 100);
    const QStringList decoded =
        decodeBarcodes(render(layoutCode39(text, QRectF(QPointF(), size)), size));
    EXPECT_EQ(decoded, QStringList{text.toUpper()});
}

INSTANTIATE_TEST_SUITE_P(Texts, ScannableCode39,
                         ::testing::Values("000000", "OLIO-750", "abc", "CODE 39", "A.B$C/D+E%F",
                                           "1234567890"));

TEST(ScannableCode39, NonIntegralUnitsStillScan) {
    // 66 units over 250 pixels: 3.79 pixels a unit.
    const QSize size(250, 80);
    const auto boxes = layoutCode39(QStringLiteral("ABC"), QRectF(QPointF(), size));
    EXPECT_EQ(decodeBarcodes(render(boxes, size)), QStringList{"ABC"});
}

} // namespace
