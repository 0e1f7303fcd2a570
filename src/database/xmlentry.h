// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/xmlguard.h"
#include "database/ziparchive.h"

#include <QStringDecoder>
#include <QXmlStreamReader>

#include <memory>

// The XML of one entry of an archive, parsed as it is inflated: the whole text is never held,
// however long the sheet. A document type declaration (which neither spreadsheet format
// writes) is refused, and so is anything that is not well-formed XML.
class XmlEntry {
public:
    // Throws DatabaseError as ZipArchive::open does.
    XmlEntry(const ZipArchive& archive, const QString& entry, qint64 most);

    // Moves to the next start or end element; false at the end of the document. Text between
    // elements is collected by text(). Throws DatabaseError on malformed XML, a damaged entry,
    // or a stop asked for by a signal.
    bool next();
    // Moves to the next start element, end element or text (isText()); false at the end.
    bool nextToken();
    bool isText() const { return m_xml.isCharacters(); }
    QStringView textHere() const { return m_xml.text(); }
    bool isStart() const { return m_xml.isStartElement(); }
    bool isEnd() const { return m_xml.isEndElement(); }
    // The current element's local name (prefixes are matched through the namespace).
    QStringView name() const { return m_xml.name(); }
    QStringView namespaceUri() const { return m_xml.namespaceUri(); }
    bool is(QStringView ns, QStringView localName) const {
        return m_xml.name() == localName && m_xml.namespaceUri() == ns;
    }
    // An attribute of the current start element, by namespace and name; empty when missing.
    QString attribute(QStringView ns, QStringView localName) const;
    // The text inside the current start element, its descendants' too, up to its end element
    // (where it leaves the reader). More than `most` characters is an error.
    QString text(qsizetype most);
    // Moves past the current start element's end, whatever it holds.
    void skip();
    // The depth of the current element (1 for the root).
    int depth() const { return m_depth; }

    // Reads the rest of the entry, unparsed: a damaged entry (its checksum) fails here.
    void finish();

    [[noreturn]] void fail(const QString& why) const;

private:
    QXmlStreamReader::TokenType read();

    std::unique_ptr<ZipArchive::Entry> m_entry;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
    XmlGuard m_guard;
    QString m_path;
    QString m_name;
    QXmlStreamReader m_xml;
    int m_depth = 0;
    bool m_inflated = false;
};

// Namespaces of the spreadsheet formats' XML.
namespace xmlns {
inline constexpr QStringView Sheet = u"http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr QStringView OfficeRelations =
    u"http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr QStringView PackageRelations =
    u"http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr QStringView Office = u"urn:oasis:names:tc:opendocument:xmlns:office:1.0";
inline constexpr QStringView Table = u"urn:oasis:names:tc:opendocument:xmlns:table:1.0";
inline constexpr QStringView Text = u"urn:oasis:names:tc:opendocument:xmlns:text:1.0";
} // namespace xmlns
