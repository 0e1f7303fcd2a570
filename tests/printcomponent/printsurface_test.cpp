// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/pagerenderer.h"
#include "printcomponent/pdfstream.h"
#include "printcomponent/printdocument.h"
#include "printcomponent/printsurface.h"
#include "support/images.h"
#include "support/marvelloprocess.h"
#include "support/near.h"
#include "support/recordingmessages.h"

#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Pages hold their operations and share their pictures; finished pages are kept packed, and
// hold exactly what they did before they were packed (what drawing them uses).
TEST(PrintSurfaceDocument, PagesArePackedShareTheirPicturesAndDrawTheSame) {
    PrintSurface surface;
    surface.DrawLine(0, 0, 100, 100); // no document yet: nothing happens
    surface.StartDoc();
    EXPECT_EQ(surface.PageCount(), 1);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int page = 0; page < 3; ++page) {
        if (page > 0)
            surface.NewPage();
        surface.setFontBold(page == 1);
        surface.TextBox(u"Pagina %1 è qui"_s.arg(page + 1), 500, 500, 3000, 400, page == 2);
        surface.DrawPicture(picture, 600, 1200, 400, 400);
        surface.ClipTo(QRectF(0, 0, 2000, 2000));
        surface.DrawCircle(1500, 2000, 700);
    }
    EXPECT_TRUE(surface.document().pages[0].isPacked());
    EXPECT_FALSE(surface.document().pages[2].isPacked()); // still being drawn
    const std::vector<DrawOp> lastPage = surface.document().pages[2].ops;
    surface.EndDoc();
    EXPECT_TRUE(surface.document().pages[2].operations() == lastPage); // packed without loss
    EXPECT_EQ(surface.PageCount(), 3);
    EXPECT_EQ(surface.document().pictures.size(), 1u); // held once
    for (const PrintPage& page : surface.document().pages) {
        EXPECT_TRUE(page.isPacked());
        EXPECT_EQ(page.operations().size(), 4u);
    }
    surface.KillDoc();
    EXPECT_EQ(surface.PageCount(), 0);
}

TEST(PrintSurfaceText, TextFlowsFromTheCurrentPositionAndMovesIt) {
    PrintSurface surface;
    surface.StartDoc();
    surface.setMarginLeft(1000);
    surface.setCurrentX(2000);
    surface.setCurrentY(3000);
    const double width = surface.TextWidth(u"abc"_s);
    EXPECT_GT(width, 0);
    surface.setText(u"abc"_s);
    EXPECT_NEAR(surface.CurrentX(), 2000 + width, 0.01);
    EXPECT_EQ(surface.CurrentY(), 3000);
    surface.setText(u"def\r"_s);
    EXPECT_EQ(surface.CurrentX(), 1000);
    EXPECT_GT(surface.CurrentY(), 3000);
    EXPECT_GT(surface.TextHeight(u"a\rb"_s), surface.TextHeight(u"a"_s));
    surface.setFontSize(20);
    EXPECT_NEAR(surface.TextWidth(u"abc"_s), 2 * width, width * 0.05);
}

TEST(PrintSurfaceActions, WithoutAPrinterEveryRequestSaysSo) {
    RecordingMessages messages;
    PrintSurface surface;
    surface.StartDoc();
    surface.EndDoc();
    for (const auto action : {pressivo::PrintDocument, pressivo::PageSetup, pressivo::PrinterSetup})
        surface.setAction(action);
    ASSERT_EQ(messages.messages.size(), 3);
    EXPECT_TRUE(messages.messages[0].text.contains(u"Nessuna stampante installata"));
    EXPECT_TRUE(surface.DeviceName().isEmpty());
}

// A page with a black 10 mm square at (20 mm, 30 mm).
PrintDocument squareDocument() {
    PrintSurface surface;
    surface.StartDoc();
    surface.setPenStyle(5);
    surface.setBrushStyle(0);
    surface.setBrushColor(0);
    const auto mm = units::millimetresToTwips;
    surface.DrawRectangle(mm(20), mm(30), mm(30), mm(40));
    surface.EndDoc();
    return surface.document();
}

// Whether an image at 600 dpi holds that square, within 0.1 mm (2.4 pixels) on every edge.
testing::AssertionResult squareAt600Dpi(const QImage& image) {
    const QRect area = darkBox(image);
    if (!area.isValid())
        return testing::AssertionFailure() << "nothing dark";
    return near(QTransform::fromScale(25.4 / 600, 25.4 / 600).mapRect(QRectF(area)),
                QRectF(20, 30, 10, 10), 0.1);
}

TEST(PrintOutput, ABoxLandsWhereItWasPlacedOnAnImageAndInAPdf) {
    // A PDF that cannot be written says why.
    QString error;
    EXPECT_FALSE(printoutput::writePdf(squareDocument(), u"/non/esiste/a.pdf"_s, &error));
    EXPECT_FALSE(error.isEmpty());

    EXPECT_TRUE(squareAt600Dpi(printoutput::renderImage(squareDocument(), 0, 600)));
    QTemporaryDir folder;
    const QString pdf = folder.filePath(u"quadrato.pdf"_s);
    ASSERT_TRUE(printoutput::writePdf(squareDocument(), pdf, &error)) << error.toStdString();
    QImageReader::setAllocationLimit(512); // an A4 page at 600 dpi
    const QImage page = pdfPage(pdf, 1, 600, folder.path());
    EXPECT_NEAR(page.width(), 4961, 2);
    EXPECT_TRUE(squareAt600Dpi(page));
}

} // namespace
