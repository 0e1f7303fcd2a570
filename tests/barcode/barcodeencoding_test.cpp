// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/barcodeencoding.h"
#include "support/zbar.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using namespace barcode;

TEST(Ean, WrongTextsGiveNoModulesAndTheirProblem) {
    const std::pair<const char*, const char*> cases[] = {
        {"40063813339", "Codice EAN invalido!.."},
        {"", "Codice EAN invalido!.."},
        {"400638133393A", "Inserire caratteri di tipo numerico..."},
        {"1234-678", "Inserire caratteri di tipo numerico..."}};
    for (const auto& [text, message] : cases) {
        const EanEncoding encoding = encodeEan(QString::fromLatin1(text));
        EXPECT_TRUE(encoding.modules.isEmpty()) << text;
        EXPECT_EQ(eanProblemText(encoding.problem), QString::fromLatin1(message)) << text;
    }
}

TEST(Ean, BlanksAroundAreAcceptedAndCheckDigitsAreNotVerified) {
    EXPECT_EQ(encodeEan(u"  4006381333931 "_s).modules, encodeEan(u"4006381333931"_s).modules);
    const EanEncoding wrong = encodeEan(u"4006381333932"_s);
    EXPECT_EQ(wrong.problem, EanProblem::None);
    EXPECT_EQ(wrong.modules.size(), 101);
    EXPECT_EQ(wrong.modules.mid(88, 7), u"1101100"); // 2 in R, encoded as given
}

TEST(Code39, LowerCaseIsUpperCaseUnknownCharactersTakeNoRoomAndTheAreaIsFilledExactly) {
    const QRectF area(10, 20, 660, 50);
    EXPECT_EQ(code39Units(u"abc"_s), 66);
    EXPECT_EQ(layoutCode39(u"abc"_s, area), layoutCode39(u"ABC"_s, area));
    EXPECT_EQ(layoutCode39(u"A#B"_s, area), layoutCode39(u"AB"_s, area));
    EXPECT_EQ(layoutCode39(u"A\u00e8B"_s, area), layoutCode39(u"AB"_s, area));
    EXPECT_TRUE(layoutCode39(QString(), area).empty());
    const auto boxes = layoutCode39(u"ABC"_s, area);
    ASSERT_FALSE(boxes.empty());
    EXPECT_DOUBLE_EQ(boxes.front().rect.left(), 10);
    EXPECT_FALSE(boxes.front().dark); // the gap before the start character
    EXPECT_EQ(boxes.back(), (Box{QRectF(660, 20, 10, 50), false})); // one unit of 660 / 66
    for (const Box& box : boxes) {
        EXPECT_EQ(box.rect.top(), 20);
        EXPECT_EQ(box.rect.height(), 50);
    }
}

TEST(EanLayout, OnlyDarkModulesAreBoxes) {
    EXPECT_EQ(layoutEan(u"0101", QRectF(0, 0, 40, 10)),
              (std::vector<Box>{{QRectF(10, 0, 10, 10)}, {QRectF(30, 0, 10, 10)}}));
    EXPECT_TRUE(layoutEan(u"", QRectF(0, 0, 40, 10)).empty());
    // Adjacent dark modules are one bar.
    EXPECT_EQ(layoutEan(u"01110", QRectF(0, 0, 50, 10)), std::vector<Box>{{QRectF(10, 0, 30, 10)}});
}

QStringList scanned(const std::vector<Box>& boxes, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (const Box& box : boxes)
        painter.fillRect(box.rect, box.dark ? Qt::black : Qt::white);
    return decodeBarcodes(withQuietZone(image));
}

TEST(Scannable, EanDecodesToItsText) {
    for (const char* code : {"4006381333931", "5901234123457", "8001234567897", "0012345678905",
                             "9780201379624", "96385074", "73513537"}) {
        const QString text = QString::fromLatin1(code);
        const QString modules = encodeEan(text).modules;
        const QSize size(int(modules.size()) * 3, 120);
        EXPECT_EQ(scanned(layoutEan(modules, QRectF(QPointF(), size)), size), QStringList{text});
    }
}

// Every character's pattern, whole: a wrong one does not scan as that character.
TEST(Scannable, Code39DecodesToItsUpperCaseText) {
    for (const char* code : {"0123456789", "ABCDEFGHIJKLM", "NOPQRSTUVWXYZ", " -.$/+%", "abc",
                             "OLIO-750", "CODE 39"}) {
        const QString text = QString::fromLatin1(code);
        const QSize size(code39Units(text) * 3, 100);
        EXPECT_EQ(scanned(layoutCode39(text, QRectF(QPointF(), size)), size),
                  QStringList{text.toUpper()})
            << code;
    }
}

} // namespace
