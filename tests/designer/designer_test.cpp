// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/units.h"
#include "database/clsdatabase.h"
#include "designer/widgets/clsgrip.h"
#include "designer/widgets/designsurface.h"
#include "document/labeldocument.h"
#include "printcomponent/pressivoui.h"
#include "printing/printengine.h"
#include "support/marvelloprocess.h"
#include "support/near.h"
#include "support/settingsfolder.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Snapping, HalvesAwayFromZeroOnTheMillimetreStep) {
    EXPECT_DOUBLE_EQ(Arrotonda(7.56, 1, 2), 8);
    EXPECT_DOUBLE_EQ(Arrotonda(2.5, 1, 2), 3);
    EXPECT_DOUBLE_EQ(Arrotonda(-2.5, 1, 2), -3);
    EXPECT_NEAR(AgganciaX(100, 1.0, 15), 26 * 3.78, 1e-9);
}

class Surface : public ::testing::Test {
protected:
    Surface()
        : surface(document) {
        surface.setModoSelezione(true);
        surface.setSnap(false);
        surface.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&surface));
        tpp = surface.twipsPerPixel();
    }

    QPoint pixel(double xTwips, double yTwips) const {
        return QPoint(int(xTwips / tpp), int(yTwips / tpp));
    }

    void drag(QPoint from, QPoint to) {
        QTest::mousePress(&surface, Qt::LeftButton, {}, from);
        QTest::mouseMove(&surface, to);
        QTest::mouseRelease(&surface, Qt::LeftButton, {}, to);
    }

    LabelDocument document;
    DesignSurface surface;
    double tpp = 15;
};

// A click selects without moving. Without the select tool (and no other armed) presses do
// nothing. A drag moves the element once released.
TEST_F(Surface, APressSelectsWithEightGripsAndADragMovesOnceReleased) {
    LabelElement* text = document.CreaOggTesto(1200, 2000, 1000, 255);
    const QPoint inside = pixel(1500, 2100);
    QTest::mouseClick(&surface, Qt::LeftButton, {}, inside);
    EXPECT_EQ(surface.ControlloCorrente(), text);
    EXPECT_EQ(surface.StatoTrascinamento(), 0);
    for (const QRect& grip : surface.grips())
        EXPECT_EQ(grip.size(), QSize(5, 5));
    EXPECT_TRUE(near(text->box().topLeft(), QPointF(1200, 2000), tpp / 2));
    EXPECT_EQ(text->Width, 1000); // a click that does not move changes nothing
    surface.Deseleziona();
    surface.setModoSelezione(false);
    QTest::mouseClick(&surface, Qt::LeftButton, {}, inside);
    EXPECT_EQ(surface.ControlloCorrente(), nullptr);
    EXPECT_EQ(text->Left, 1200);

    surface.setModoSelezione(true);
    QTest::mousePress(&surface, Qt::LeftButton, {}, inside);
    QTest::mouseMove(&surface, inside + QPoint(40, 20));
    EXPECT_EQ(surface.StatoTrascinamento(), 1);
    EXPECT_EQ(text->Left, 1200); // the element waits for the release
    QTest::mouseRelease(&surface, Qt::LeftButton, {}, inside + QPoint(40, 20));
    EXPECT_TRUE(near(text->box().topLeft(), QPointF(1200 + 40 * tpp, 2000 + 20 * tpp), tpp));
    EXPECT_NEAR(text->Width, 1000, tpp); // whole pixels after a drag
}

TEST_F(Surface, ABottomRightGripDraggedPastTheTopLeftIsPutInOrder) {
    LabelElement* box = document.CreaOggRettangolo(3000, 3000, 1500, 1500);
    QTest::mouseClick(&surface, Qt::LeftButton, {}, pixel(3600, 3600));
    const QRect grip = surface.grips()[4];
    const QPoint target = pixel(3000, 3000) - QPoint(30, 20);
    drag(grip.center(), target);
    EXPECT_TRUE(near(box->box().topLeft(), QPointF(target) * tpp, tpp));
    EXPECT_NEAR(box->Width, 30 * tpp, 2 * tpp);
    EXPECT_NEAR(box->Height, 20 * tpp, 2 * tpp);
}

// A line has grips at its two ends only; an end dragged across the other turns the line the
// other way, its ends where the user left them.
TEST_F(Surface, ALineIsHeldByItsEnds) {
    LabelElement* line = document.CreaOgg(ElementKind::Linea, 3000, 3000, 1500, 750);
    surface.select({line});
    const auto shown = [&] {
        std::vector<int> found;
        for (int i = 0; i < 8; ++i)
            if (!surface.grips()[std::size_t(i)].isNull())
                found.push_back(i);
        return found;
    };
    EXPECT_EQ(shown(), (std::vector<int>{0, 4})); // top left, bottom right
    line->Ascendente = true;
    EXPECT_EQ(shown(), (std::vector<int>{2, 6}));
    line->Rotazione = 90; // turned a quarter, a rising line falls
    EXPECT_EQ(shown(), (std::vector<int>{0, 4}));
    line->Rotazione = 0;
    // The top-right end dragged left past the bottom-left one, staying above it.
    const QPoint end = surface.grips()[2].center();
    EXPECT_TRUE(surface.grips()[7].isNull());
    drag(end, pixel(2400, 3200));
    EXPECT_FALSE(line->Ascendente); // from (2400, 3200) down to (3000, 3750)
    EXPECT_TRUE(near(line->box(), QRectF(QPointF(2400, 3200), QPointF(3000, 3750)), 2 * tpp));
}

// Whole millimetres from the label's top-left corner.
bool onLabelMillimetre(double twips, double origin) {
    const double millimetres = (twips - origin) / units::TwipsPerMillimetre;
    return std::abs(millimetres - std::round(millimetres)) < 1e-3;
}

TEST_F(Surface, SnappedMovesLandOnTheLabelsMillimetresAndCanSitFlush) {
    surface.setSnap(true);
    LabelElement* text = document.CreaOggTesto(1200, 2000, 1000, 255);
    const QPoint from = pixel(1500, 2100);
    drag(from, from + QPoint(37, 23));
    EXPECT_TRUE(onLabelMillimetre(text->Left, units::LabelOriginXTwips)) << text->Left;
    EXPECT_TRUE(onLabelMillimetre(text->Top, units::LabelOriginYTwips)) << text->Top;
    // Dragged next to the label's corner it lands exactly on it.
    const QPoint grab = pixel(text->Left + 500, text->Top + 120); // its middle, not a grip
    const QPoint towardsCorner(int(std::lround((units::LabelOriginXTwips - text->Left) / tpp)) + 1,
                               int(std::lround((units::LabelOriginYTwips - text->Top) / tpp)) + 1);
    drag(grab, grab + towardsCorner); // a pixel short of the corner
    EXPECT_EQ(text->box().topLeft(), QPointF(units::LabelOriginXTwips, units::LabelOriginYTwips));
}

TEST_F(Surface, AnArmedToolInsertsItsElementWhereTheUserClicked) {
    surface.armTool(DesignSurface::Tool::Testo);
    EXPECT_FALSE(surface.ModoSelezione());
    const QPoint at = pixel(2400, 3000);
    QTest::mouseClick(&surface, Qt::LeftButton, {}, at);
    ASSERT_EQ(document.elements().size(), 1u);
    const LabelElement& text = *document.elements()[0];
    EXPECT_EQ(text.kind, ElementKind::Testo);
    EXPECT_NEAR(text.Left, at.x() * tpp, tpp);
    EXPECT_EQ(text.Width, 1000);
    EXPECT_EQ(text.Height, 255);
    EXPECT_TRUE(surface.ModoSelezione());
    EXPECT_EQ(surface.armedTool(), DesignSurface::Tool::None);
    EXPECT_EQ(surface.ControlloCorrente(), &text);

    document.NuovaEtichetta();
    const QPoint click = pixel(2345, 3456);
    surface.armTool(DesignSurface::Tool::Rettangolo);
    QTest::mouseClick(&surface, Qt::LeftButton, {}, click);
    ASSERT_EQ(document.elements().size(), 1u);
    EXPECT_TRUE(near(document.elements()[0]->box().topLeft(), QPointF(click) * tpp, 1e-3));
    surface.setSnap(true);
    surface.armTool(DesignSurface::Tool::Rettangolo);
    QTest::mouseClick(&surface, Qt::LeftButton, {}, click);
    ASSERT_EQ(document.elements().size(), 2u);
    const LabelElement& snapped = *document.elements()[1];
    EXPECT_TRUE(onLabelMillimetre(snapped.Left, units::LabelOriginXTwips));
    EXPECT_TRUE(near(snapped.box().topLeft(), QPointF(click) * tpp, units::TwipsPerMillimetre / 2));
}

TEST_F(Surface, ADragReleasedOutsideTheSurfaceStaysWhereScrollBarsReachIt) {
    LabelElement* box = document.CreaOggRettangolo(3000, 3000, 1500, 1500);
    const QPoint grab = pixel(3700, 3700);
    drag(grab, QPoint(-500, -400)); // far above and left of the window
    EXPECT_GE(box->Left, 0);
    EXPECT_GE(box->Top, 0);
    drag(pixel(box->Left + 700, box->Top + 700), QPoint(100000, 100000));
    EXPECT_LE(box->Left + box->Width, surface.width() * tpp + 0.5);
    EXPECT_LE(box->Top + box->Height, surface.height() * tpp + 0.5);
    EXPECT_FLOAT_EQ(box->Width, 1500); // moved, never resized
}

TEST_F(Surface, RectanglesAreHitAndEmptySurfaceClears) {
    document.CreaOggTesto(5000, 5000, 1000, 255);
    LabelElement* front = document.CreaOggRettangolo(5000, 5000, 1500, 1500);
    QTest::mouseClick(&surface, Qt::LeftButton, {}, pixel(5100, 5100));
    EXPECT_EQ(surface.ControlloCorrente(), front); // the frontmost wins
    QTest::mouseClick(&surface, Qt::LeftButton, {}, pixel(9000, 9000));
    EXPECT_EQ(surface.ControlloCorrente(), nullptr);
    EXPECT_TRUE(surface.ModoSelezione());
    QTest::mouseClick(&surface, Qt::RightButton, {}, pixel(5100, 5100));
    EXPECT_EQ(surface.ControlloCorrente(), nullptr); // other buttons do nothing
}

// At 200 % a drag of N pixels moves half the twips it moves at 100 %; snapping still lands
// on the label's millimetres; the surface and its rulers grow with the zoom, grips do not.
TEST_F(Surface, ZoomScalesThePixelsNotThePositions) {
    LabelElement* text = document.CreaOggTesto(1200, 2000, 1000, 255);
    const QSize normal = surface.sizeHint();
    surface.setZoom(2);
    EXPECT_DOUBLE_EQ(surface.twipsPerPixel(), tpp / 2);
    EXPECT_NEAR(surface.sizeHint().width(), normal.width() * 2, 1);
    EXPECT_NEAR(surface.sizeHint().height(), normal.height() * 2, 1);
    const QPoint from(int(1500 / (tpp / 2)), int(2100 / (tpp / 2)));
    drag(from, from + QPoint(40, 20));
    EXPECT_FLOAT_EQ(text->Left, float(1200 + 40 * tpp / 2));
    EXPECT_FLOAT_EQ(text->Top, float(2000 + 20 * tpp / 2));
    EXPECT_EQ(surface.grips()[0].size(), QSize(5, 5));
    surface.setSnap(true);
    drag(from + QPoint(45, 25), from + QPoint(82, 48));
    EXPECT_TRUE(onLabelMillimetre(text->Left, units::LabelOriginXTwips)) << text->Left;
    surface.setZoom(10);
    EXPECT_EQ(surface.zoom(), DesignSurface::MaximumZoom);
}

// Shift+click adds and removes, a frame on the empty surface takes what it encloses, a drag
// moves every element chosen, the arrow keys move them by a millimetre (Shift: a tenth), Tab
// goes from element to element, Esc lets the selection go.
TEST_F(Surface, SeveralElementsAtOnce) {
    LabelElement* a = document.CreaOggTesto(1200, 2000, 1000, 255);
    LabelElement* b = document.CreaOggTesto(3000, 2000, 1000, 255);
    LabelElement* c = document.CreaOggRettangolo(3000, 4000, 1000, 1000);
    QTest::mouseClick(&surface, Qt::LeftButton, {}, pixel(1500, 2100));
    QTest::mouseClick(&surface, Qt::LeftButton, Qt::ShiftModifier, pixel(3500, 2100));
    QTest::mouseClick(&surface, Qt::LeftButton, Qt::ShiftModifier, pixel(3500, 4500));
    EXPECT_EQ(surface.selection(), (std::vector<LabelElement*>{a, b, c}));
    QTest::mouseClick(&surface, Qt::LeftButton, Qt::ShiftModifier, pixel(3500, 2100));
    EXPECT_EQ(surface.selection(), (std::vector<LabelElement*>{a, c}));
    EXPECT_TRUE(surface.grips()[0].isNull()); // grips are for one element alone

    drag(pixel(2900, 1900), pixel(4100, 5100)); // around b and c, not a
    EXPECT_EQ(surface.selection(), (std::vector<LabelElement*>{b, c}));
    drag(pixel(3500, 4500), pixel(3500, 4500) + QPoint(20, 10));
    EXPECT_FLOAT_EQ(b->Left - 3000, c->Left - 3000);
    EXPECT_NEAR(c->Left, 3000 + 20 * tpp, tpp);
    EXPECT_FLOAT_EQ(a->Left, 1200);

    const float left = b->Left, top = c->Top;
    QTest::keyClick(&surface, Qt::Key_Right);
    QTest::keyClick(&surface, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_FLOAT_EQ(b->Left, float(left + units::TwipsPerMillimetre));
    EXPECT_FLOAT_EQ(c->Top, float(top + units::TwipsPerMillimetre / 10));

    QTest::keyClick(&surface, Qt::Key_Tab);
    EXPECT_EQ(surface.selection(), std::vector<LabelElement*>{a}); // after c, the first
    QTest::keyClick(&surface, Qt::Key_Backtab);
    EXPECT_EQ(surface.selection(), std::vector<LabelElement*>{c});
    QTest::keyClick(&surface, Qt::Key_Escape);
    EXPECT_TRUE(surface.selection().empty());
    surface.armTool(DesignSurface::Tool::Testo);
    QTest::keyClick(&surface, Qt::Key_Escape);
    EXPECT_EQ(surface.armedTool(), DesignSurface::Tool::None);
}

} // namespace

// The design surface shows what prints: a label with every kind of element, grabbed from the
// surface and rendered from the PDF the print engine writes, at the same resolution.
TEST(OneRenderer, TheDesignerShowsThePixelsOfThePdf) {
    const SettingsFolder folder;
    LabelDocument document;
    const double mm = units::TwipsPerMillimetre;
    const double left = units::LabelOriginXTwips, top = units::LabelOriginYTwips;
    LabelElement* text = document.CreaOggTesto(left + 3 * mm, top + 3 * mm, 60 * mm, 8 * mm);
    text->Caption = u"Prodotto 42"_s;
    text->FontName = u"DejaVu Sans"_s;
    text->FontSize = 14;
    text->FontBold = true;
    text->Alignment = TextAlignment::Centre;
    LabelElement* barcode =
        document.CreaOggImmagine(left + 5 * mm, top + 14 * mm, 40 * mm, 18 * mm);
    barcode->ToolTipText = u"8001234000011"_s;
    barcode->Tag = u"10"_s;
    LabelElement* box = document.CreaOggRettangolo(left + 50 * mm, top + 14 * mm, 25 * mm, 12 * mm);
    box->BorderWidth = 3;
    box->BackStyle = Background::Opaque;
    box->BackColor = 0xc0c0c0;
    LabelElement* picture =
        document.CreaOggPicture(left + 50 * mm, top + 30 * mm, 20 * mm, 15 * mm);
    QImage checks(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            checks.setPixelColor(x, y, (x / 10 + y / 10) % 2 ? Qt::white : Qt::black);
    picture->Picture = checks;
    picture->ToolTipText = folder.filePath(u"quadri.png"_s);
    ASSERT_TRUE(checks.save(picture->ToolTipText));

    DesignSurface surface(document);
    const double dpi = surface.logicalDpiX();
    const QImage designed = surface.grab().toImage().convertToFormat(QImage::Format_Grayscale8);

    HeadlessPressivoUi ui;
    ui.destination = pressivo::File;
    ui.fileName = folder.filePath(u"etichetta.pdf"_s);
    PrintHooks hooks;
    hooks.ui = &ui;
    hooks.askJob = [](PrintJob& job, bool) {
        job.PremutoOk = true;
        job.NumeroEtichette = job.PrimaEtichetta = 1;
    };
    clsDatabase database;
    ASSERT_EQ(StampaEtichette(document, database, false, hooks), PrintOutcome::Delivered);
    const QImage page =
        pdfPage(ui.fileName, 1, int(dpi), folder.path()).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(page.isNull());

    // The label's corner on the surface, and on the page (its margins, and the 4 mm the
    // engine shifts every element by).
    const LayoutEtichetta layout = document.layout();
    const auto pixels = [&](double twips) { return int(std::lround(twips * dpi / 1440.0)); };
    const QPoint onSurface(pixels(left) + 1, pixels(top) + 1);
    const QPoint onPage(pixels((layout.MargineSinistro + layout.OrigineX + 4) * mm) + 1,
                        pixels((layout.MargineSuperiore + layout.OrigineY) * mm) + 1);
    // Inside the label's outline, which only the surface draws.
    const QSize size(pixels(layout.LarghezzaEtichetta * mm) - 2,
                     pixels(layout.AltezzaEtichetta * mm) - 2);
    int dark = 0, different = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const int a = qGray(designed.pixel(onSurface + QPoint(x, y)));
            const int b = qGray(page.pixel(onPage + QPoint(x, y)));
            dark += b < 128;
            // Edges fall on a neighbouring pixel when rounding differs: look around.
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = std::abs(qGray(page.pixel(onPage + QPoint(x + dx, y + dy))) - a) < 80;
            different += !near;
        }
    }
    EXPECT_GT(dark, 2000); // the label printed
    // Antialiased edges differ in about one pixel in two hundred; a missing, moved or
    // differently drawn element in thousands.
    EXPECT_LT(different, size.width() * size.height() / 100) << "pixels that differ: " << different;
}
