// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures as label users have them, printed to PDFs and looked at from outside.

#include "document/picturefile.h"
#include "support/files.h"
#include "support/images.h"
#include "support/marvelloprocess.h"

#include <QFileInfo>
#include <QMap>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr double Mm = 56.7;

// A label 80 x 50 mm on a sheet of one, its picture element 50 x 30 mm at 5 mm, 7 mm from the
// label's corner, naming `picture`.
QString pictureLabel(const QTemporaryDir& folder, const QString& picture, int labels = 1) {
    const QString path = folder.filePath(u"immagine.eti"_s);
    const QStringList lines =
        QString("oggLayout| %1 | 1 | 10 | 10 | 80 | 50 | 0 | 0 | 0 | 0 |oggPicture| %2 | %3 | %4 "
                "| %5 |||%6| 0 ")
            .arg(labels)
            .arg(5 * Mm)
            .arg(7 * Mm)
            .arg(50 * Mm)
            .arg(30 * Mm)
            .arg(picture)
            .split(u'|');
    writeBytes(path, lines.join(u"\r\n"_s).toUtf8() + "\r\n");
    return path;
}

// The image objects a PDF holds (however often each is drawn): their width in pixels.
QList<int> pdfImageWidths(const QString& pdf) {
    QMap<int, int> widthByObject;
    const QList<QByteArray> lines = runTool("pdfimages", {u"-list"_s, pdf}).split('\n');
    for (const QByteArray& line : lines.mid(2)) {
        const QList<QByteArray> columns = line.simplified().split(' ');
        if (columns.size() > 10)
            widthByObject[columns[10].toInt()] = columns[3].toInt();
    }
    return widthByObject.values();
}

// The box of the inked pixels of a page, in millimetres.
QRectF inkedMillimetres(const QImage& page, int dpi) {
    const QRect box = darkBox(page, 200);
    const double mm = 25.4 / dpi;
    return QRectF(box.x() * mm, box.y() * mm, box.width() * mm, box.height() * mm);
}

class Pictures : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString pdf = folder.filePath(u"etichetta.pdf"_s);
};

// A metafile libwmf refuses is the picture message and prints nothing; a picture that is not
// there, or is a folder, is named and the job says it is incomplete: the labels print without
// it, and a script sees an exit code of its own. A label naming no picture prints as it is.
// Real metafiles from another program print inside their element's box (at 10 + 4 + 5 mm
// across, 10 + 7 mm down: the sheet's margin, the engine's offset, the element); a light one
// as paths (a heavy one is the next test's).
TEST_F(Pictures, UnreadablePicturesAreSaidAndMetafilesPrintInsideTheirBox) {
    for (const auto& [picture, code, says] :
         {std::tuple{testData("pictures/61338.wmf"), 1, u"61338.wmf"_s},
          {testData("pictures/61338.wmf"), 1, u"Codice: 481"_s},
          {folder.filePath(u"logo-sparito.png"_s), 5, folder.filePath(u"logo-sparito.png"_s)},
          {folder.path(), 5, folder.path()},
          {QString(), 0, QString()}}) {
        QFile::remove(pdf);
        EXPECT_TRUE(exited(marvello(printTo(pictureLabel(folder, picture), pdf)), code, says));
        EXPECT_EQ(QFile::exists(pdf), code != 1) << picture.toStdString();
    }
    // libwmf draws the clip-art's polygons all white (its colours come from a palette it does
    // not apply): that one is only checked for paths.
    for (const auto& [name, inked] : {std::pair{"60677.wmf", true},
                                      {"64716_image1.wmf", true},
                                      {"64716_image2.wmf", true},
                                      {"64716_image3.wmf", true},
                                      {"empty-polygon-close.wmf", false}}) {
        SCOPED_TRACE(name);
        const QString wmf = testData("pictures") + u'/' + QString::fromLatin1(name);
        ASSERT_TRUE(exited(marvello(printTo(pictureLabel(folder, wmf), pdf)), 0));
        // A light logo: drawn as paths.
        EXPECT_TRUE(std::string_view(name) != "64716_image1.wmf" || pdfImageWidths(pdf).empty());
        if (!inked)
            continue;
        const QRectF ink = inkedMillimetres(pdfPage(pdf, 1, 300, folder.path()), 300);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(QRectF(19, 17, 50, 30).adjusted(-0.2, -0.2, 0.2, 0.2).contains(ink));
    }
}

// A logo of thousands of paths on every label costs a PDF no more than twice what the same
// logo as a 300 dpi picture costs (it took 13.8 MB for 40 labels, 50 times the picture's); a
// camera's photo on every label goes into the PDF once, at 300 dpi of its printed size.
TEST_F(Pictures, AHeavyDrawingOrAPhotoOnEveryLabelIsWrittenOnce) {
    const QString wmf = testData("pictures/60677.wmf");
    const picturefile::Read drawing = picturefile::read(wmf, 1'000'000);
    ASSERT_TRUE(picturefile::isDrawing(drawing.picture));
    QImage picture(591, 354, QImage::Format_ARGB32_Premultiplied); // 50 x 30 mm at 300 dpi
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        picturefile::draw(painter, QRectF(0, 0, 591, 354), drawing.picture);
    }
    const QString png = folder.filePath(u"logo.png"_s);
    ASSERT_TRUE(picture.save(png));
    const QStringList forty{u"--count"_s, u"40"_s};
    ASSERT_TRUE(exited(marvello(printTo(pictureLabel(folder, png), pdf, forty)), 0));
    const qint64 withPicture = QFileInfo(pdf).size();
    ASSERT_TRUE(exited(marvello(printTo(pictureLabel(folder, wmf), pdf, forty)), 0));
    const qint64 withDrawing = QFileInfo(pdf).size();
    EXPECT_LE(withDrawing, 2 * withPicture) << withDrawing << " vs " << withPicture;

    QImage photo(3000, 2000, QImage::Format_RGB32);
    QRandomGenerator random(3);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, random.generate() | 0xff000000);
    const QString jpeg = folder.filePath(u"foto.jpg"_s);
    ASSERT_TRUE(photo.save(jpeg, "JPEG", 90));
    ASSERT_TRUE(
        exited(marvello(printTo(pictureLabel(folder, jpeg, 2), pdf, {u"--count"_s, u"2"_s})), 0));
    EXPECT_EQ(pdfImageWidths(pdf), QList<int>{591}); // 50 mm at 300 dpi
}

// SVG drawings print as vectors; GIF, TIFF, WebP and ICO pictures load as bitmaps.
TEST_F(Pictures, SvgDrawingsAndOtherFormats) {
    const QString svg = folder.filePath(u"logo.svg"_s);
    writeBytes(svg, "<svg xmlns='http://www.w3.org/2000/svg' width='100' height='60'>"
                    "<rect x='5' y='5' width='90' height='50' fill='none' stroke='black' "
                    "stroke-width='4'/><text x='20' y='38' font-size='20'>Caffè</text></svg>");
    ASSERT_TRUE(exited(marvello(printTo(pictureLabel(folder, svg), pdf)), 0));
    EXPECT_TRUE(pdfImageWidths(pdf).empty());
    EXPECT_FALSE(inkedMillimetres(pdfPage(pdf, 1, 100, folder.path()), 100).isEmpty());

    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(Qt::darkBlue);
    // Qt writes no GIF: a 2 x 1 one written by hand.
    writeBytes(folder.filePath(u"foto.gif"_s),
               QByteArray::fromBase64("R0lGODlhAgABAIAAAAAA/////ywAAAAAAgABAAACAkQBADs="));
    const picturefile::Read gif = picturefile::read(folder.filePath(u"foto.gif"_s), 100);
    EXPECT_EQ(gif.picture.size(), QSize(2, 1)) << gif.error.toStdString();
    for (const char* format : {"tiff", "webp", "ico"}) {
        SCOPED_TRACE(format);
        const QString path = folder.filePath(u"foto."_s + QLatin1String(format));
        ASSERT_TRUE(photo.save(path, format));
        const picturefile::Read read = picturefile::read(path, 1'000'000);
        EXPECT_EQ(read.picture.size(), QSize(40, 30)) << read.error.toStdString();
        EXPECT_FALSE(picturefile::isDrawing(read.picture));
    }
}

} // namespace
