// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/svgsanitizer.h"

#include "common/resourcelimits.h"

#include <QBuffer>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <optional>

namespace svgsanitizer {

namespace {

const QString XlinkNamespace = QStringLiteral("http://www.w3.org/1999/xlink");

// Elements whose only purpose is to bring in something from elsewhere, or to run something.
bool isForeign(QStringView name) {
    return name == u"script" || name == u"feImage" || name == u"foreignObject" ||
           name == u"iframe" || name == u"audio" || name == u"video";
}

bool isReference(QStringView name) {
    return name == u"href";
}

bool isInternal(QStringView address) {
    return address.trimmed().startsWith(u'#');
}

// url(...) that points outside the drawing, and CSS imports.
bool namesOutside(QStringView text) {
    static const QRegularExpression outside(
        QStringLiteral(R"(url\s*\(\s*(?!['"]?\s*#)|@import|image-set\s*\()"),
        QRegularExpression::CaseInsensitiveOption);
    return outside.match(text).hasMatch();
}

// A picture written into the drawing, decoded as the raster it says it is (never guessed from
// its bytes: an "image/png" that is a drawing would be drawn unchecked) within `budget`
// pixels, and written again as a PNG of the program's own. Nothing when it is no such picture.
std::optional<QString> rewrittenPicture(QStringView address, qint64& budget) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*data:image/(png|jpeg|jpg|gif|bmp|webp);base64,)"),
        QRegularExpression::CaseInsensitiveOption);
    const QString text = address.toString();
    const auto match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    QString format = match.captured(1).toLower();
    if (format == u"jpg")
        format = QStringLiteral("jpeg");
    const auto decoded = QByteArray::fromBase64Encoding(text.mid(match.capturedLength()).toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    QByteArray bytes = *decoded;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format.toLatin1());
    reader.setDecideFormatFromContent(false);
    reader.setAllocationLimit(resourcelimits::PictureAllocationMegabytes);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || qint64(size.width()) * size.height() > budget)
        return std::nullopt;
    const QImage picture = reader.read();
    if (picture.isNull())
        return std::nullopt;
    budget -= qint64(picture.width()) * picture.height();
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    if (!picture.save(&out, "PNG"))
        return std::nullopt;
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

// The ids of the elements a `use` may not name: those that hold a `use` (or are one), whose
// copies would copy again, and fan out to millions of drawings; and which ids there are.
struct Ids {
    QSet<QString> known;
    QSet<QString> holdingUse;
};

Ids idsOf(const QByteArray& svg) {
    Ids ids;
    QXmlStreamReader reader(svg);
    QStringList open;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QString id = reader.attributes().value(QStringLiteral("id")).toString();
            open << id;
            if (!id.isEmpty())
                ids.known.insert(id);
            if (reader.name() == u"use") {
                for (const QString& holder : open) {
                    if (!holder.isEmpty())
                        ids.holdingUse.insert(holder);
                }
            }
        } else if (token == QXmlStreamReader::EndElement && !open.isEmpty()) {
            open.removeLast();
        }
    }
    return ids;
}

class Copier {
public:
    Copier(const QByteArray& svg, qint64 pixelBudget)
        : m_reader(svg)
        , m_writer(&m_out)
        , m_budget(pixelBudget)
        , m_ids(idsOf(svg)) {}

    QByteArray run() {
        while (!m_reader.atEnd()) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::StartDocument:
                m_writer.writeStartDocument();
                break;
            case QXmlStreamReader::StartElement:
                startElement();
                break;
            case QXmlStreamReader::EndElement:
                m_writer.writeEndElement();
                break;
            case QXmlStreamReader::Characters:
                if (m_reader.isCDATA())
                    m_writer.writeCDATA(m_reader.text().toString());
                else
                    m_writer.writeCharacters(m_reader.text().toString());
                break;
            case QXmlStreamReader::EndDocument:
                m_writer.writeEndDocument();
                break;
            default: // document types, entities declared there, processing instructions
                break;
            }
        }
        if (m_reader.hasError())
            return {};
        return m_out;
    }

private:
    // Leaves out the element the reader stands on, with all it holds.
    void skip() { m_reader.skipCurrentElement(); }

    void startElement() {
        const QStringView name = m_reader.name();
        const QXmlStreamAttributes attributes = m_reader.attributes();
        if (isForeign(name))
            return skip();
        QXmlStreamAttributes kept;
        std::optional<QString> picture;
        for (const QXmlStreamAttribute& attribute : attributes) {
            const QStringView value = attribute.value();
            if (isReference(attribute.name())) {
                if (name == u"image") {
                    picture = rewrittenPicture(value, m_budget);
                    if (!picture)
                        return skip();
                    continue; // written once below, as QtSvg reads it
                }
                if (!isInternal(value)) {
                    if (name == u"use")
                        return skip();
                    continue;
                }
                const QString target = value.trimmed().mid(1).toString();
                if (name == u"use" &&
                    (!m_ids.known.contains(target) || m_ids.holdingUse.contains(target)))
                    return skip();
                kept.append(XlinkNamespace, QStringLiteral("href"), value.toString());
                continue;
            }
            if (namesOutside(value))
                continue;
            kept.append(attribute);
        }
        if (name == u"image" && !picture)
            return skip();
        if (name == u"style") {
            // A style sheet that fetches anything goes whole: CSS is not taken apart here.
            const QString sheet = m_reader.readElementText(QXmlStreamReader::IncludeChildElements);
            if (m_reader.hasError() || namesOutside(sheet))
                return;
            writeStart(kept);
            m_writer.writeCharacters(sheet);
            m_writer.writeEndElement();
            return;
        }
        writeStart(kept);
        if (picture)
            m_writer.writeAttribute(XlinkNamespace, QStringLiteral("href"), *picture);
    }

    void writeStart(const QXmlStreamAttributes& attributes) {
        // Declared before the element, a namespace applies to it. QtSvg finds references by
        // their written name, xlink:href, so that prefix is the one the xlink namespace has.
        if (!m_rootWritten)
            m_writer.writeNamespace(XlinkNamespace, QStringLiteral("xlink"));
        m_rootWritten = true;
        for (const QXmlStreamNamespaceDeclaration& declared : m_reader.namespaceDeclarations()) {
            if (declared.namespaceUri() == XlinkNamespace)
                continue;
            if (declared.prefix().isEmpty())
                m_writer.writeDefaultNamespace(declared.namespaceUri().toString());
            else
                m_writer.writeNamespace(declared.namespaceUri().toString(),
                                        declared.prefix().toString());
        }
        if (m_reader.namespaceUri().isEmpty())
            m_writer.writeStartElement(m_reader.name().toString());
        else
            m_writer.writeStartElement(m_reader.namespaceUri().toString(),
                                       m_reader.name().toString());
        for (const QXmlStreamAttribute& attribute : attributes) {
            if (attribute.namespaceUri().isEmpty())
                m_writer.writeAttribute(attribute.name().toString(), attribute.value().toString());
            else
                m_writer.writeAttribute(attribute.namespaceUri().toString(),
                                        attribute.name().toString(), attribute.value().toString());
        }
    }

    QXmlStreamReader m_reader;
    QByteArray m_out;
    QXmlStreamWriter m_writer;
    qint64 m_budget;
    Ids m_ids;
    bool m_rootWritten = false;
};

} // namespace

QByteArray selfContained(const QByteArray& svg, qint64 pixelBudget) {
    Copier copier(svg, pixelBudget);
    return copier.run();
}

} // namespace svgsanitizer
