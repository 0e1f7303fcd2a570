// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/printdocument.h"

#include "common/units.h"
#include "document/picturefile.h"

#include "common/colors.h"
#include "common/files.h"
#include "common/resourcelimits.h"
#include "common/watchdog.h"
#include "printcomponent/pdfstream.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDataStream>
#include <QFile>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <functional>
#include <type_traits>

int PrintDocument::styleIndex(const DrawStyle& style) {
    // Documents use a handful of styles; the last ones are the likely match.
    for (int i = int(styles.size()) - 1; i >= 0; --i) {
        if (styles[std::size_t(i)] == style)
            return i;
    }
    styles.push_back(style);
    return int(styles.size()) - 1;
}

int PrintDocument::pictureIndex(const QImage& picture) {
    const auto found = m_pictureByKey.find(picture.cacheKey());
    if (found != m_pictureByKey.end())
        return found->second;
    pictures.push_back(picture);
    const int index = int(pictures.size()) - 1;
    m_pictureByKey.emplace(picture.cacheKey(), index);
    return index;
}

void PrintDocument::clear() {
    pages.clear();
    styles.clear();
    pictures.clear();
    m_pictureByKey.clear();
}

bool PrintDocument::operator==(const PrintDocument& other) const {
    if (paper != other.paper || pages != other.pages || styles != other.styles ||
        pictures.size() != other.pictures.size())
        return false;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (pictures[i].convertToFormat(QImage::Format_ARGB32) !=
            other.pictures[i].convertToFormat(QImage::Format_ARGB32))
            return false;
    }
    return true;
}

namespace printoutput {

QFont fontInTwips(const DrawStyle& style) {
    QFont font(style.fontName);
    font.setPixelSize(std::max(1, int(std::lround(style.fontSize * 20.0))));
    font.setBold(style.fontBold);
    font.setItalic(style.fontItalic);
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

QPen penOf(const DrawStyle& style) {
    if (style.penStyle == printcodes::NoPen)
        return Qt::NoPen;
    QPen pen(QColor::fromRgb(style.penColor));
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
    while (end < ops.size() && ops[end].kind == DrawOp::Kind::Rectangle) {
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
                PrintResolution* resolution) {
    if (pageIndex < 0 || std::size_t(pageIndex) >= document.pages.size())
        return;
    painter.save();
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
    for (std::size_t index = 0; index < ops.size(); ++index) {
        const DrawOp& op = ops[index];
        if (op.kind == DrawOp::Kind::Turn) {
            painter.setTransform(op.area.isEmpty() ? upright : quarterTurn(op.area) * upright);
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
            painter.drawText(box,
                             int(horizontal(style.textAlign) | Qt::AlignTop | Qt::TextWordWrap),
                             printable(op.text));
            painter.restore();
            break;
        }
        case DrawOp::Kind::Clip:
        case DrawOp::Kind::Turn:
            break;
        }
    }
    if (clipped)
        painter.restore();
    painter.restore();
}

bool writePdf(const PrintDocument& document, const QString& path, QString* error) {
    PdfFile pdf(path, document.paper);
    if (!pdf.open(error))
        return false;
    const int pages = std::max<int>(1, int(document.pages.size()));
    for (int page = 0; page < pages; ++page)
        pdf.addPage(document, page);
    return pdf.commit(error);
}

QImage renderImage(const PrintDocument& document, int pageIndex, double dotsPerInch) {
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
    renderPage(document, pageIndex, painter);
    return image;
}

// ---------------------------------------------------------------------------------------------
// Saved print files

namespace {

const QByteArray Magic("MARVELLO-STAMPA\n");
// 2: the content is followed by its SHA-256, so that a damaged file is refused whole.
constexpr quint16 Version = 2;
constexpr quint16 VersionWithoutChecksum = 1;
constexpr qsizetype ChecksumBytes = 32;
constexpr double LargestMeasure = 1e9; // twips; a page is never larger

// Passes what is written on to the file, and sums it up on the way.
class ChecksummedWriter : public QIODevice {
public:
    explicit ChecksummedWriter(QIODevice& target)
        : m_target(target)
        , m_sum(QCryptographicHash::Sha256) {
        open(QIODevice::WriteOnly);
    }
    QByteArray checksum() const { return m_sum.result(); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        const qint64 written = m_target.write(data, size);
        if (written > 0)
            m_sum.addData(QByteArrayView(data, written));
        return written;
    }

private:
    QIODevice& m_target;
    QCryptographicHash m_sum;
};

void writeString(QDataStream& out, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    out << quint32(bytes.size());
    out.writeRawData(bytes.constData(), int(bytes.size()));
}

void writeBytes(QDataStream& out, const QByteArray& bytes) {
    out << quint32(bytes.size());
    out.writeRawData(bytes.constData(), int(bytes.size()));
}

// Reads what save() wrote, checking every count against the bytes that are left, so that no
// value in a file can make it allocate more than the file's own size.
class Reader {
public:
    explicit Reader(const QByteArray& bytes)
        : m_bytes(bytes) {}

    bool failed() const { return m_failed; }
    qsizetype left() const { return m_bytes.size() - m_at; }
    void fail() { m_failed = true; }

    template <typename T> T number() {
        T value{};
        if (m_failed || left() < qsizetype(sizeof(T))) {
            fail();
            return value;
        }
        // QDataStream writes big-endian; doubles as their 64-bit pattern.
        if constexpr (std::is_same_v<T, double>) {
            const quint64 bits = qFromBigEndian<quint64>(m_bytes.constData() + m_at);
            std::memcpy(&value, &bits, sizeof value);
        } else {
            value = qFromBigEndian<T>(m_bytes.constData() + m_at);
        }
        m_at += sizeof(T);
        return value;
    }

    double measure() {
        const double value = number<double>();
        if (!std::isfinite(value) || std::fabs(value) > LargestMeasure)
            fail();
        return value;
    }

    QByteArray bytes() {
        const quint32 size = number<quint32>();
        if (m_failed || qsizetype(size) > left()) {
            fail();
            return {};
        }
        const QByteArray value = m_bytes.mid(m_at, size);
        m_at += size;
        return value;
    }

    QString string() { return QString::fromUtf8(bytes()); }

    // A count of records of at least `smallest` bytes each.
    quint32 count(qsizetype smallest) {
        const quint32 value = number<quint32>();
        if (!m_failed && qsizetype(value) > left() / smallest)
            fail();
        return m_failed ? 0 : value;
    }

private:
    const QByteArray& m_bytes;
    qsizetype m_at = 0;
    bool m_failed = false;
};

} // namespace

bool save(const PrintDocument& document, const QString& path, QString* error) {
    if (const QString problem = outputTargetProblem(path); !problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    watchdog::setOutput(path);
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = writeFailureReason(path, errno, file.errorString());
        return false;
    }
    ChecksummedWriter checksummed(file);
    QDataStream out(&checksummed);
    out.setFloatingPointPrecision(QDataStream::DoublePrecision);
    out.writeRawData(Magic.constData(), int(Magic.size()));
    out << Version << document.paper.width() << document.paper.height();
    out << quint32(document.styles.size());
    for (const DrawStyle& s : document.styles) {
        out << qint32(s.penStyle) << s.penWidth << quint32(s.penColor) << qint32(s.brushStyle)
            << quint32(s.brushColor);
        writeString(out, s.fontName);
        out << s.fontSize << quint8(s.fontBold) << quint8(s.fontItalic) << quint32(s.textColor)
            << qint32(s.textAlign);
    }
    out << quint32(document.pictures.size());
    for (const QImage& picture : document.pictures) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        writeBytes(out, png);
    }
    out << quint32(document.pages.size());
    for (const PrintPage& page : document.pages) {
        const std::vector<DrawOp> ops = page.operations();
        out << quint32(ops.size());
        for (const DrawOp& op : ops) {
            out << quint8(op.kind) << op.area.x() << op.area.y() << op.area.width()
                << op.area.height() << qint32(op.style) << qint32(op.picture);
            writeString(out, op.text);
            out << quint8(op.shade);
        }
    }
    const bool written =
        out.status() == QDataStream::Ok && file.write(checksummed.checksum()) == ChecksumBytes;
    if (!written)
        file.cancelWriting();
    if (!file.commit() || !written) {
        if (error)
            *error = writeFailureReason(path, errno, file.errorString());
        return false;
    }
    return true;
}

std::optional<LoadError> load(const QString& path, PrintDocument& document) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LoadError{
            FileAccessError,
            QStringLiteral("Errore di accesso al percorso/file: %1").arg(file.errorString())};
    if (file.size() > resourcelimits::SavedPrintBytes)
        return LoadError{InvalidFileFormat,
                         QStringLiteral("Formato di file non valido: %1 è troppo grande per una "
                                        "stampa salvata.")
                             .arg(path)};
    return load(file.readAll(), document);
}

std::optional<LoadError> load(const QByteArray& bytes, PrintDocument& document) {
    const LoadError invalid{InvalidFileFormat,
                            QStringLiteral("Formato di file non valido: non è una stampa salvata "
                                           "di Marvello, oppure è danneggiata.")};
    if (!bytes.startsWith(Magic))
        return invalid;
    const quint16 version = bytes.size() >= Magic.size() + 2
                                ? qFromBigEndian<quint16>(bytes.constData() + Magic.size())
                                : 0;
    if (version != Version && version != VersionWithoutChecksum)
        return LoadError{InvalidFileFormat,
                         QStringLiteral("Formato di file non valido: versione non supportata.")};
    QByteArray content = bytes;
    if (version == Version) {
        if (content.size() < Magic.size() + 2 + ChecksumBytes)
            return invalid;
        const QByteArray written = content.right(ChecksumBytes);
        content.chop(ChecksumBytes);
        if (QCryptographicHash::hash(content, QCryptographicHash::Sha256) != written)
            return invalid;
    }
    Reader in(content);
    for (int i = 0; i < Magic.size(); ++i)
        in.number<quint8>();
    in.number<quint16>();
    PrintDocument loaded;
    loaded.paper.setWidth(in.measure());
    loaded.paper.setHeight(in.measure());
    if (loaded.paper.width() <= 0 || loaded.paper.height() <= 0)
        in.fail();

    const quint32 styleCount = in.count(50);
    for (quint32 i = 0; i < styleCount && !in.failed(); ++i) {
        DrawStyle s;
        s.penStyle = in.number<qint32>();
        s.penWidth = in.measure();
        s.penColor = in.number<quint32>();
        s.brushStyle = in.number<qint32>();
        s.brushColor = in.number<quint32>();
        s.fontName = in.string();
        s.fontSize = in.measure();
        s.fontBold = in.number<quint8>() != 0;
        s.fontItalic = in.number<quint8>() != 0;
        s.textColor = in.number<quint32>();
        s.textAlign = in.number<qint32>();
        if (s.fontSize < 0 || s.fontSize > 5000 || s.penWidth < 0)
            in.fail();
        loaded.styles.push_back(s);
    }

    // The same picture stored again is decoded once; all pictures together stay within the
    // pixels one document may hold.
    const quint32 pictureCount = in.count(4);
    std::unordered_map<QByteArray, QImage> decoded;
    qint64 pixels = 0;
    for (quint32 i = 0; i < pictureCount && !in.failed(); ++i) {
        QByteArray png = in.bytes();
        auto known = decoded.find(png);
        if (known == decoded.end()) {
            QBuffer buffer(&png);
            QImageReader reader(&buffer, "PNG");
            reader.setAllocationLimit(resourcelimits::PictureAllocationMegabytes);
            const QSize size = reader.size();
            pixels += qint64(size.width()) * size.height();
            const QImage picture =
                pixels <= resourcelimits::DocumentPicturePixels ? reader.read() : QImage();
            if (picture.isNull())
                in.fail();
            known = decoded.emplace(std::move(png), picture).first;
        }
        loaded.pictures.push_back(known->second);
    }

    const quint32 pageCount = in.count(4);
    for (quint32 p = 0; p < pageCount && !in.failed(); ++p) {
        PrintPage page;
        const quint32 opCount = in.count(46);
        for (quint32 i = 0; i < opCount && !in.failed(); ++i) {
            DrawOp op;
            const quint8 kind = in.number<quint8>();
            if (kind > quint8(DrawOp::Kind::Turn))
                in.fail();
            op.kind = DrawOp::Kind(kind);
            const double x = in.measure(), y = in.measure(), w = in.measure(), h = in.measure();
            op.area = QRectF(x, y, w, h);
            op.style = in.number<qint32>();
            op.picture = in.number<qint32>();
            op.text = in.string();
            op.shade = in.number<quint8>() != 0;
            // No label printed a longer text (a field's value printed as it is): drawing one
            // would take the machine's memory.
            if (op.text.size() > resourcelimits::FieldValueCharacters)
                in.fail();
            if (op.style < 0 || quint32(op.style) >= styleCount)
                in.fail();
            if (op.kind == DrawOp::Kind::Picture
                    ? (op.picture < 0 || quint32(op.picture) >= pictureCount)
                    : op.picture != -1)
                in.fail();
            page.ops.push_back(std::move(op));
        }
        loaded.pages.push_back(std::move(page));
    }
    if (in.failed() || in.left() != 0)
        return invalid;
    // Pictures drawn many times share one image again.
    document.clear();
    document.paper = loaded.paper;
    document.styles = std::move(loaded.styles);
    document.pages = std::move(loaded.pages);
    // Identical pictures stored apart are one picture again: the drawing steps follow.
    std::vector<int> merged;
    for (const QImage& picture : loaded.pictures)
        merged.push_back(document.pictureIndex(picture));
    for (PrintPage& page : document.pages) {
        for (DrawOp& op : page.ops) {
            if (op.kind == DrawOp::Kind::Picture)
                op.picture = merged[std::size_t(op.picture)];
        }
        page.pack(); // a saved print of many pages is shown, not drawn on
    }
    return std::nullopt;
}

} // namespace printoutput
