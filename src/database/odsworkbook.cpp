// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/odsworkbook.h"

#include "database/databaseerror.h"
#include "database/xmlentry.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

using namespace workbook;

namespace {

const QString Content = QStringLiteral("content.xml");
const QString MimeType = QStringLiteral("mimetype");

bool isRow(const XmlEntry& xml) {
    return xml.is(xmlns::Table, u"table-row");
}

bool isCell(const XmlEntry& xml) {
    return xml.is(xmlns::Table, u"table-cell") || xml.is(xmlns::Table, u"covered-table-cell");
}

constexpr long MostRepeats = 1L << 24;
constexpr qint64 MostCells = 64'000'000;

// How many times a row or cell stands, as its repeat count says (1 when it says nothing).
long repeats(const XmlEntry& xml, QStringView attribute) {
    const QString written = xml.attribute(xmlns::Table, attribute);
    if (written.isEmpty())
        return 1;
    bool ok = false;
    const long count = written.toLong(&ok);
    // No sheet has more rows than this; counts beyond it are no counts of a real sheet.
    if (!ok || count < 1 || count > MostRepeats)
        xml.fail(QStringLiteral("ripetizione non valida \"%1\"").arg(written.left(16)));
    return count;
}

// "PT12H30M15S" (days too: "P1DT2H").
std::optional<QTime> durationTime(const QString& written) {
    static const QRegularExpression form(
        QStringLiteral(R"(^P(?:(\d+)D)?T?(?:(\d+)H)?(?:(\d+)M)?(?:(\d+(?:[.,]\d+)?)S)?$)"));
    const auto match = form.match(written.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const double seconds = match.captured(1).toLong() * 86400.0 +
                           match.captured(2).toLong() * 3600.0 + match.captured(3).toLong() * 60.0 +
                           QLocale::c().toDouble(match.captured(4).replace(u',', u'.'));
    const int milliseconds = int(std::llround(std::fmod(seconds, 86400.0) * 1000.0));
    return QTime::fromMSecsSinceStartOfDay(milliseconds % 86400000);
}

// The text of a cell: its paragraphs one a line, spaces, tabs and line breaks as they are
// marked; notes attached to the cell are not its text.
QString cellText(XmlEntry& xml) {
    QString text;
    const int depth = xml.depth();
    bool firstParagraph = true;
    while (xml.nextToken() && xml.depth() >= depth) {
        if (xml.isText()) {
            text += xml.textHere();
        } else if (xml.isStart()) {
            if (xml.is(xmlns::Office, u"annotation")) {
                xml.skip();
            } else if (xml.is(xmlns::Text, u"p") || xml.is(xmlns::Text, u"h")) {
                if (!firstParagraph)
                    text += u'\n';
                firstParagraph = false;
            } else if (xml.is(xmlns::Text, u"s")) {
                const QString count = xml.attribute(xmlns::Text, u"c");
                text += QString(std::clamp(count.isEmpty() ? 1 : count.toInt(), 1, 1024), u' ');
            } else if (xml.is(xmlns::Text, u"tab")) {
                text += u'\t';
            } else if (xml.is(xmlns::Text, u"line-break")) {
                text += u'\n';
            }
        }
        if (text.size() > MostCellText)
            xml.fail(QStringLiteral("un testo supera %1 caratteri").arg(MostCellText));
    }
    return text;
}

// The value of the current cell, as its value type says.
QVariant cellValue(XmlEntry& xml) {
    const QString type = xml.attribute(xmlns::Office, u"value-type");
    QVariant value;
    if (type == u"float" || type == u"percentage" || type == u"currency") {
        bool ok = false;
        const double number = QLocale::c().toDouble(xml.attribute(xmlns::Office, u"value"), &ok);
        if (!ok || !std::isfinite(number))
            xml.fail(QStringLiteral("numero non valido"));
        // LibreOffice keeps the yes/no of an .xlsx it opened as the formulas TRUE() and FALSE().
        const QString formula = xml.attribute(xmlns::Table, u"formula");
        if (formula == u"of:=TRUE()" || formula == u"of:=FALSE()")
            value = number != 0;
        else
            value = number;
    } else if (type == u"date") {
        QDateTime date =
            QDateTime::fromString(xml.attribute(xmlns::Office, u"date-value"), Qt::ISODate);
        if (!date.isValid())
            xml.fail(QStringLiteral("data non valida"));
        date.setTimeSpec(Qt::UTC);
        value = date;
    } else if (type == u"time") {
        const auto time = durationTime(xml.attribute(xmlns::Office, u"time-value"));
        if (!time)
            xml.fail(QStringLiteral("ora non valida"));
        value = QDateTime(QDate(1899, 12, 30), *time, Qt::UTC);
    } else if (type == u"boolean") {
        value = xml.attribute(xmlns::Office, u"boolean-value") == u"true";
    }
    if (value.isValid()) {
        xml.skip();
        return value;
    }
    const QString text = cellText(xml); // a string, or a cell with no value type
    return text.isEmpty() ? QVariant() : QVariant(text);
}

class OdsRows : public SheetRows {
public:
    OdsRows(const ZipArchive& archive, const QString& sheet)
        : m_xml(archive, Content, MostSheetBytes) {
        while (m_xml.next()) {
            if (m_xml.isStart() && m_xml.is(xmlns::Table, u"table") &&
                m_xml.attribute(xmlns::Table, u"name") == sheet) {
                m_tableDepth = m_xml.depth();
                return;
            }
        }
        throw DatabaseError(
            DatabaseError::NoSuchTable,
            QStringLiteral("Impossibile trovare la tabella o la query di input '%1'.").arg(sheet));
    }

    bool next(Row& row) override {
        if (m_pending > 0) {
            --m_pending;
            ++m_row;
            row = m_last;
            tally(row);
            return true;
        }
        while (!m_done && m_xml.next()) {
            if (m_xml.depth() < m_tableDepth) {
                m_done = true; // the table's end
                m_xml.finish();
                break;
            }
            if (!m_xml.isStart())
                continue;
            if (isRow(m_xml)) {
                const long count = repeats(m_xml, u"number-rows-repeated");
                readRow(row);
                tally(row);
                ++m_row;
                if (!row.empty() && count > 1) {
                    m_last = row;
                    m_pending = count - 1;
                } else {
                    m_row += count - 1; // alike empty rows: one stands for all
                }
                return true;
            }
            if (!m_xml.is(xmlns::Table, u"table-header-rows") &&
                !m_xml.is(xmlns::Table, u"table-row-group") &&
                !m_xml.is(xmlns::Table, u"table-rows"))
                m_xml.skip(); // columns, shapes, named ranges: no values there
        }
        m_done = true;
        return false;
    }
    long rowNumber() const override { return m_row; }

private:
    // Repeated rows cost nothing in the file: what they stand for is bounded here.
    void tally(const Row& row) {
        m_cells += qint64(row.size());
        if (m_cells > MostCells)
            m_xml.fail(QStringLiteral("il foglio ripete righe oltre %1 milioni di celle")
                           .arg(MostCells / 1000000));
    }

    void readRow(Row& row) {
        row.clear();
        const int depth = m_xml.depth();
        long column = 0;
        while (m_xml.next() && m_xml.depth() >= depth) {
            if (!m_xml.isStart())
                continue;
            if (!isCell(m_xml)) {
                m_xml.skip();
                continue;
            }
            const long count = repeats(m_xml, u"number-columns-repeated");
            QVariant value = cellValue(m_xml);
            if (!value.isNull()) {
                if (column + count > MostColumns)
                    m_xml.fail(QStringLiteral("valori oltre la colonna %1").arg(MostColumns));
                row.resize(std::size_t(column + count));
                for (long i = 0; i < count; ++i)
                    row[std::size_t(column + i)] = value;
            }
            column += std::min(count, long(MostColumns) + 1);
        }
    }

    XmlEntry m_xml;
    int m_tableDepth = 0;
    bool m_done = false;
    long m_row = 0;
    long m_pending = 0;
    qint64 m_cells = 0;
    Row m_last;
};

} // namespace

bool OdsWorkbook::recognises(const ZipArchive& archive) {
    return archive.contains(Content) && archive.contains(MimeType) &&
           archive.read(MimeType, 256).trimmed() ==
               QByteArrayLiteral("application/vnd.oasis.opendocument.spreadsheet");
}

OdsWorkbook::OdsWorkbook(std::unique_ptr<ZipArchive> archive)
    : m_archive(std::move(archive)) {
    XmlEntry xml(*m_archive, Content, MostSheetBytes);
    while (xml.next()) {
        if (!xml.isStart())
            continue;
        if (xml.is(xmlns::Table, u"table")) {
            m_sheets << xml.attribute(xmlns::Table, u"name");
            xml.skip();
        }
    }
}

OdsWorkbook::~OdsWorkbook() = default;

std::unique_ptr<SheetRows> OdsWorkbook::rows(const QString& sheet) const {
    return std::make_unique<OdsRows>(*m_archive, sheet);
}
