// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/zploutput.h"

#include "common/files.h"
#include "printcomponent/pagerenderer.h"
#include "printcomponent/printdocument.h"

#include <QIODevice>
#include <QImage>

#include <algorithm>

namespace zploutput {

namespace {

// One page as a downloaded graphic ("~DG", hexadecimal rows): a row that repeats the one
// before is ':', and a row's trailing white is cut short with ','.
QByteArray graphic(const QImage& page) {
    const QImage grey = page.convertToFormat(QImage::Format_Grayscale8);
    const int perRow = (grey.width() + 7) / 8;
    QByteArray out = "~DGR:MARVELLO.GRF," + QByteArray::number(qint64(perRow) * grey.height()) +
                     ',' + QByteArray::number(perRow) + ",\n";
    QByteArray previous;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* pixels = grey.constScanLine(y);
        QByteArray bits(perRow, '\0');
        for (int x = 0; x < grey.width(); ++x) {
            if (pixels[x] < 128) // dark enough to burn a dot
                bits[x / 8] = char(uchar(bits[x / 8]) | (0x80 >> (x % 8)));
        }
        if (y > 0 && bits == previous) {
            out += ':';
            continue;
        }
        previous = bits;
        QByteArray hex = bits.toHex().toUpper();
        qsizetype used = hex.size();
        while (used > 0 && hex[used - 1] == '0')
            --used;
        out += hex.left(used);
        if (used < hex.size())
            out += ',';
        out += '\n';
    }
    return out;
}

} // namespace

QByteArray encode(const PrintDocument& document, int dotsPerInch, int copies, int first, int last,
                  QPointF shift) {
    dotsPerInch = std::clamp(dotsPerInch, 72, LargestDotsPerInch);
    const int pages = int(document.pages.size());
    QByteArray out;
    for (int page = std::max(1, first) - 1; page < (last > 0 ? std::min(last, pages) : pages);
         ++page) {
        const QImage image = printoutput::renderImage(document, page, dotsPerInch, shift);
        out += graphic(image);
        out += "^XA^PW" + QByteArray::number(image.width()) + "^LL" +
               QByteArray::number(image.height()) + "^FO0,0^XGR:MARVELLO.GRF,1,1^FS^PQ" +
               QByteArray::number(std::max(1, copies)) + "^XZ\n";
    }
    out += "^XA^IDR:MARVELLO.GRF^FS^XZ\n"; // the graphic leaves the printer's memory
    return out;
}

bool write(const PrintDocument& document, const QString& path, int dotsPerInch, QString* error) {
    return writeWholeFile(
        path, [&](QIODevice& file) { return file.write(encode(document, dotsPerInch)) >= 0; },
        error);
}

} // namespace zploutput
