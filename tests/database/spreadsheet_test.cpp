// SPDX-License-Identifier: GPL-3.0-or-later
// Spreadsheets as record sources: cells typed as each format types them, the shapes real files
// take (repeated and merged cells, sparse rows, several sheets), and files that are damaged or
// built to harm.

#include "database/spreadsheetsource.h"
#include "support/databaseerrors.h"
#include "support/files.h"
#include "support/marvelloprocess.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <map>

#include <gtest/gtest.h>
#include <zip.h>

using namespace Qt::StringLiterals;

namespace {

using Archive = std::map<QString, QByteArray>; // the files in it by name

// Packs the files into a zip archive, as the spreadsheet programs do.
// Stored parts (not compressed) can be changed in the file, as damage changes them.
void writeZip(const QString& path, const Archive& parts, bool stored = false) {
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, bytes] : parts) {
        zip_source_t* source =
            zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        const zip_int64_t index =
            zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_OVERWRITE);
        ASSERT_GE(index, 0);
        if (stored)
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    ASSERT_EQ(zip_close(archive), 0); // reads the buffers, which live until here
}

const QByteArray SheetNs =
    "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";

QByteArray relations(const QByteArray& body) {
    return "<?xml version=\"1.0\"?><Relationships "
           "xmlns=\"http://schemas.openxmlformats.org/package/"
           "2006/relationships\">" +
           body + "</Relationships>";
}

QByteArray relation(const char* id, const char* type, const QByteArray& target,
                    const char* mode = "") {
    return QByteArray("<Relationship Id=\"") + id +
           "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/" + type +
           "\" Target=\"" + target + "\"" +
           (*mode ? QByteArray(" TargetMode=\"") + mode + "\"" : "") + "/>";
}

// An .xlsx of the parts Excel writes, with `sheets` (name → sheetData) and the workbook's
// date system.
Archive xlsx(const std::vector<std::pair<QByteArray, QByteArray>>& sheets, bool from1904 = false) {
    Archive parts;
    parts[u"[Content_Types].xml"_s] = "<?xml version=\"1.0\"?><Types/>";
    parts[u"_rels/.rels"_s] = relations(relation("rId1", "officeDocument", "xl/workbook.xml"));
    QByteArray list, rels = relation("rS", "styles", "styles.xml") +
                            relation("rT", "sharedStrings", "/xl/sharedStrings.xml");
    for (int n = 1; const auto& [name, data] : sheets) {
        const QByteArray number = QByteArray::number(n++), id = "rId" + number;
        list += "<sheet name=\"" + name + "\" sheetId=\"" + number + "\" r:id=\"" + id + "\"/>";
        rels += relation(id.constData(), "worksheet", "worksheets/sheet" + number + ".xml");
        parts[QString::fromLatin1("xl/worksheets/sheet" + number + ".xml")] =
            "<?xml version=\"1.0\"?><worksheet " + SheetNs + "><dimension ref=\"A1\"/><sheetData>" +
            data +
            "</sheetData><mergeCells count=\"1\"><mergeCell ref=\"B3:C3\"/></mergeCells>"
            "</worksheet>";
    }
    parts[u"xl/workbook.xml"_s] = "<?xml version=\"1.0\"?><workbook " + SheetNs + "><workbookPr" +
                                  (from1904 ? " date1904=\"1\"" : "") + "/><sheets>" + list +
                                  "</sheets></workbook>";
    parts[u"xl/_rels/workbook.xml.rels"_s] = relations(rels);
    // Style 1: a built-in date; 2: a written date and time; 3: a number with a quoted "d".
    parts[u"xl/styles.xml"_s] =
        "<?xml version=\"1.0\"?><styleSheet " + SheetNs +
        "><numFmts count=\"2\">"
        "<numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\\ hh:mm\"/>"
        "<numFmt numFmtId=\"165\" formatCode=\"0.00&quot; d&quot;\"/></numFmts>"
        "<cellXfs count=\"4\"><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/>"
        "<xf numFmtId=\"165\"/></cellXfs></styleSheet>";
    parts[u"xl/sharedStrings.xml"_s] = "<?xml version=\"1.0\"?><sst " + SheetNs +
                                       "><si><t>Articolo</t></si><si><r><t>Vite </t></r><r><t>M4"
                                       "</t></r><rPh><t>PHONETIC</t></rPh></si><si><t>Colli</t>"
                                       "</si></sst>";
    return parts;
}

const QByteArray OdsNs = "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                         "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                         "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"";

Archive ods(const QByteArray& tables) {
    return {
        {u"mimetype"_s, "application/vnd.oasis.opendocument.spreadsheet"},
        {u"content.xml"_s, "<?xml version=\"1.0\"?><office:document-content " + OdsNs +
                               "><office:body><office:spreadsheet>" + tables +
                               "</office:spreadsheet></office:body></office:document-content>"}};
}

// The archive with one part replaced or added.
Archive with(Archive parts, const QString& name, const QByteArray& bytes) {
    parts[name] = bytes;
    return parts;
}

RowSource readAll(const QString& path, const QString& sheet) {
    const SpreadsheetSource source(path);
    RecordSelection all{sheet};
    RowSource table{source.fields(sheet), {}};
    const long count = source.count(all);
    const auto records = source.open(all);
    while (records->next())
        table.rows.push_back(records->row());
    EXPECT_EQ(count, long(table.rows.size()));
    return table;
}

QDateTime utc(int y, int m, int d, int h = 0, int min = 0, int s = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min, s), Qt::UTC);
}

class Spreadsheets : public ::testing::Test {
protected:
    QString file(const char* name, const Archive& parts) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        writeZip(path, parts);
        return path;
    }
    QString file(const char* name, const QByteArray& bytes) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        writeBytes(path, bytes);
        return path;
    }
    // The message a file is refused with; empty when it reads.
    QString refusal(const QString& path, const QString& sheet = u"Dati"_s) {
        return databaseError([&] { readAll(path, sheet); }).description;
    }
    QTemporaryDir folder;
};

TEST_F(Spreadsheets, XlsxCellsAreTypedAsTheFileTypesThem) {
    // A shared and a rich text, a number, a built-in and a written date style, a yes/no, an
    // inline text, a formula's kept value and error, a number styled with a quoted "d", cells
    // given without their reference, a row skipped, a merged cell, trailing empty cells.
    const QByteArray data =
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>2</v></c>"
        "<c r=\"C1\" t=\"inlineStr\"><is><t>Scadenza</t></is></c><c r=\"D1\" "
        "t=\"str\"><v>Ora</v></c>"
        "<c r=\"E1\" t=\"str\"><v>Fragile</v></c><c r=\"F1\" t=\"str\"><v>Totale</v></c>"
        "<c r=\"G1\" t=\"str\"><v>Peso</v></c><c r=\"H1\"/><c r=\"I1\" s=\"1\"/></row>"
        "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>1</v></c><c r=\"B2\"><v>12</v></c>"
        "<c r=\"C2\" s=\"1\"><v>46364</v></c><c r=\"D2\" s=\"2\"><v>46364.75</v></c>"
        "<c r=\"E2\" t=\"b\"><v>1</v></c><c r=\"F2\"><f>B2*2</f><v>24</v></c>"
        "<c r=\"G2\" s=\"3\"><v>2.5</v></c></row>"
        "<row r=\"4\"><c t=\"inlineStr\"><is><t>Dado</t></is></c><c><v>0</v></c>"
        "<c s=\"1\"><v>59</v></c><c s=\"2\"/><c t=\"b\"><v>0</v></c>"
        "<c t=\"e\"><f>1/0</f><v>#DIV/0!</v></c><c r=\"J4\"/></row>"
        "<row r=\"5\"><c r=\"A5\" t=\"inlineStr\"><is><t></t></is></c></row>";
    const QString path = file("magazzino.xlsx", xlsx({{"Vuoto", ""}, {"Dati", data}}));
    EXPECT_EQ(SpreadsheetSource(path).tableNames(), (QStringList{"Vuoto", "Dati"}));

    const RowSource table = readAll(path, u"dati"_s);
    QStringList names;
    std::vector<int> types;
    for (const FieldInfo& field : table.fields) {
        names << field.name;
        types.push_back(field.type);
    }
    EXPECT_EQ(names,
              (QStringList{"Articolo", "Colli", "Scadenza", "Ora", "Fragile", "Totale", "Peso"}));
    EXPECT_EQ(types, (std::vector<int>{fieldtype::Text, fieldtype::Double, fieldtype::Date,
                                       fieldtype::Date, fieldtype::Boolean, fieldtype::Text,
                                       fieldtype::Double}));
    ASSERT_EQ(table.rows.size(), 2u); // the empty rows are left out
    EXPECT_EQ(table.rows[0],
              (Row{u"Vite M4"_s, 12.0, utc(2026, 12, 8), utc(2026, 12, 8, 18), true, 24.0, 2.5}));
    // 28 February 1900: before the day that never was.
    EXPECT_EQ(table.rows[1], (Row{u"Dado"_s, 0.0, utc(1900, 2, 28), {}, false, u"#DIV/0!"_s, {}}));

    // The 1904 date system counts from 1 January 1904.
    const QString mac = file("mac.xlsx", xlsx({{"Dati", "<row><c t=\"str\"><v>Data</v></c></row>"
                                                        "<row><c s=\"1\"><v>1</v></c></row>"}},
                                              true));
    EXPECT_EQ(readAll(mac, u"Dati"_s).rows.at(0).at(0).toDateTime(), utc(1904, 1, 2));
}

TEST_F(Spreadsheets, OdsRepeatsAndMergesAsLibreOfficeWritesThem) {
    const QByteArray content =
        "<table:table table:name=\"Note\"><table:table-row><table:table-cell office:value-type="
        "\"string\"><text:p>x</text:p></table:table-cell></table:table-row></table:table>"
        "<table:table table:name=\"Dati\"><table:table-column "
        "table:number-columns-repeated=\"1024\"/>"
        "<table:table-header-rows><table:table-row>"
        "<table:table-cell "
        "office:value-type=\"string\"><text:p>Articolo</text:p></table:table-cell>"
        "<table:table-cell office:value-type=\"string\"><text:p>Prezzo</text:p></table:table-cell>"
        "<table:table-cell "
        "office:value-type=\"string\"><text:p>Scadenza</text:p></table:table-cell>"
        "<table:table-cell office:value-type=\"string\"><text:p>Ora</text:p></table:table-cell>"
        "<table:table-cell office:value-type=\"string\"><text:p>Fragile</text:p></table:table-cell>"
        "<table:table-cell table:number-columns-repeated=\"16379\"/></table:table-row>"
        "</table:table-header-rows>"
        "<table:table-row table:number-rows-repeated=\"2\">"
        "<table:table-cell office:value-type=\"string\" table:number-columns-spanned=\"2\">"
        "<text:p>Vite<text:s text:c=\"2\"/>M4</text:p><text:p>zincata<text:line-break/>A2</text:p>"
        "<office:annotation><text:p>nota</text:p></office:annotation></table:table-cell>"
        "<table:covered-table-cell/>"
        "<table:table-cell office:value-type=\"date\" office:date-value=\"2024-02-29\"/>"
        "<table:table-cell office:value-type=\"time\" office:time-value=\"PT13H45M30S\"/>"
        "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"true\"/>"
        "<table:table-cell table:number-columns-repeated=\"16379\"/></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell "
        "table:number-columns-repeated=\"16384\"/></table:table-row>"
        "<table:table-row><table:table-cell office:value-type=\"string\"><text:p>Dado</text:p>"
        "</table:table-cell><table:table-cell office:value-type=\"currency\" office:value=\"1.5\"/>"
        "<table:table-cell office:value-type=\"date\" office:date-value=\"2026-12-08T10:30:00\"/>"
        "<table:table-cell/><table:table-cell office:value-type=\"percentage\" "
        "office:value=\"0.25\"/>"
        "</table:table-row>"
        "<table:table-row table:number-rows-repeated=\"1048000\"><table:table-cell "
        "table:number-columns-repeated=\"16384\"/></table:table-row></table:table>";
    const QString path = file("magazzino.ods", ods(content));
    EXPECT_EQ(SpreadsheetSource(path).tableNames(), (QStringList{"Note", "Dati"}));
    const RowSource table = readAll(path, u"Dati"_s);
    ASSERT_EQ(table.fields.size(), 5u);
    EXPECT_EQ(table.fields[1].type, fieldtype::Double);
    EXPECT_EQ(table.fields[2].type, fieldtype::Date);
    EXPECT_EQ(table.fields[4].type, fieldtype::Text); // yes/no above, a number below
    // The second cell is merged into the first; a time is a time of 30/12/1899; a repeated
    // row stands twice.
    const Row vite{
        u"Vite  M4\nzincata\nA2"_s, {}, utc(2024, 2, 29), utc(1899, 12, 30, 13, 45, 30), true};
    EXPECT_EQ(table.rows,
              (std::vector<Row>{vite, vite, {u"Dado"_s, 1.5, utc(2026, 12, 8, 10, 30), {}, 0.25}}));
}

// Every file here is refused with a message naming it; none crashes, hangs or takes the
// memory it asks for.
TEST_F(Spreadsheets, DamagedOrHostileFilesAreRefused) {
    const QByteArray header = "<row><c t=\"str\"><v>Nome</v></c></row>";
    const auto sheet = [&](const QByteArray& rows) { return xlsx({{"Dati", header + rows}}); };
    const auto odsRow = [](const QByteArray& row) {
        return ods("<table:table table:name=\"Dati\">" + row + "</table:table>");
    };
    int written = 0;
    const auto zipped = [&](const Archive& parts) {
        return file(("ostile" + std::to_string(++written) + ".xlsx").c_str(), parts);
    };
    QByteArray attributes;
    for (int i = 0; i < 5000; ++i)
        attributes += " a" + QByteArray::number(i) + "=\"1\"";
    // A stored part changed so that it still reads: only its checksum tells.
    const QString stored = folder.filePath(u"memorizzato.xlsx"_s);
    writeZip(stored, sheet("<row><c t=\"str\"><v>Roma</v></c></row>"), true);
    QByteArray bytes = readBytes(stored);
    const qsizetype roma = bytes.indexOf("Roma");
    ASSERT_GT(roma, 0);
    bytes[roma + 3] = 'e';
    writeBytes(stored, bytes);
    // What each file's message says, and the file.
    const std::pair<QString, QString> hostile[] = {
        // A part that inflates to more than any workbook needs (a zip bomb).
        {u"supera 64 MB"_s,
         zipped(with(sheet(""), u"xl/styles.xml"_s,
                     "<?xml version=\"1.0\"?><styleSheet " + SheetNs + ">" +
                         (QByteArray("<x/>") + QByteArray(40000, ' ')).repeated(1700) +
                         "</styleSheet>"))},
        // Entities that expand a few bytes into gigabytes.
        {u"dichiarazione di tipo"_s,
         zipped(with(sheet(""), u"xl/sharedStrings.xml"_s,
                     "<?xml version=\"1.0\"?><!DOCTYPE sst [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
                     "\"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c "
                     "\"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]><sst " +
                         SheetNs + "><si><t>&c;</t></si></sst>"))},
        {u"testo condiviso 7 inesistente"_s, zipped(sheet("<row><c t=\"s\"><v>7</v></c></row>"))},
        {u"oltre la colonna 4096"_s, zipped(sheet("<row><c r=\"ZZZ2\"><v>1</v></c></row>"))},
        {u"numero non valido"_s, zipped(sheet("<row><c><v>1e999</v></c></row>"))},
        {u"un testo supera 32767"_s, zipped(sheet("<row><c t=\"inlineStr\"><is><t>" +
                                                  QByteArray(40000, 'x') + "</t></is></c></row>"))},
        {u"parte xl/worksheets/sheet1.xml, riga 1"_s, zipped(sheet("<row><c><v>1</c></row>"))},
        // Sheets packed outside the workbook, or in another file, are no sheets of it.
        {u"'Dati'"_s,
         zipped(with(sheet(""), u"xl/_rels/workbook.xml.rels"_s,
                     relations(relation("rId1", "worksheet", "../../../../etc/passwd"))))},
        {u"'Dati'"_s,
         zipped(with(sheet(""), u"xl/_rels/workbook.xml.rels"_s,
                     relations(relation("rId1", "worksheet", "file:///etc/passwd", "External"))))},
        {u"ripetizione non valida"_s,
         zipped(odsRow("<table:table-row table:number-rows-repeated=\"-3\"/>"))},
        {u"ripetizione non valida"_s,
         zipped(odsRow("<table:table-row><table:table-cell/><table:table-cell "
                       "table:number-columns-repeated=\"9223372036854775807\" "
                       "office:value-type=\"float\" office:value=\"1\"/></table:table-row>"))},
        {u"oltre la colonna 4096"_s,
         zipped(odsRow("<table:table-row><table:table-cell table:number-columns-repeated=\"5000\" "
                       "office:value-type=\"float\" office:value=\"1\"/></table:table-row>"))},
        // A row that the file writes once and repeats a million times, a hundred values wide.
        {u"ripete righe oltre 64 milioni di celle"_s,
         zipped(odsRow("<table:table-row table:number-rows-repeated=\"1000000\"><table:table-cell "
                       "table:number-columns-repeated=\"100\" office:value-type=\"float\" "
                       "office:value=\"1\"/></table:table-row>"))},
        // What Qt's reader would hold whole, or compare pair by pair: deep nesting, a tag with
        // thousands of attributes, a long comment.
        {u"annidati oltre 64 livelli"_s,
         zipped(sheet("<row><c><v>" + QByteArray("<x>").repeated(100) + "1" +
                      QByteArray("</x>").repeated(100) + "</v></c></row>"))},
        {u"più di 256 attributi"_s, zipped(sheet("<row" + attributes + "/>"))},
        {u"un elemento supera 49152 caratteri"_s,
         zipped(sheet("<!--" + QByteArray(200000, 'x') + "-->"))},
        {u"non è un foglio di calcolo .xlsx né .ods"_s,
         zipped(Archive{{u"leggimi.txt"_s, "ciao"}})},
        // Not a zip at all.
        {u"non è un archivio zip integro"_s, file("testo.xlsx", "Articolo;Colli\nVite;12\n")},
        // A workbook with a password: Excel's container, LibreOffice's encrypted parts.
        {u"protetto da password"_s,
         file("cifrato.xlsx",
              QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(504, '\0'))},
        {u"protetto da password"_s,
         zipped(with(ods(""), u"META-INF/manifest.xml"_s,
                     "<manifest:manifest><manifest:file-entry manifest:full-path=\"content.xml\">"
                     "<manifest:encryption-data/></manifest:file-entry></manifest:manifest>"))},
        {u"danneggiata"_s, stored}};
    for (const auto& [says, path] : hostile) {
        const QString message = refusal(path);
        EXPECT_TRUE(message.contains(says)) << says.toStdString() << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(path) || message.contains(u"'Dati'")) << message.toStdString();
    }

    // A real workbook cut short; one with a byte changed inside a part.
    const QByteArray real = readBytes(testData("spreadsheets/clienti.ods"));
    QByteArray changed = real;
    const qsizetype content = changed.indexOf("content.xml");
    ASSERT_GT(content, 0);
    changed[content + 200] = char(changed[content + 200] ^ 0x55); // inside the compressed part
    for (const QString& path :
         {file("tagliato.ods", real.left(real.size() / 2)), file("danneggiato.ods", changed)})
        EXPECT_FALSE(refusal(path, u"Clienti"_s).isEmpty()) << path.toStdString();
}

} // namespace
