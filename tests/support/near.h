// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRectF>

#include <cmath>

#include <gtest/gtest.h>

// Points and boxes equal within `tolerance` in each coordinate, or the two as they were.
inline testing::AssertionResult near(const QPointF& actual, const QPointF& expected,
                                     double tolerance = 1e-6) {
    if (std::abs(actual.x() - expected.x()) <= tolerance &&
        std::abs(actual.y() - expected.y()) <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << actual.x() << ", " << actual.y() << ") where ("
                                       << expected.x() << ", " << expected.y() << ") was expected";
}

inline testing::AssertionResult near(const QRectF& actual, const QRectF& expected,
                                     double tolerance = 1e-6) {
    if (near(actual.topLeft(), expected.topLeft(), tolerance) &&
        near(actual.bottomRight(), expected.bottomRight(), tolerance))
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "(" << actual.left() << ", " << actual.top() << ", " << actual.width() << " x "
           << actual.height() << ") where (" << expected.left() << ", " << expected.top() << ", "
           << expected.width() << " x " << expected.height() << ") was expected";
}
