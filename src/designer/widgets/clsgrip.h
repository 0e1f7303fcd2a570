// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QtGlobal>

struct LabelElement;

// One axis-aligned rectangle as four integer edges, in whichever frame the last conversion
// used: the surface's twips, or the surface's pixels. Right and bottom are outside the
// rectangle for hit testing.
class clsGrip {
public:
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Right = 0;
    qint32 Bottom = 0;

    qint32 Width() const { return Right - Left; }
    void setWidth(qint32 width) { Right = Left + width; }
    qint32 Height() const { return Bottom - Top; }
    void setHeight(qint32 height) { Bottom = Top + height; }

    // The element's extent in surface twips, each edge rounded half to even.
    void SetRectToCtrl(const LabelElement& element);
    // Orders the edges and moves and sizes the element to the rectangle (twips), each value
    // snapped on the millimetre step of pixels when snapping is on, as the label program did.
    void SetCtrlToRect(LabelElement& element, bool snap, double twipsPerPixel);
    // Between surface twips and surface pixels, rounding half to even.
    void TwipsToPixels(double twipsPerPixel);
    void PixelsToTwips(double twipsPerPixel);
    void NormalizeRect();
    bool PtInRect(double x, double y) const;

    QRect toQRect() const { return QRect(QPoint(Left, Top), QPoint(Right - 1, Bottom - 1)); }
};

// Rounding of a value to a multiple of a step: mode 0 down, 1 up, 2 to the nearest with halves
// away from zero; a value already on the step comes back unchanged.
double Arrotonda(double value, double step, int mode);
// A value in pixels snapped on the millimetre step of pixels (3.78 at 15 twips a pixel).
double AgganciaX(double value, double multiplier, double twipsPerPixel);
double AgganciaY(double value, double multiplier, double twipsPerPixel);
