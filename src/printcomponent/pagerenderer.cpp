// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/pagerenderer.h"

#include "common/units.h"
#include "document/picturefile.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <functional>

namespace printoutput {

QFont fontInTwips(const DrawStyle& style) {
    QFont font(style.fontName);
    font.setPixelSize(std::max(1, int(std::lround(style.fontSize * 20.0))));
    font.setBold(style.fontBold);
    font.setItalic(style.fontItalic);
    font.setUnderline(style.fontUnderline);
    font.setHintingPreference(QFont::PreferNoHinting);
    // Letters as typed, each at its own advance: no ligatures ("fi" stays two letters a PDF
    // reader can find) and no kerning the label's measures do not expect.
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

namespace {

Qt::Alignment horizontal(int textAlign) {
    return textAlign == printcodes::AlignCentre  ? Qt::AlignHCenter
           : textAlign == printcodes::AlignRight ? Qt::AlignRight
                                                 : Qt::AlignLeft;
}

Qt::Alignment vertical(int textVertical) {
    return textVertical == printcodes::AlignMiddle   ? Qt::AlignVCenter
           : textVertical == printcodes::AlignBottom ? Qt::AlignBottom
                                                     : Qt::AlignTop;
}

QPen penOf(const DrawStyle& style) {
    if (style.penStyle == printcodes::NoPen)
        return Qt::NoPen;
    QPen pen(QColor::fromRgb(style.penColor));
    if (style.penStyle == printcodes::DashPen)
        pen.setStyle(Qt::DashLine);
    else if (style.penStyle == printcodes::DotPen)
        pen.setStyle(Qt::DotLine);
    pen.setWidthF(style.penWidth);
    pen.setCosmetic(style.penWidth <= 0);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QBrush brushOf(const DrawStyle& style) {
    return style.brushStyle == printcodes::SolidBrush ? QBrush(QColor::fromRgb(style.brushColor))
                                                      : QBrush(Qt::NoBrush);
}

QString printable(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    while (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

} // namespace

bool textFits(const DrawStyle& style, const QRectF& box, const QString& text) {
    const QFontMetricsF metrics(fontInTwips(style));
    const QString shown = printable(text);
    const QRectF area = box.normalized();
    // Most texts are one short line: no layout needed to know they fit.
    if (!shown.contains(u'\n') && metrics.height() <= area.height() + 0.5 &&
        double(shown.size()) * metrics.maxWidth() <= area.width())
        return true;
    const QRectF needed = metrics.boundingRect(
        area, int(horizontal(style.textAlign) | Qt::AlignTop | Qt::TextWordWrap), shown);
    return needed.height() <= area.height() + 0.5 && needed.width() <= area.width() + 0.5;
}

namespace {

// A quarter turn clockwise of `area`, keeping its top-left corner: its left edge becomes the
// top, its top the right edge.
QTransform quarterTurn(const QRectF& area) {
    QTransform turn;
    turn.translate(area.left() + area.height(), area.top());
    turn.rotate(90);
    turn.translate(-area.left(), -area.top());
    return turn;
}

// Pens and brushes made once per style: handing the painter the same object again costs
// nothing, while an equal new one makes PDF output write the state again.
struct StyleTools {
    std::vector<QPen> pens;
    std::vector<QBrush> brushes;
    explicit StyleTools(const PrintDocument& document) {
        for (const DrawStyle& style : document.styles) {
            pens.push_back(penOf(style));
            brushes.push_back(brushOf(style));
        }
    }
};

// A run of boxes side by side on one band, as barcodes are drawn: none covers another, so the
// boxes of each colour can be drawn together.
std::size_t bandRunEnd(const std::vector<DrawOp>& ops, std::size_t first) {
    const QRectF band = ops[first].area.normalized();
    double right = band.right();
    std::size_t end = first + 1;
    while (end < ops.size() && ops[end].kind == DrawOp::Kind::Rectangle && ops[end].measure <= 0) {
        const QRectF box = ops[end].area.normalized();
        if (box.top() != band.top() || box.bottom() != band.bottom() || box.left() < right - 1e-6)
            break;
        right = box.right();
        ++end;
    }
    return end;
}

// The size of a one-page PDF of the given pixels with what `draw` draws on it, `times` times.
qint64 pdfBytes(QSize pixels, const std::function<void(QPainter&)>& draw, int times) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(int(PrintResolution::DotsPerInch));
    pdf.setPageSize(QPageSize(QSizeF(pixels) / PrintResolution::DotsPerInch, QPageSize::Inch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&pdf);
    for (int i = 0; i < times; ++i)
        draw(painter);
    painter.end();
    return bytes.size();
}

void drawPicture(QPainter& painter, const QRectF& area, const QImage& picture,
                 PrintResolution* resolution) {
    picturefile::draw(painter, area,
                      resolution ? resolution->picture(picture, area.size()) : picture);
}

} // namespace

const QImage& PrintResolution::picture(const QImage& original, QSizeF twips) {
    const units::Length width = units::Length::twips(std::abs(twips.width()));
    const units::Length height = units::Length::twips(std::abs(twips.height()));
    const QSize needed(std::max(1, int(std::ceil(width.inPixels(DotsPerInch)))),
                       std::max(1, int(std::ceil(height.inPixels(DotsPerInch)))));
    if (picturefile::isDrawing(original))
        return rendition(original, needed);
    if (original.width() <= needed.width() && original.height() <= needed.height())
        return original;
    const auto key = std::make_tuple(original.cacheKey(), needed.width(), needed.height());
    auto found = m_scaled.find(key);
    if (found == m_scaled.end())
        found = m_scaled
                    .emplace(key, original.scaled(needed, Qt::IgnoreAspectRatio,
                                                  // two-colour and palette pictures stay crisp
                                                  original.depth() <= 8 ? Qt::FastTransformation
                                                                        : Qt::SmoothTransformation))
                    .first;
    return found->second;
}

const QImage& PrintResolution::rendition(const QImage& drawing, QSize pixels) {
    const auto key = std::make_tuple(drawing.cacheKey(), pixels.width(), pixels.height());
    if (const auto found = m_scaled.find(key); found != m_scaled.end())
        return found->second;
    QImage picture(pixels, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        picturefile::draw(painter, QRectF(QPointF(0, 0), QSizeF(pixels)), drawing);
    }
    // What each costs in a PDF, measured in one, once and twice: the paths go into the page
    // for every label, the picture once and then a reference (fonts and pictures a drawing
    // holds, once too). On a sheet of twenty labels the drawing may cost twice the picture.
    const QRectF area(QPointF(0, 0), QSizeF(pixels));
    const auto cost = [&](const std::function<void(QPainter&)>& draw) {
        const qint64 once = pdfBytes(pixels, draw, 1);
        const qint64 each = pdfBytes(pixels, draw, 2) - once;
        constexpr qint64 Labels = 20;
        return once + (Labels - 1) * each;
    };
    const qint64 paths = cost([&](QPainter& p) { picturefile::draw(p, area, drawing); });
    const qint64 bitmap = cost([&](QPainter& p) { p.drawImage(area, picture); });
    const bool vectors = paths <= 2 * bitmap;
    return m_scaled.emplace(key, vectors ? drawing : picture).first->second;
}

void renderPage(const PrintDocument& document, int pageIndex, QPainter& painter,
                PrintResolution* resolution, QPointF shift) {
    if (pageIndex < 0 || std::size_t(pageIndex) >= document.pages.size())
        return;
    painter.save();
    painter.translate(shift);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    const StyleTools tools(document);
    auto use = [&](int style) {
        painter.setPen(tools.pens[std::size_t(style)]);
        painter.setBrush(tools.brushes[std::size_t(style)]);
    };
    const PrintPage& page = document.pages[std::size_t(pageIndex)];
    const std::vector<DrawOp> unpacked =
        page.isPacked() ? page.operations() : std::vector<DrawOp>();
    const std::vector<DrawOp>& ops = page.isPacked() ? unpacked : page.ops;
    std::vector<QRectF> boxes;
    bool clipped = false;
    const QTransform upright = painter.transform();
    QTransform turned = upright;
    for (std::size_t index = 0; index < ops.size(); ++index) {
        const DrawOp& op = ops[index];
        if (op.kind == DrawOp::Kind::Turn) {
            turned = op.area.isEmpty() ? upright : quarterTurn(op.area) * upright;
            painter.setTransform(turned);
            continue;
        }
        if (op.kind == DrawOp::Kind::Rotate) {
            QTransform rotation;
            const QPointF centre = op.area.center();
            rotation.translate(centre.x(), centre.y());
            rotation.rotate(op.measure);
            rotation.translate(-centre.x(), -centre.y());
            painter.setTransform(op.measure == 0 ? turned : rotation * turned);
            continue;
        }
        if (op.kind == DrawOp::Kind::Clip) {
            // Within whatever clip the caller set: a label's cell, then the page again.
            if (clipped)
                painter.restore();
            clipped = !op.area.isEmpty();
            if (clipped) {
                painter.save();
                painter.setClipRect(op.area.normalized(), Qt::IntersectClip);
            }
            continue;
        }
        if (op.style < 0 || std::size_t(op.style) >= document.styles.size())
            continue;
        const DrawStyle& style = document.styles[std::size_t(op.style)];
        switch (op.kind) {
        case DrawOp::Kind::Line:
            painter.setPen(tools.pens[std::size_t(op.style)]);
            painter.drawLine(op.area.topLeft(), op.area.bottomRight());
            break;
        case DrawOp::Kind::Rectangle: {
            if (op.measure > 0) {
                use(op.style);
                painter.drawRoundedRect(op.area.normalized(), op.measure, op.measure);
                break;
            }
            const std::size_t end = bandRunEnd(ops, index);
            std::vector<int> styles;
            for (std::size_t i = index; i < end; ++i) {
                if (std::find(styles.begin(), styles.end(), ops[i].style) == styles.end())
                    styles.push_back(ops[i].style);
            }
            for (const int each : styles) {
                boxes.clear();
                for (std::size_t i = index; i < end; ++i) {
                    if (ops[i].style == each)
                        boxes.push_back(ops[i].area.normalized());
                }
                use(each);
                painter.drawRects(boxes.data(), int(boxes.size()));
            }
            index = end - 1;
            break;
        }
        case DrawOp::Kind::Circle:
            use(op.style);
            painter.drawEllipse(op.area.topLeft(), op.area.width(), op.area.width());
            break;
        case DrawOp::Kind::Ellipse:
            use(op.style);
            painter.drawEllipse(op.area.normalized());
            break;
        case DrawOp::Kind::Picture:
            if (op.picture >= 0 && std::size_t(op.picture) < document.pictures.size())
                drawPicture(painter, op.area.normalized(),
                            document.pictures[std::size_t(op.picture)], resolution);
            break;
        case DrawOp::Kind::Text:
            painter.setFont(fontInTwips(style));
            painter.setPen(QColor::fromRgb(style.textColor));
            painter.drawText(op.area,
                             int(horizontal(style.textAlign) | Qt::AlignTop | Qt::TextWordWrap),
                             printable(op.text));
            break;
        case DrawOp::Kind::TextBox: {
            const QRectF box = op.area.normalized();
            if (op.shade && style.brushStyle == printcodes::SolidBrush)
                painter.fillRect(box, tools.brushes[std::size_t(op.style)]);
            painter.save();
            painter.setClipRect(box, Qt::IntersectClip);
            painter.setFont(fontInTwips(style));
            painter.setPen(QColor::fromRgb(style.textColor));
            painter.drawText(
                box,
                int(horizontal(style.textAlign) | vertical(style.textVertical) | Qt::TextWordWrap),
                printable(op.text));
            painter.restore();
            break;
        }
        case DrawOp::Kind::Clip:
        case DrawOp::Kind::Turn:
        case DrawOp::Kind::Rotate:
            break;
        }
    }
    if (clipped)
        painter.restore();
    painter.restore();
}

QImage renderImage(const PrintDocument& document, int pageIndex, double dotsPerInch,
                   QPointF shift) {
    const double scale = units::Length::twips(1).inPixels(dotsPerInch);
    // A paper of whole dots is that many dots, whatever the last bit of its millimetres says.
    QImage image(QSize(int(std::ceil(document.paper.width() * scale - 1e-6)),
                       int(std::ceil(document.paper.height() * scale - 1e-6))),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(dotsPerInch / units::dotsPerInch(1))));
    image.setDotsPerMeterY(int(std::lround(dotsPerInch / units::dotsPerInch(1))));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    renderPage(document, pageIndex, painter, nullptr, shift);
    return image;
}

// ---------------------------------------------------------------------------------------------
// Saved print files

} // namespace printoutput
