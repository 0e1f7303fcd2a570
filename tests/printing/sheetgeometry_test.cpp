// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/printengine.h"
#include "printing/sheetgeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(SheetGeometry, DefaultLayoutColumnTwoRowThree) {
    const LayoutEtichetta layout;
    EXPECT_EQ(sheet::labelCorner(layout, 1, 1), QPointF(10, 10));
    EXPECT_EQ(sheet::labelCorner(layout, 2, 3), QPointF(100, 130));
    EXPECT_EQ(QPointF(GetXGen(layout, 5, 2), GetYGen(layout, 2.5, 3)), QPointF(105, 132.5));
}

TEST(SheetGeometry, OriginShiftsTheWholePrint) {
    LayoutEtichetta layout;
    layout.OrigineX = -2.5;
    layout.OrigineY = 1.25;
    EXPECT_EQ(sheet::labelCorner(layout, 1, 1), QPointF(7.5, 11.25));
    EXPECT_EQ(sheet::labelCorner(layout, 2, 4), QPointF(97.5, 191.25));
}

TEST(SheetGeometry, GapsAndSizesOfAnOddSheet) {
    LayoutEtichetta layout;
    layout.MargineSinistro = 4.5;
    layout.MargineSuperiore = 13;
    layout.LarghezzaEtichetta = 63.5;
    layout.AltezzaEtichetta = 38.1;
    layout.SpazioOrizzontale = 2.5;
    layout.SpazioVerticale = 0;
    const QPointF corner = sheet::labelCorner(layout, 3, 7);
    EXPECT_DOUBLE_EQ(corner.x(), 4.5 + 2 * 63.5 + 2 * 2.5);
    EXPECT_DOUBLE_EQ(corner.y(), 13 + 6 * 38.1);
}

} // namespace
