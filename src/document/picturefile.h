// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

class QPainter;
class QRectF;

// Picture files as label users have them: bitmaps and photos in every format Qt's image
// readers know (BMP, JPEG, PNG, GIF, TIFF, WebP, ICO...), and drawings (SVG, and Windows
// metafiles played into SVG by marvello-wmf-reader). A drawing travels as an image of itself
// at its natural size, for whatever only knows images, that carries the drawing: painting it
// with draw() puts the drawing on the page as vectors, sharp at any size.
namespace picturefile {

struct Read {
    QImage picture; // null when the file gave none
    QString error;  // why not, in words for the user
};

// Reads a picture file of any of those kinds; `pixelBudget` bounds the pixels a bitmap may
// decode to (a larger one is not decoded and `tooLarge` says so).
Read read(const QString& path, qint64 pixelBudget, bool* tooLarge = nullptr);

bool isDrawing(const QImage& picture);
// How large a drawing is, in characters of its SVG; 0 for a bitmap.
qsizetype drawingSize(const QImage& picture);

// Paints the picture stretched over `target`: a drawing as vectors, a bitmap as it is.
void draw(QPainter& painter, const QRectF& target, const QImage& picture);

// What the picture editor offers: the kinds it always offered, then the others.
QString openFilter();

} // namespace picturefile
