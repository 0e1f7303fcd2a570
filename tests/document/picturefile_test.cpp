// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/picturefile.h"
#include "support/files.h"
#include "support/marvelloprocess.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Cut and bit-flipped metafiles: the player stops or refuses, within its time, and the
// program only hears why. Text with "&" and "<" in a metafile still makes a drawing.
TEST(PictureFiles, DamagedMetafilesAndMarkupAreHarmless) {
    QTemporaryDir folder;
    const QByteArray good = readBytes(testData("pictures/64716_image2.wmf"));
    ASSERT_FALSE(good.isEmpty());
    QRandomGenerator random(7);
    const QString damaged = folder.filePath(u"rotto.wmf"_s);
    for (int round = 0; round < 24; ++round) {
        QByteArray bytes = good;
        if (round % 2 == 0) {
            bytes.truncate(qsizetype(random.bounded(int(good.size()))));
        } else {
            for (int flip = 0; flip < 8; ++flip)
                bytes[random.bounded(int(bytes.size()))] ^= char(1 << random.bounded(8));
        }
        writeBytes(damaged, bytes);
        const picturefile::Read read = picturefile::read(damaged, 1'000'000);
        EXPECT_TRUE(!read.picture.isNull() || !read.error.isEmpty()) << round;
        EXPECT_TRUE(read.picture.isNull() || picturefile::isDrawing(read.picture)) << round;
    }
    // The player itself ends normally: refusing, not crashing or tripping its sanitizer.
    const ProcessRun player = runProgram(QStringLiteral(MARVELLO_WMF_READER), {damaged});
    EXPECT_TRUE(player.exitCode == 0 || player.exitCode == 1) << player.exitCode;
    EXPECT_FALSE(player.err.contains(u"Sanitizer"));

    QByteArray bytes = readBytes(testData("pictures/60677.wmf"));
    ASSERT_GT(bytes.size(), 29132);
    bytes.replace(29120, 12, "A&B<C>D&E<F>"); // the string of its first ExtTextOut record
    const QString wmf = folder.filePath(u"testo.wmf"_s);
    writeBytes(wmf, bytes);
    const picturefile::Read drawing = picturefile::read(wmf, 1'000'000);
    EXPECT_TRUE(picturefile::isDrawing(drawing.picture)) << drawing.error.toStdString();
}

// A drawing painted on a white 40 x 40 image.
QImage painted(const picturefile::Read& drawing) {
    QImage page(40, 40, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    picturefile::draw(painter, QRectF(0, 0, 40, 40), drawing.picture);
    return page;
}

// How many pixels of a drawing painted on a white 40 x 40 image are mostly red.
int redPixels(const picturefile::Read& drawing) {
    const QImage page = painted(drawing);
    int red = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
    }
    return red;
}

// A drawing names another file in every way SVG has (prefixed elements, href beside
// xlink:href in either order, use, feImage, CSS): none of it is read, nothing recurses into
// itself, and a picture written into the drawing still shows.
TEST(PictureFiles, DrawingsShowNoOtherFile) {
    QTemporaryDir folder;
    QImage secret(8, 8, QImage::Format_RGB32);
    secret.fill(Qt::red);
    const QString privato = folder.filePath(u"privato.png"_s);
    ASSERT_TRUE(secret.save(privato));
    QImage green(4, 4, QImage::Format_RGB32);
    green.fill(Qt::green);
    const QString verde = folder.filePath(u"verde.png"_s);
    ASSERT_TRUE(green.save(verde));
    const QByteArray data = "data:image/png;base64," + readBytes(verde).toBase64();
    const QByteArray open =
        "<svg xmlns='http://www.w3.org/2000/svg' xmlns:s='http://www.w3.org/2000/svg' "
        "xmlns:xlink='http://www.w3.org/1999/xlink' xmlns:l='http://www.w3.org/1999/xlink' "
        "width='40' height='40'>";
    const QByteArray file = privato.toUtf8();
    const QList<QByteArray> hostile{
        "<s:image l:href='" + file + "' width='40' height='40'/>",
        "<s:image xlink:href='self.svg' width='40' height='40'/>",
        "<image href='" + data + "' xlink:href='" + file + "' width='40' height='40'/>",
        "<image xlink:href='" + file + "' href='" + data + "' width='40' height='40'/>",
        "<image href='file://" + file + "' width='40' height='40'/>",
        "<use xlink:href='self.svg#r'/>",
        "<filter id='f'><feImage xlink:href='" + file +
            "'/></filter><rect width='40' "
            "height='40' filter='url(#f)'/>",
        "<rect width='40' height='40' style='fill:url(" + file + ")'/>",
        "<style>@import url(" + file + "); rect { fill: url(" + file +
            ") }</style>"
            "<rect width='40' height='40'/>",
        // A drawing that calls itself a PNG, naming the file in turn.
        "<image href='data:image/png;base64," +
            QByteArray("<svg xmlns='http://www.w3.org/2000/svg' "
                       "xmlns:xlink='http://www.w3.org/1999/xlink' width='40' height='40'>"
                       "<image xlink:href='" +
                       file + "' width='40' height='40'/></svg>")
                .toBase64() +
            "' width='40' height='40'/>",
    };
    const QString self = folder.filePath(u"self.svg"_s);
    const auto drawn = [&](const QByteArray& body, qint64 pixels = 1'000'000) {
        writeBytes(self, open + body + "</svg>");
        return picturefile::read(self, pixels);
    };
    for (const QByteArray& body : hostile) {
        const picturefile::Read drawing = drawn(body);
        if (drawing.picture.isNull())
            continue; // refused is fine too; crashing or showing the file is not
        EXPECT_EQ(redPixels(drawing), 0) << body.left(60).toStdString();
    }
    // A drawing naming itself draws without it.
    const picturefile::Read itself =
        drawn("<image xlink:href='self.svg' width='40' height='40'/><rect width='5' height='5'/>");
    EXPECT_TRUE(picturefile::isDrawing(itself.picture)) << itself.error.toStdString();
    // The picture written into the drawing is kept, on either attribute.
    for (const QByteArray& attribute : {QByteArray("href"), QByteArray("l:href")}) {
        const picturefile::Read drawing =
            drawn("<image " + attribute + "='" + data + "' width='40' height='40'/>");
        ASSERT_TRUE(picturefile::isDrawing(drawing.picture)) << drawing.error.toStdString();
        EXPECT_EQ(painted(drawing).pixelColor(20, 20), QColor(Qt::green))
            << attribute.toStdString();
    }
    // Copies of copies of copies would draw a billion shapes: a copy of something that
    // copies is left out, and the drawing opens at once.
    QByteArray nested = "<defs><rect id='l0' width='1' height='1' fill='red'/>";
    for (int level = 1; level < 9; ++level) {
        nested += "<g id='l" + QByteArray::number(level) + "'>";
        for (int i = 0; i < 10; ++i)
            nested += "<use xlink:href='#l" + QByteArray::number(level - 1) + "'/>";
        nested += "</g>";
    }
    EXPECT_EQ(redPixels(drawn(nested + "</defs><use xlink:href='#l8'/>")), 0);

    // ...but not beyond the pixels a label may decode.
    const picturefile::Read over = drawn("<image href='" + data + "' width='40' height='40'/>", 15);
    ASSERT_FALSE(over.picture.isNull());
    EXPECT_EQ(painted(over).pixelColor(20, 20), QColor(Qt::white));
}

} // namespace
