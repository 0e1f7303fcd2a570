// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/picturefile.h"

#include "common/programfolders.h"
#include "common/resourcelimits.h"
#include "document/svgsanitizer.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace picturefile {

namespace {

// The key under which an image carries its drawing.
const QString DrawingKey = QStringLiteral("marvello-svg");
// An image of a drawing is at most this many pixels across: it only stands in for it.
constexpr int LargestStandIn = 1024;
// A drawing file larger than this is no logo: refused unread.
constexpr qint64 LargestDrawingBytes = qint64(64) << 20;
// How long a metafile may take to play.
constexpr int MetafileMilliseconds = 10000;

QString metafileReader() {
    return programfolders::helperProgram(QStringLiteral("marvello-wmf-reader"),
                                         QStringLiteral(MARVELLO_WMF_READER_BUILD_PATH));
}

// Placeable metafiles start with a key; plain ones with their header's type and size.
bool isMetafile(const QByteArray& head) {
    static const QByteArray placeable("\xD7\xCD\xC6\x9A", 4);
    return head.startsWith(placeable) || head.startsWith(QByteArray("\x01\x00\x09\x00", 4)) ||
           head.startsWith(QByteArray("\x02\x00\x09\x00", 4));
}

bool isSvg(const QString& path, const QByteArray& head) {
    return QFileInfo(path).suffix().toLower() == u"svg" || head.trimmed().startsWith("<?xml") ||
           head.trimmed().startsWith("<svg");
}

Read fromSvg(const QByteArray& original, qint64 pixelBudget) {
    const QByteArray svg = svgsanitizer::selfContained(original, pixelBudget);
    if (svg.isEmpty())
        return {{}, QStringLiteral("disegno SVG non valido")};
    QSvgRenderer renderer(svg);
    if (!renderer.isValid() || renderer.defaultSize().isEmpty())
        return {{}, QStringLiteral("disegno SVG non valido")};
    QSizeF size = renderer.defaultSize();
    size.scale(std::min<double>(LargestStandIn, std::max(size.width(), size.height())),
               std::min<double>(LargestStandIn, std::max(size.width(), size.height())),
               Qt::KeepAspectRatio);
    QImage standIn(size.toSize().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    standIn.fill(Qt::transparent);
    QPainter painter(&standIn);
    renderer.render(&painter);
    painter.end();
    standIn.setText(DrawingKey, QString::fromUtf8(svg));
    return {standIn, {}};
}

Read fromMetafile(const QString& path, qint64 pixelBudget) {
    QProcess reader;
    reader.setProgram(metafileReader());
    reader.setArguments({path});
    reader.start(QIODevice::ReadOnly);
    if (!reader.waitForFinished(MetafileMilliseconds)) {
        reader.kill();
        reader.waitForFinished();
        return {{},
                reader.error() == QProcess::FailedToStart
                    ? QStringLiteral("lettore di metafile non disponibile")
                    : QStringLiteral("metafile non valido")};
    }
    const QByteArray svg = reader.readAllStandardOutput();
    if (reader.exitStatus() != QProcess::NormalExit || reader.exitCode() != 0 || svg.isEmpty())
        return {{}, QStringLiteral("metafile non valido")};
    return fromSvg(svg, pixelBudget);
}

QByteArray headOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(512) : QByteArray();
}

} // namespace

Read read(const QString& path, qint64 pixelBudget, bool* tooLarge) {
    if (tooLarge)
        *tooLarge = false;
    const QByteArray head = headOf(path);
    if (isMetafile(head) || isSvg(path, head)) {
        QFile file(path);
        if (file.size() > LargestDrawingBytes)
            return {{}, QStringLiteral("disegno troppo grande")};
        if (isMetafile(head))
            return fromMetafile(path, pixelBudget);
        if (!file.open(QIODevice::ReadOnly) || file.isSequential())
            return {{}, file.errorString()};
        return fromSvg(file.read(LargestDrawingBytes), pixelBudget);
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(resourcelimits::PictureAllocationMegabytes);
    const QSize size = reader.size();
    if (qint64(std::max(0, size.width())) * std::max(0, size.height()) > pixelBudget) {
        if (tooLarge)
            *tooLarge = true;
        return {{}, QStringLiteral("immagine troppo grande")};
    }
    QImage image = reader.read();
    if (image.isNull())
        return {{}, reader.errorString()};
    return {image, {}};
}

bool isDrawing(const QImage& picture) {
    return !picture.text(DrawingKey).isEmpty();
}

qsizetype drawingSize(const QImage& picture) {
    return picture.text(DrawingKey).size();
}

void draw(QPainter& painter, const QRectF& target, const QImage& picture) {
    if (const QString drawing = picture.text(DrawingKey); !drawing.isEmpty()) {
        // Saved prints carry drawings too: what they carry is checked as a file would be.
        QSvgRenderer renderer(
            svgsanitizer::selfContained(drawing.toUtf8(), resourcelimits::DocumentPicturePixels));
        if (renderer.isValid()) {
            painter.save();
            // Some metafiles draw past the frame they declare: the box holds them.
            painter.setClipRect(target, Qt::IntersectClip);
            renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
            renderer.render(&painter, target);
            painter.restore();
            return;
        }
    }
    painter.drawImage(target, picture);
}

QString openFilter() {
    return QStringLiteral("File bitmap(*.bmp)|*.bmp|File jpg (*.jpg)|*.jpg|File wmf (*.wmf)|*.wmf|"
                          "Tutti i file (*.*)|*.*|File svg (*.svg)|*.svg|"
                          "File png (*.png)|*.png|File gif (*.gif)|*.gif|"
                          "File tiff (*.tif;*.tiff)|*.tif;*.tiff|File webp (*.webp)|*.webp|"
                          "File ico (*.ico)|*.ico");
}

} // namespace picturefile
