// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/units.h"
#include "document/labeldocument.h"
#include "document/labelfile.h"
#include "support/files.h"
#include "support/labelfiletext.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using labelfile::read;

// The number of the error that stops the read; 0 when the file reads through.
int errorCode(const QByteArray& bytes, LabelDocument& document, const QString& folder = {}) {
    const auto error = read(bytes, document, folder);
    return error ? error->code : 0;
}

// A text section alone, with lone line feeds, or among lines that are no keys.
TEST(ReadLabelFile, ATextSectionAloneGivesOneTextAndDefaults) {
    QByteArray lineFeeds = labelFileBytes(textSection());
    lineFeeds.replace("\r\n", "\n");
    const QStringList noKeys{u"commento"_s, QString(), u"oggtesto"_s, u" oggTesto"_s,
                             u"oggTesto "_s};
    for (const QByteArray& bytes :
         {labelFileBytes(textSection()), lineFeeds,
          labelFileBytes(noKeys + textSection() + QStringList{QString(), u"fine"_s})}) {
        LabelDocument document;
        ASSERT_FALSE(read(bytes, document));
        ASSERT_EQ(document.elements().size(), 1u);
        const LabelElement& text = *document.elements()[0];
        EXPECT_EQ(text.key(), u"oggTesto1");
        EXPECT_EQ(text.box(), QRectF(150 + units::LabelOriginXTwips, 300 + units::LabelOriginYTwips,
                                     1000, 255));
        EXPECT_EQ(text.Caption, u"Ciao");
        EXPECT_EQ(text.FontName, u"Arial");
        EXPECT_EQ(document.layout(), LayoutEtichetta{});
        EXPECT_TRUE(document.binding().NomeDatabase.isEmpty());
    }
}

TEST(ReadLabelFile, LaterLayoutSectionsWinAndTheDatabaseSectionKeepsTheReservedTextAsIs) {
    const QStringList lines = fileLines("oggLayout| 3 | 7 | 1 | 2 | 60 | 30,5 | 0 | 0 |-1,25 |x|"
                                        "oggLayout| 4 | 7 | 1 | 2 | 60 | 30,5 | 0 | 0 |-1,25 |abc");
    LabelDocument document;
    ASSERT_FALSE(read(labelFileBytes(lines), document));
    // A layout value that is no number reads as 0.
    EXPECT_EQ(document.layout(), (LayoutEtichetta{4, 7, 1, 2, 60, 30.5, 0, 0, -1.25, 0}));

    // The database section trimmed, but for the reserved text.
    const QStringList database =
        fileLines("oggDatabase|  C:\\dati\\a.mdb | pw |Clienti|Citta| 1 | Roma |||-1|  spazi  ");
    LabelDocument bound;
    ASSERT_FALSE(read(labelFileBytes(database), bound));
    EXPECT_EQ(bound.binding(),
              (CollegamentoDatabase{u"C:\\dati\\a.mdb"_s, u"pw"_s, u"Clienti"_s, u"Citta"_s, 1,
                                    u"Roma"_s, QString(), QString(), true, u"  spazi  "_s}));
}

// Only "Vero" and "True" mean bold; font sizes are rounded to whole points, halves to even.
TEST(ReadLabelFile, BoldWordsAndFontSizes) {
    const std::tuple<const char*, const char*, float, bool> texts[] = {
        {" 10 ", "Vero", 10, true},     {" 10 ", "True", 10, true},
        {" 10 ", "  True  ", 10, true}, {" 10 ", " Vero", 10, true},
        {" 10 ", "true", 10, false},    {" 10 ", "1", 10, false},
        {" 10 ", "-1", 10, false},      {" 10 ", "Falso", 10, false},
        {" 10 ", "", 10, false},        {" 8,25 ", "", 8, false},
        {" 8,5 ", "", 8, false},        {" 9,5 ", "", 10, false},
        {" 12 ", "", 12, false},        {" 9.5 ", "", 10, false}, // the decimal mark a point
        {" 11pt", "", 11, false},       {" 0 ", "", 1, false},
        {" 5000 ", "", 1638, false}}; // beyond what fonts take: kept in range
    for (const auto& [size, boldLine, points, bold] : texts) {
        LabelDocument document;
        ASSERT_FALSE(read(labelFileBytes(textSection(u"x"_s, QString::fromLatin1(size),
                                                     QString::fromLatin1(boldLine))),
                          document));
        EXPECT_EQ(document.elements()[0]->FontSize, points) << '"' << size << '"';
        EXPECT_EQ(document.elements()[0]->FontBold, bold) << '"' << boldLine << '"';
    }
}

QStringList rectangleSection(const QString& borderWidth, const QString& depth = u" 0 "_s) {
    return fileLines("oggRettangolo| 0 | 0 | 500 | 500 | 1 | 255 | 0 | tag ") +
           QStringList{depth, borderWidth};
}

TEST(ReadLabelFile, RectangleBorderWidthOnlyOneToThree) {
    LabelDocument document;
    const QStringList lines =
        rectangleSection(u" 3 "_s) + rectangleSection(u" 5 "_s) + rectangleSection(u" 0 "_s);
    ASSERT_FALSE(read(labelFileBytes(lines), document));
    ASSERT_EQ(document.elements().size(), 3u);
    EXPECT_EQ(document.elements()[0]->BorderWidth, 3);
    EXPECT_EQ(document.elements()[1]->BorderWidth, 1); // the template's
    EXPECT_EQ(document.elements()[2]->BorderWidth, 1);
    EXPECT_EQ(document.elements()[0]->Tag, u"tag");
    EXPECT_EQ(document.elements()[0]->BackStyle, Background::Opaque);
    EXPECT_EQ(document.elements()[0]->BackColor, 255);
}

TEST(ReadLabelFile, AFileCutShortKeepsWhatWasRead) {
    QStringList lines = textSection(u"intero"_s);
    lines += textSection(u"tagliato"_s).mid(0, 7); // key, geometry, caption, font name
    LabelDocument document;
    EXPECT_EQ(errorCode(labelFileBytes(lines), document), labelfile::errors::InputPastEnd);
    ASSERT_EQ(document.elements().size(), 2u);
    const LabelElement& partial = *document.elements()[1];
    EXPECT_EQ(partial.Caption, u"tagliato");
    EXPECT_EQ(partial.FontSize, document.templateOf(ElementKind::Testo).FontSize);
    EXPECT_EQ(partial.Width, 1000);

    LabelDocument geometry;
    EXPECT_EQ(errorCode(labelFileBytes(textSection().mid(0, 4)), geometry),
              labelfile::errors::InputPastEnd);
    EXPECT_TRUE(geometry.elements().empty()); // no element without its geometry
    LabelDocument database;
    ASSERT_TRUE(read(labelFileBytes(fileLines("oggDatabase|a.mdb|pw|Clienti")), database));
    EXPECT_EQ(database.binding(), (CollegamentoDatabase{u"a.mdb"_s, u"pw"_s, u"Clienti"_s}));
}

TEST(ReadLabelFile, BadValuesStopTheReadWithTheirErrorNumber) {
    using namespace labelfile::errors;
    // A line of a text section (the key is line 0), what it holds, the error.
    const std::tuple<int, const char*, int> values[] = {
        {1, "dieci", TypeMismatch},      {3, "", TypeMismatch},        {4, "1e40", Overflow},
        {1, " 1E+20 ", Overflow}, // beyond any sheet
        {3, "-5", InvalidProperty},      {10, " 2 ", InvalidProperty}, {11, " 3 ", InvalidProperty},
        {12, " 99999999999 ", Overflow}, {13, "nero", TypeMismatch},   {15, "primo", TypeMismatch}};
    for (const auto& [line, text, code] : values) {
        SCOPED_TRACE(std::to_string(line) + " = " + text);
        QStringList lines = textSection();
        lines[line] = QString::fromLatin1(text);
        lines += textSection();
        LabelDocument document;
        const auto error = read(labelFileBytes(lines), document);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->code, code);
        EXPECT_FALSE(error->description.isEmpty());
        EXPECT_LE(document.elements().size(), 1u); // the second section is never reached
    }
}

// A details section counts whole lines: a count of a fraction or beyond the most a section
// holds is refused, never reading the next section's key as a detail.
TEST(ReadLabelFile, DetailsCountWholeLines) {
    for (const char* count : {" 0.5 ", " 65 ", "-1 "}) {
        QStringList lines = textSection() + fileLines("oggDettagli") + QStringList{count};
        lines += textSection(u"Secondo"_s);
        LabelDocument document;
        EXPECT_EQ(errorCode(labelFileBytes(lines), document), labelfile::errors::Overflow) << count;
    }
    QStringList turned = textSection() + fileLines("oggDettagli| 1 |Rotazione=90");
    LabelDocument document;
    ASSERT_FALSE(read(labelFileBytes(turned + textSection()), document));
    ASSERT_EQ(document.elements().size(), 2u);
    EXPECT_EQ(document.elements()[0]->Rotazione, 90);
    EXPECT_EQ(document.elements()[1]->Rotazione, 0);

    // A named symbology puts its stand-in's digit in the Tag, whatever the file said; values
    // out of range are brought in, unknown ones ignored.
    const QStringList barcode =
        fileLines("oggImmagine| 0 | 0 | 600 | 300 |42||9638507| 0 |oggDettagli| 4 |"
                  "Simbologia=EAN8|LarghezzaModulo=99|LivelloQR=Z|ZoneDiRispetto=1");
    LabelDocument coded;
    ASSERT_FALSE(read(labelFileBytes(barcode), coded));
    ASSERT_EQ(coded.elements().size(), 1u);
    const LabelElement& code = *coded.elements()[0];
    EXPECT_EQ(code.Tag, u"12");
    EXPECT_EQ(code.OpzioniBarcode, (barcode::Options{barcode::Symbology::Ean8, 5.0f,
                                                     barcode::QrLevel::Automatico, true}));
}

QStringList pictureSection(const QString& path, const QString& field = {}) {
    return fileLines("oggPicture| 0 | 0 | 600 | 300 | t ") + QStringList{field, path, " 0 "};
}

TEST(ReadLabelFile, PicturesLoadOnlyWhenUnlinkedAndPresent) {
    QTemporaryDir folder;
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(folder.filePath(u"rosso.png"_s)));

    QStringList lines = pictureSection(folder.filePath(u"rosso.png"_s));
    lines += pictureSection(folder.filePath(u"manca.png"_s));
    lines += pictureSection(folder.filePath(u"rosso.png"_s), u"Foto"_s);
    lines += pictureSection(u"rosso.png"_s); // relative to the label's folder
    LabelDocument document;
    ASSERT_FALSE(read(labelFileBytes(lines), document, folder.path()));
    ASSERT_EQ(document.elements().size(), 4u);
    EXPECT_EQ(document.elements()[0]->Picture.size(), QSize(8, 4));
    EXPECT_TRUE(document.elements()[1]->Picture.isNull());
    EXPECT_TRUE(document.elements()[2]->Picture.isNull());
    EXPECT_EQ(document.elements()[2]->DataMember, u"Foto");
    EXPECT_EQ(document.elements()[3]->Picture.size(), QSize(8, 4));
    EXPECT_EQ(document.elements()[3]->ToolTipText, u"rosso.png");
    EXPECT_EQ(document.elements()[0]->Tag, u"t");
    // One file named twice is decoded once and shared.
    EXPECT_EQ(document.elements()[0]->Picture.cacheKey(),
              document.elements()[3]->Picture.cacheKey());

    // A file that is no picture stops the read.
    writeBytes(folder.filePath(u"finta.jpg"_s), "questo non è un jpeg");
    LabelDocument fake;
    EXPECT_EQ(errorCode(labelFileBytes(pictureSection(folder.filePath(u"finta.jpg"_s))), fake),
              labelfile::errors::InvalidPicture);
    EXPECT_EQ(fake.elements().size(), 1u);
}

TEST(ReadLabelFile, PicturesBeyondWhatOneLabelMayHoldAreRefused) {
    // Seven distinct 16-megapixel pictures: more than a label may hold decoded.
    QTemporaryDir folder;
    QImage big(4000, 4000, QImage::Format_RGB32);
    big.fill(Qt::gray);
    ASSERT_TRUE(big.save(folder.filePath(u"0.png"_s)));
    QStringList lines;
    for (int i = 0; i < 7; ++i) {
        const QString name = QString::number(i) + u".png"_s;
        QFile::copy(folder.filePath(u"0.png"_s), folder.filePath(name));
        lines += pictureSection(name);
        lines += pictureSection(name); // named twice, counted once
    }
    LabelDocument document;
    EXPECT_EQ(errorCode(labelFileBytes(lines), document, folder.path()),
              labelfile::errors::OutOfMemory);
    EXPECT_EQ(document.elements().size(), 13u); // six pictures fit, twice each
}

TEST(ReadLabelFile, ManyElementsKeepTheirDepthOrder) {
    // Every third element sent back, every third brought to the front, as a large label has.
    QStringList lines;
    for (int i = 0; i < 3000; ++i)
        lines += textSection(QString::number(i), u" 10 "_s, u"False"_s, u" %1 "_s.arg(i % 3));
    LabelDocument document;
    ASSERT_FALSE(read(labelFileBytes(lines), document));
    // Each depth pass in creation order, as the print has always drawn them.
    const auto stack = document.drawOrder();
    ASSERT_EQ(stack.size(), 3000u);
    EXPECT_EQ(stack[0]->Caption, u"2"); // sent back
    EXPECT_EQ(stack[999]->Caption, u"2999");
    EXPECT_EQ(stack[1000]->Caption, u"0"); // unmoved
    EXPECT_EQ(stack[1001]->Caption, u"3");
    EXPECT_EQ(stack[2999]->Caption, u"2998"); // brought to the front
    EXPECT_EQ(*document.GetNewIndex(ElementKind::Testo), 3001);
}

// Pictures and databases opened as labels are refused through the command line's tests.
TEST(ReadLabelFile, AnEmptyFileIsNoLabelAndGarbageNeverCrashes) {
    LabelDocument empty;
    EXPECT_EQ(errorCode(QByteArray(), empty), labelfile::errors::InvalidFileFormat);
    // Random bytes, and every key followed by nonsense.
    QByteArray noise;
    quint32 seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise.append(char(seed >> 16));
    }
    for (const char* key :
         {"oggDatabase", "oggLayout", "oggTesto", "oggImmagine", "oggPicture", "oggRettangolo"})
        noise.append(QByteArray("\r\n") + key + "\r\n\xff\x00\r\n1e308\r\n-");
    LabelDocument document;
    read(noise, document); // whatever it says, it returns
}

TEST(ReadLabelFile, OneSeparatorIsTheDecimalMarkWhateverTheLocale) {
    const std::pair<const char*, std::optional<double>> numbers[] = {
        {" 12 ", 12.0},           {" 12,5 ", 12.5},     {"12.5", 12.5},
        {"-3,25 ", -3.25},        {"+7", 7.0},          {",5", 0.5},
        {"1,5E+03", 1500.0},      {"1.234,5", 1234.5},  {"1,234.5", 1234.5},
        {"1.234.567", 1234567.0}, {"", std::nullopt},   {"abc", std::nullopt},
        {"12abc", std::nullopt},  {"1,2,3.4", 123.4},   {"1.2.3,4,5", std::nullopt},
        {"-", std::nullopt},      {"1e", std::nullopt}, {"1e999", std::nullopt}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(labelfile::parseNumber(QString::fromLatin1(text)), value) << '"' << text << '"';
}

} // namespace
