// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/printdocument.h"

#include <QFont>
#include <QImage>

#include <map>
#include <tuple>

class QPainter;

namespace printoutput {

// The font a style prints with, sized in twips so that it measures the same everywhere.
QFont fontInTwips(const DrawStyle& style);

// Whether a text box shows all of its text, wrapped as pages draw it; false when its end is
// cut off by the box.
bool textFits(const DrawStyle& style, const QRectF& box, const QString& text);

// Bitmaps at the resolution their printed size needs, for a PDF: a photo printed 3 cm wide
// goes in at 300 dpi of 3 cm, not at the camera's size, and once however often it is drawn.
// Drawings and bitmaps smaller than that go in as they are.
class PrintResolution {
public:
    static constexpr double DotsPerInch = 300;
    // A drawing stays a drawing, unless its paths, repeated on every label, would cost far
    // more than a picture of it written once: a metafile logo of thousands of paths goes in as
    // a 300 dpi picture, a light logo as vectors.
    const QImage& picture(const QImage& original, QSizeF twips);

private:
    const QImage& rendition(const QImage& drawing, QSize pixels);

    std::map<std::tuple<qint64, int, int>, QImage> m_scaled;
};

// Draws one page on a painter whose coordinates are twips, moved by `shift` twips; with a
// resolution, bitmaps go through it.
void renderPage(const PrintDocument& document, int pageIndex, QPainter& painter,
                PrintResolution* resolution = nullptr, QPointF shift = {});

// One page as an image at the given resolution, white paper.
QImage renderImage(const PrintDocument& document, int pageIndex, double dotsPerInch,
                   QPointF shift = {});

} // namespace printoutput
