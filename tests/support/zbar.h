// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/marvelloprocess.h"

#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// Reads the barcodes in an image the way a scanner would, with zbar (Debian zbar-tools).
// Every symbol found, one entry each; empty when none.
inline QStringList decodeBarcodes(const QImage& image) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("symbol.png"));
    image.save(path);
    return QString::fromUtf8(
               runTool("zbarimg", {QStringLiteral("-q"), QStringLiteral("--raw"), path}))
        .split(u'\n', Qt::SkipEmptyParts);
}

// What ZXing (python3-zxing-cpp) reads in the image file: the first symbol's text, as the
// decoder prints it; empty when it finds none.
inline QByteArray zxingOutput(const QString& imagePath) {
    QProcess process;
    process.start(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral("-c"),
                   QStringLiteral("import sys, zxingcpp\nfrom PIL import Image\n"
                                  "r = zxingcpp.read_barcode(Image.open(sys.argv[1]))\n"
                                  "if r: print(r.text)"),
                   imagePath});
    process.waitForFinished(60000);
    return process.exitCode() == 0 ? process.readAllStandardOutput().trimmed() : QByteArray();
}

// The image on a white field with a quiet zone around it, as a label has.
inline QImage withQuietZone(const QImage& symbol, int margin = 40) {
    QImage field(symbol.width() + 2 * margin, symbol.height() + 2 * margin, QImage::Format_RGB32);
    field.fill(Qt::white);
    for (int y = 0; y < symbol.height(); ++y)
        for (int x = 0; x < symbol.width(); ++x)
            field.setPixel(x + margin, y + margin, symbol.pixel(x, y));
    return field;
}
