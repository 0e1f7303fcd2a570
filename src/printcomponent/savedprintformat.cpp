// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/savedprintformat.h"

#include "common/colors.h"
#include "common/files.h"
#include "common/resourcelimits.h"
#include "common/units.h"
#include "document/picturefile.h"
#include <QBuffer>
#include <QCryptographicHash>
#include <QDataStream>
#include <QFile>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <type_traits>

namespace printoutput {

namespace {

const QByteArray Magic("MARVELLO-STAMPA\n");
// 2: the content is followed by its SHA-256, so that a damaged file is refused whole.
// 3: each step carries a measure (turned elements, rounded corners).
constexpr quint16 Version = 3;
// Before turned elements and rounded corners: steps without their measure.
constexpr quint16 VersionWithoutMeasure = 2;
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
    return writeWholeFile(
        path,
        [&](QIODevice& file) {
            ChecksummedWriter checksummed(file);
            QDataStream out(&checksummed);
            out.setFloatingPointPrecision(QDataStream::DoublePrecision);
            out.writeRawData(Magic.constData(), int(Magic.size()));
            const quint16 version = document.extended ? Version : VersionWithoutMeasure;
            out << version << document.paper.width() << document.paper.height();
            out << quint32(document.styles.size());
            for (const DrawStyle& s : document.styles) {
                out << qint32(s.penStyle) << s.penWidth << quint32(s.penColor)
                    << qint32(s.brushStyle) << quint32(s.brushColor);
                writeString(out, s.fontName);
                out << s.fontSize << quint8(s.fontBold) << quint8(s.fontItalic)
                    << quint32(s.textColor) << qint32(s.textAlign);
                if (version == Version)
                    out << quint8(s.fontUnderline) << qint32(s.textVertical);
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
                        << op.area.height();
                    if (version == Version)
                        out << op.measure;
                    out << qint32(op.style) << qint32(op.picture);
                    writeString(out, op.text);
                    out << quint8(op.shade);
                }
            }
            return out.status() == QDataStream::Ok &&
                   file.write(checksummed.checksum()) == ChecksumBytes;
        },
        error);
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
    if (version != Version && version != VersionWithoutMeasure && version != VersionWithoutChecksum)
        return LoadError{InvalidFileFormat,
                         QStringLiteral("Formato di file non valido: versione non supportata.")};
    QByteArray content = bytes;
    if (version != VersionWithoutChecksum) {
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

    const quint32 styleCount = in.count(version == Version ? 55 : 50);
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
        if (version == Version) {
            s.fontUnderline = in.number<quint8>() != 0;
            s.textVertical = in.number<qint32>();
        }
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
        const quint32 opCount = in.count(version == Version ? 54 : 46);
        for (quint32 i = 0; i < opCount && !in.failed(); ++i) {
            DrawOp op;
            const quint8 kind = in.number<quint8>();
            if (kind > quint8(DrawOp::LastKind))
                in.fail();
            op.kind = DrawOp::Kind(kind);
            const double x = in.measure(), y = in.measure(), w = in.measure(), h = in.measure();
            op.area = QRectF(x, y, w, h);
            if (version == Version)
                op.measure = in.measure();
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
    document.extended = version == Version;
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
