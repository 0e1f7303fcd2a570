// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/xlsxworkbook.h"

#include "database/databaseerror.h"
#include "database/xmlentry.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>

#include <map>

using namespace workbook;

namespace {

const QString PackageRelations = QStringLiteral("_rels/.rels");
constexpr QStringView NoNamespace = u"";

struct Relation {
    QString type; // the relation type's last word: "worksheet", "sharedStrings", ...
    QString part; // the part it points at, as the archive names it; empty when outside it
};

// A part's name from a relationship's target: relative to the folder of the part that holds
// the relationships, or from the package's root. Nothing may lead out of the package.
QString partName(const QString& folder, const QString& target) {
    QStringList segments;
    if (!target.startsWith(u'/') && !folder.isEmpty())
        segments = folder.split(u'/', Qt::SkipEmptyParts);
    for (const QString& segment : target.split(u'/', Qt::SkipEmptyParts)) {
        if (segment == u"..") {
            if (segments.isEmpty())
                return {};
            segments.removeLast();
        } else if (segment != u".") {
            segments << segment;
        }
    }
    return segments.join(u'/');
}

// The relationships of a part ("xl/workbook.xml" → "xl/_rels/workbook.xml.rels"), by id.
std::map<QString, Relation> relations(const ZipArchive& archive, const QString& relsPart,
                                      const QString& folder) {
    std::map<QString, Relation> found;
    if (!archive.contains(relsPart))
        return found;
    XmlEntry xml(archive, relsPart, MostPartBytes);
    while (xml.next()) {
        if (!xml.isStart() || !xml.is(xmlns::PackageRelations, u"Relationship"))
            continue;
        Relation relation;
        relation.type = xml.attribute(NoNamespace, u"Type").section(u'/', -1);
        // An external target is another file: never followed.
        if (xml.attribute(NoNamespace, u"TargetMode").compare(u"External", Qt::CaseInsensitive))
            relation.part = partName(folder, xml.attribute(NoNamespace, u"Target"));
        found[xml.attribute(NoNamespace, u"Id")] = relation;
    }
    return found;
}

QString folderOf(const QString& part) {
    return part.section(u'/', 0, -2);
}

QString relsPartOf(const QString& part) {
    const QString folder = folderOf(part);
    return (folder.isEmpty() ? QString() : folder + u'/') + QStringLiteral("_rels/") +
           part.section(u'/', -1) + QStringLiteral(".rels");
}

// The workbook part the package names as its main document.
QString workbookPart(const ZipArchive& archive) {
    for (const auto& [id, relation] : relations(archive, PackageRelations, {}))
        if (relation.type == u"officeDocument" && archive.contains(relation.part))
            return relation.part;
    return QStringLiteral("xl/workbook.xml");
}

// Whether a number format shows dates or times: the built-in ones that do, and written ones
// with day, month, year, hour or second codes outside quoted text and brackets.
bool isDateFormat(int id, const QString& code) {
    if ((id >= 14 && id <= 22) || (id >= 45 && id <= 47))
        return true;
    if (code.isEmpty())
        return false;
    bool quoted = false, bracket = false, escaped = false;
    for (const QChar c : code) {
        if (escaped) {
            escaped = false;
        } else if (quoted) {
            quoted = c != u'"';
        } else if (bracket) {
            bracket = c != u']';
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u'[') {
            bracket = true;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            escaped = true; // the next character is shown as it is, or is padding
        } else if (QStringLiteral("dmyhsDMYHS").contains(c)) {
            return true;
        }
    }
    return false;
}

// The text of a string item (<si>, <is>): its runs' texts, phonetic guides left out.
QString richText(XmlEntry& xml) {
    QString text;
    const int depth = xml.depth();
    while (xml.next() && xml.depth() >= depth) {
        if (!xml.isStart())
            continue;
        if (xml.is(xmlns::Sheet, u"rPh"))
            xml.skip();
        else if (xml.is(xmlns::Sheet, u"t"))
            text += xml.text(MostCellText);
        if (text.size() > MostCellText)
            xml.fail(QStringLiteral("un testo supera %1 caratteri").arg(MostCellText));
    }
    return text;
}

class XlsxRows : public SheetRows {
public:
    XlsxRows(const ZipArchive& archive, const QString& part,
             std::shared_ptr<const std::vector<QString>> shared, const std::vector<bool>& dates,
             bool from1904)
        : m_xml(archive, part, MostSheetBytes)
        , m_shared(std::move(shared))
        , m_dates(dates)
        , m_from1904(from1904) {}

    bool next(Row& row) override {
        row.clear();
        while (m_xml.next()) {
            if (!m_xml.isStart())
                continue;
            if (m_xml.is(xmlns::Sheet, u"row")) {
                bool ok = false;
                const long number = m_xml.attribute(NoNamespace, u"r").toLong(&ok);
                m_row = ok ? number : m_row + 1;
                readRow(row);
                return true;
            }
            if (m_xml.is(xmlns::Sheet, u"sheetData"))
                continue;
            if (m_xml.depth() > 1)
                m_xml.skip(); // columns, merged cells, pictures: no values there
        }
        return false;
    }
    long rowNumber() const override { return m_row; }

private:
    void readRow(Row& row) {
        const int depth = m_xml.depth();
        int column = -1;
        while (m_xml.next() && m_xml.depth() >= depth) {
            if (!m_xml.isStart())
                continue;
            if (!m_xml.is(xmlns::Sheet, u"c")) {
                m_xml.skip();
                continue;
            }
            const QString reference = m_xml.attribute(NoNamespace, u"r");
            if (reference.isEmpty()) {
                ++column;
            } else {
                qsizetype letters = 0;
                while (letters < reference.size() && reference[letters].isLetter())
                    ++letters;
                column = columnIndex(QStringView(reference).left(letters));
                if (column < 0)
                    m_xml.fail(QStringLiteral("riferimento di cella non valido \"%1\"")
                                   .arg(reference.left(16)));
            }
            QVariant value = readCell();
            if (value.isNull())
                continue;
            if (column >= MostColumns)
                m_xml.fail(QStringLiteral("valori oltre la colonna %1").arg(MostColumns));
            if (row.size() <= std::size_t(column))
                row.resize(std::size_t(column) + 1);
            row[std::size_t(column)] = std::move(value);
        }
    }

    // The value of the current <c>, as its type says.
    QVariant readCell() {
        const QString type = m_xml.attribute(NoNamespace, u"t");
        const int style = m_xml.attribute(NoNamespace, u"s").toInt();
        const int depth = m_xml.depth();
        QString written;
        bool inlineText = false;
        while (m_xml.next() && m_xml.depth() >= depth) {
            if (!m_xml.isStart())
                continue;
            if (m_xml.is(xmlns::Sheet, u"v")) {
                written = m_xml.text(MostCellText);
            } else if (m_xml.is(xmlns::Sheet, u"is")) {
                written = richText(m_xml);
                inlineText = true;
            } else {
                m_xml.skip(); // a formula: its value is the one kept beside it
            }
        }
        if (inlineText || type == u"inlineStr")
            return written.isEmpty() ? QVariant() : QVariant(written);
        if (written.isEmpty())
            return {};
        if (type == u"s") {
            bool ok = false;
            const qulonglong index = written.toULongLong(&ok);
            if (!ok || index >= m_shared->size())
                m_xml.fail(QStringLiteral("testo condiviso %1 inesistente").arg(written.left(16)));
            const QString& text = (*m_shared)[std::size_t(index)];
            return text.isEmpty() ? QVariant() : QVariant(text);
        }
        if (type == u"str" || type == u"e")
            return written;
        if (type == u"b")
            return written.trimmed() != u"0";
        if (type == u"d") {
            QDateTime date = QDateTime::fromString(written.trimmed(), Qt::ISODate);
            if (!date.isValid())
                m_xml.fail(QStringLiteral("data non valida \"%1\"").arg(written.left(32)));
            date.setTimeSpec(Qt::UTC);
            return date;
        }
        bool ok = false;
        const double number = QLocale::c().toDouble(written.trimmed(), &ok);
        if (!ok || !std::isfinite(number))
            m_xml.fail(QStringLiteral("numero non valido \"%1\"").arg(written.left(32)));
        if (style >= 0 && std::size_t(style) < m_dates.size() && m_dates[std::size_t(style)]) {
            const QDateTime date = serialDate(number, m_from1904);
            return date.isValid() ? QVariant(date) : QVariant(number);
        }
        return number;
    }

    XmlEntry m_xml;
    std::shared_ptr<const std::vector<QString>> m_shared;
    const std::vector<bool>& m_dates;
    bool m_from1904;
    long m_row = 0;
};

} // namespace

bool XlsxWorkbook::recognises(const ZipArchive& archive) {
    return archive.contains(QStringLiteral("[Content_Types].xml")) &&
           archive.contains(workbookPart(archive));
}

XlsxWorkbook::XlsxWorkbook(std::unique_ptr<ZipArchive> archive)
    : m_archive(std::move(archive)) {
    readWorkbook(workbookPart(*m_archive));
}

XlsxWorkbook::~XlsxWorkbook() = default;

void XlsxWorkbook::readWorkbook(const QString& part) {
    const auto related = relations(*m_archive, relsPartOf(part), folderOf(part));
    {
        XmlEntry xml(*m_archive, part, MostPartBytes);
        while (xml.next()) {
            if (!xml.isStart())
                continue;
            if (xml.is(xmlns::Sheet, u"workbookPr")) {
                const QString system = xml.attribute(NoNamespace, u"date1904");
                m_from1904 = system == u"1" || system.compare(u"true", Qt::CaseInsensitive) == 0;
            } else if (xml.is(xmlns::Sheet, u"sheet")) {
                const auto found = related.find(xml.attribute(xmlns::OfficeRelations, u"id"));
                // Chart sheets, and sheets whose part is not in the package, hold no table.
                if (found == related.end() || found->second.type != u"worksheet" ||
                    found->second.part.isEmpty() || !m_archive->contains(found->second.part))
                    continue;
                m_sheets.push_back({xml.attribute(NoNamespace, u"name"), found->second.part});
            }
        }
    }
    bool stylesRead = false;
    for (const auto& [id, relation] : related) {
        if (relation.part.isEmpty() || !m_archive->contains(relation.part))
            continue;
        // One of each: a workbook that names several is read by its first.
        if (relation.type == u"sharedStrings" && m_sharedPart.isEmpty())
            m_sharedPart = relation.part;
        else if (relation.type == u"styles" && !stylesRead) {
            readStyles(relation.part);
            stylesRead = true;
        }
    }
}

void XlsxWorkbook::readStyles(const QString& part) {
    XmlEntry xml(*m_archive, part, MostPartBytes);
    std::map<int, bool> dateFormats; // written formats, read once each
    bool inCellStyles = false;
    while (xml.next()) {
        if (xml.isEnd()) {
            if (xml.is(xmlns::Sheet, u"cellXfs"))
                inCellStyles = false;
            continue;
        }
        if (xml.is(xmlns::Sheet, u"numFmt")) {
            const int id = xml.attribute(NoNamespace, u"numFmtId").toInt();
            dateFormats[id] = isDateFormat(id, xml.attribute(NoNamespace, u"formatCode"));
        } else if (xml.is(xmlns::Sheet, u"cellXfs")) {
            inCellStyles = true;
        } else if (inCellStyles && xml.is(xmlns::Sheet, u"xf")) {
            if (m_dateStyles.size() >= std::size_t(1) << 20)
                xml.fail(QStringLiteral("troppi stili di cella"));
            const int id = xml.attribute(NoNamespace, u"numFmtId").toInt();
            const auto format = dateFormats.find(id);
            m_dateStyles.push_back(format == dateFormats.end() ? isDateFormat(id, {})
                                                               : format->second);
        }
    }
}

const std::vector<QString>& XlsxWorkbook::sharedTexts() const {
    if (m_shared)
        return *m_shared;
    auto texts = std::make_shared<std::vector<QString>>();
    if (!m_sharedPart.isEmpty()) {
        XmlEntry xml(*m_archive, m_sharedPart, MostSheetBytes);
        qint64 bytes = 0;
        while (xml.next()) {
            if (!xml.isStart() || !xml.is(xmlns::Sheet, u"si"))
                continue;
            texts->push_back(richText(xml));
            // What each text takes in memory, its bookkeeping too.
            bytes += texts->back().size() * qint64(sizeof(QChar)) + 64;
            if (bytes > MostSharedBytes)
                xml.fail(QStringLiteral("i testi condivisi occupano più di %1 MB")
                             .arg(MostSharedBytes >> 20));
        }
    }
    m_shared = std::move(texts);
    return *m_shared;
}

QStringList XlsxWorkbook::sheetNames() const {
    QStringList names;
    for (const Sheet& sheet : m_sheets)
        names << sheet.name;
    return names;
}

std::unique_ptr<SheetRows> XlsxWorkbook::rows(const QString& sheet) const {
    for (const Sheet& candidate : m_sheets) {
        if (candidate.name != sheet)
            continue;
        sharedTexts();
        return std::make_unique<XlsxRows>(*m_archive, candidate.part, m_shared, m_dateStyles,
                                          m_from1904);
    }
    throw DatabaseError(
        DatabaseError::NoSuchTable,
        QStringLiteral("Impossibile trovare la tabella o la query di input '%1'.").arg(sheet));
}
