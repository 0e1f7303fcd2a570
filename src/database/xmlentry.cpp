// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/xmlentry.h"

#include "common/interruption.h"
#include "database/databaseerror.h"

namespace {

// No spreadsheet part nests this deep, and a reader that follows deeper nesting keeps every
// open element.
constexpr int MostDepth = 64;

} // namespace

XmlEntry::XmlEntry(const ZipArchive& archive, const QString& entry, qint64 most)
    : m_entry(archive.open(entry, most))
    , m_path(archive.path())
    , m_name(entry) {}

void XmlEntry::fail(const QString& why) const {
    throw DatabaseError(DatabaseError::UnrecognizedFormat,
                        QStringLiteral("Il file %1 non è un foglio di calcolo leggibile: %2 "
                                       "(parte %3, riga %4).")
                            .arg(m_path, why, m_name)
                            .arg(m_xml.lineNumber()));
}

QXmlStreamReader::TokenType XmlEntry::read() {
    for (;;) {
        const auto token = m_xml.readNext();
        if (token != QXmlStreamReader::Invalid) {
            if (token == QXmlStreamReader::DTD)
                fail(QStringLiteral("dichiarazione di tipo di documento non ammessa"));
            return token;
        }
        if (m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError || m_inflated)
            fail(m_xml.errorString());
        if (interruption::requested())
            throw DatabaseError(DatabaseError::CannotOpen,
                                QStringLiteral("Lettura del file %1 interrotta dal segnale %2.")
                                    .arg(m_path)
                                    .arg(interruption::signalNumber()));
        const QByteArray piece = m_entry->nextPiece();
        if (piece.isEmpty())
            m_inflated = true; // what the reader still waits for will never come
        // Decoded here, so that the guard sees what the reader will.
        const QString text = m_decoder.decode(piece);
        if (m_decoder.hasError())
            fail(QStringLiteral("testo non codificato in UTF-8"));
        if (const QString refused = m_guard.follow(text); !refused.isEmpty())
            fail(refused);
        m_xml.addData(text);
    }
}

bool XmlEntry::next() {
    while (nextToken()) {
        if (!isText())
            return true;
    }
    return false;
}

bool XmlEntry::nextToken() {
    for (;;) {
        switch (read()) {
        case QXmlStreamReader::StartElement:
            if (++m_depth > MostDepth)
                fail(QStringLiteral("elementi annidati oltre %1 livelli").arg(MostDepth));
            return true;
        case QXmlStreamReader::EndElement:
            --m_depth;
            return true;
        case QXmlStreamReader::Characters:
            return true;
        case QXmlStreamReader::EndDocument:
            finish();
            return false;
        default:
            break;
        }
    }
}

QString XmlEntry::attribute(QStringView ns, QStringView localName) const {
    // Compared in place: a sheet asks this several times for every cell.
    for (const QXmlStreamAttribute& attribute : m_xml.attributes()) {
        if (attribute.name() == localName && attribute.namespaceUri() == ns)
            return attribute.value().toString();
    }
    return {};
}

QString XmlEntry::text(qsizetype most) {
    QString text;
    const int depth = m_depth;
    for (;;) {
        const auto token = read();
        if (token == QXmlStreamReader::StartElement) {
            if (++m_depth > MostDepth)
                fail(QStringLiteral("elementi annidati oltre %1 livelli").arg(MostDepth));
        } else if (token == QXmlStreamReader::EndElement) {
            if (--m_depth < depth)
                return text;
        } else if (token == QXmlStreamReader::Characters) {
            text += m_xml.text();
            if (text.size() > most)
                fail(QStringLiteral("un testo supera %1 caratteri").arg(most));
        } else if (token == QXmlStreamReader::EndDocument) {
            fail(QStringLiteral("documento interrotto"));
        }
    }
}

void XmlEntry::finish() {
    // The last read of an entry is the one that checks it against its checksum.
    while (!m_inflated)
        m_inflated = m_entry->nextPiece().isEmpty();
}

void XmlEntry::skip() {
    const int depth = m_depth;
    while (m_depth >= depth) {
        if (!next())
            fail(QStringLiteral("documento interrotto"));
    }
}
