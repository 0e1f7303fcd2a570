// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/widgets/clsgrip.h"

#include "common/rounding.h"
#include "common/units.h"
#include "document/labelelement.h"

#include <cmath>

namespace {
qint32 whole(double value) {
    return qint32(rounding::halfToEven(value));
}
} // namespace

void clsGrip::SetRectToCtrl(const LabelElement& e) {
    Left = whole(double(e.Left));
    Top = whole(double(e.Top));
    Right = whole(double(e.Left) + double(e.Width));
    Bottom = whole(double(e.Top) + double(e.Height));
}

void clsGrip::SetCtrlToRect(LabelElement& e, bool snap, double twipsPerPixel) {
    NormalizeRect();
    if (!snap) {
        e.Left = float(Left);
        e.Top = float(Top);
        e.Width = float(Width());
        e.Height = float(Height());
        return;
    }
    e.Left = float(AgganciaX(Left, 1.0, twipsPerPixel));
    e.Top = float(AgganciaY(Top, 1.0, twipsPerPixel));
    e.Width = float(AgganciaX(Width(), 1.0, twipsPerPixel));
    e.Height = float(AgganciaY(Height(), 1.0, twipsPerPixel));
}

void clsGrip::TwipsToPixels(double twipsPerPixel) {
    Left = whole(Left / twipsPerPixel);
    Top = whole(Top / twipsPerPixel);
    Right = whole(Right / twipsPerPixel);
    Bottom = whole(Bottom / twipsPerPixel);
}

void clsGrip::PixelsToTwips(double twipsPerPixel) {
    Left = whole(Left * twipsPerPixel);
    Top = whole(Top * twipsPerPixel);
    Right = whole(Right * twipsPerPixel);
    Bottom = whole(Bottom * twipsPerPixel);
}

void clsGrip::NormalizeRect() {
    if (Left > Right)
        std::swap(Left, Right);
    if (Top > Bottom)
        std::swap(Top, Bottom);
}

bool clsGrip::PtInRect(double x, double y) const {
    return Left <= x && x < Right && Top <= y && y < Bottom;
}

double Arrotonda(double value, double step, int mode) {
    double q = value / step;
    if (q == std::floor(q))
        return value;
    switch (mode) {
    case 0:
        q = std::floor(q);
        break;
    case 1:
        q = std::floor(q) + 1;
        break;
    case 2:
        q = rounding::halfAwayFromZero(q);
        break;
    default:
        break;
    }
    return q * step;
}

double AgganciaX(double value, double multiplier, double twipsPerPixel) {
    const double step = units::TwipsPerMillimetre / twipsPerPixel;
    return Arrotonda(value / step, multiplier, 2) * step;
}

double AgganciaY(double value, double multiplier, double twipsPerPixel) {
    return AgganciaX(value, multiplier, twipsPerPixel);
}
