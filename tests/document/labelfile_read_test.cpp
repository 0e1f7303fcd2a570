// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/units.h"
#include "document/labeldocument.h"
#include "document/labelfile.h"
#include "labelfiletext.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using labelfile::read;

TEST(ReadLabelFile, ATextSectionAloneGivesOneTextAndDefaults) {
    LabelDocument document;
    ASSERT_FALSE(read(labelFileBytes(textSection()), document));
    ASSERT_EQ(document.elements().size(), 1u);
    const LabelElement& text = *document.elements()[0];
    EXPECT_EQ(text.key(), u"oggTesto1");
    EXPECT_EQ(text.Left, 150 + units::LabelOriginXTwips);
    EXPECT_EQ(text.Top, 300 + units::LabelOriginYTwips);
    EXPECT_EQ(text.Width, 1000);
    EXPECT_EQ(text.Caption, u"Ciao");
    EXPECT_EQ(text.FontName, u"Arial");
    EXPECT_EQ(document.layout(), LayoutEtichetta{});
    EXPECT_TRUE(document.binding().NomeDatabase.isEmpty());
}

TEST(ReadLabelFile, LinesThatAreNoKeysAreSkipped) {
    QStringList lines{QStringLiteral("commento"), QString(), QStringLiteral("oggtesto"),
                      QStringLiteral(" oggTesto"), QStringLiteral("oggTesto ")};
    lines += textSection();
    lines += {QString(), QStringLiteral("fine")};
    LabelDocument document;
    ASSERT_FALSE(read(labelFileBytes(lines), document));
    EXPECT_EQ(document.elements().size(), 1u);
}

TEST(ReadLabelFile, LoneLineFeedsEndLinesToo) {
    QByteArray bytes = labelFileBytes(textSection());
    bytes.replace("\r\n", "\n");
    LabelDocument document;
    ASSERT_FALSE(read(bytes, document));
    ASSERT_EQ(document.elements().size(), 1u);
    EXPECT_EQ(document.elements()[0]->Caption, u"Ciao");
}

TEST(ReadLabelFile, LaterDatabaseAndLayoutSectionsWin) {
    QStringList lines{QStringLiteral("oggLayout"), QStringLiteral(" 3 "), QStringLiteral(" 7 "),
                      QStringLiteral(" 1 "),       QStringLiteral(" 2 "), QStringLiteral(" 60 "),
                      QStringLiteral(" 30,5 "),    QStringLiteral(" 0 "), QStringLiteral(" 0 "),
                      QStringLiteral("-1,25 "),    QStringLiteral("x")};
    lines += {QStringLiteral("oggLayout"), QStringLiteral(" 4 "), QStringLiteral(" 7 "),
              QStringLiteral(" 1 "),       QStringLiteral(" 2 "), QStringLiteral(" 60 "),
              QStringLiteral(" 30,5 "),    QStringLiteral(" 0 "), QStringLiteral(" 0 "),
              QStringLiteral("-1,25 "),    QStringLiteral("abc")};
    LabelDocument document;
    ASSERT_FALSE(read(labelFileBytes(lines), document));
    EXPECT_EQ(document.layout().EtichetteOrizzontali, 4);
    EXPECT_EQ(document.layout().AltezzaEtichetta, 30.5);
    EXPECT_EQ(document.layout().OrigineX, -1.25);
    EXPECT_EQ(document.layout().OrigineY, 0); // a layout value that is no number reads as 0
}

TEST(ReadLabelFile, DatabaseSectionTrimsAndKeepsTheReservedTextAsIs) {
    const QStringList lines{QStringLiteral("oggDatabase"),
                            QStringLiteral("  C:\\dati\\a.mdb "),
                            QStringLiteral(" pw "),
                            QStringLiteral("Clienti"),
                            QStringLiteral("Citta"),
                            QStringLiteral(" 1 "),
                            QStringLiteral(" Roma "),
                            QString(),
                            QString(),
                            QStringLiteral("-1"),
                            QStringLiteral("  spazi  ")};
    LabelDocument document;
    ASSERT_FALSE(read(labelFileBytes(lines), document));
    const CollegamentoDatabase& binding = document.binding();
    EXPECT_EQ(binding.NomeDatabase, u"C:\\dati\\a.mdb");
    EXPECT_EQ(binding.PasswordDb, u"pw");
    EXPECT_EQ(binding.TipoCriterio, 1);
    EXPECT_EQ(binding.ValoreUgualeA, u"Roma");
    EXPECT_TRUE(binding.FlagRiservato);
    EXPECT_EQ(binding.TestoRiservato, u"  spazi  ");
}

struct BoldCase {
    const char* line;
    bool bold;
};

void PrintTo(const BoldCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

class BoldWords : public ::testing::TestWithParam<BoldCase> {};

TEST_P(BoldWords, OnlyVeroAndTrueMeanBold) {
    LabelDocument document;
    ASSERT_FALSE(read(labelFileBytes(textSection(QStringLiteral("x"), QStringLiteral(" 10 "),
                                                 QString::fromLatin1(GetParam().line))),
                      document));
    EXPECT_EQ(document.elements()[0]->FontBold, GetParam().bold);
}

INSTANTIATE_TEST_SUITE_P(Words, BoldWords,
                         ::testing::Values(BoldCase{"Vero", true}, BoldCase{"True", true},
                                           BoldCase{"  True  ", true}, BoldCase{" Vero", true},
                                           BoldCase{"true", false}, BoldCase{"1", false},
                                           BoldCase{"-1", false}, BoldCase{"Falso", false},
                                           BoldCase{"", false}));

struct SizeCase {
    const char* line;
    float size;
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

class FontSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FontSizes, AreRoundedToWholePointsHalvesToEven) {
    LabelDocument document;
    ASSERT_FALSE(
        read(labelFileBytes(textSection(QStringLiteral("x"), QString::fromLatin1(GetParam().line))),
             document));
    EXPECT_EQ(document.elements()[0]->FontSize, GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FontSizes,
                         ::testing::Values(SizeCase{" 8,25 ", 8}, SizeCase{" 8,5 ", 8},
                                           SizeCase{" 9,5 ", 10}, SizeCase{" 12 ", 12},
                                           // a file written where the decimal mark is a point
                                           SizeCase{" 9.5 ", 10}, SizeCase{" 11pt", 11},
                                           // beyond what fonts take: kept in range
                                           SizeCase{" 0 ", 1}, SizeCase{" 5000 ", 1638}));

QStringList rectangleSection(const QString& borderWidth,
                             const QString& depth = QStringLiteral(" 0 ")) {
    return {QStringLiteral("oggRettangolo"),
            QStringLiteral(" 0 "),
            QStringLiteral(" 0 "),
            QStringLiteral(" 500 "),
            QStringLiteral(" 500 "),
            QStringLiteral(" 1 "),
            QStringLiteral(" 255 "),
            QStringLiteral(" 0 "),
            QStringLiteral(" tag "),
            depth,
            borderWidth};
}

TEST(ReadLabelFile, RectangleBorderWidthOnlyOneToThree) {
    LabelDocument document;
    QStringList lines = rectangleSection(QStringLiteral(" 3 "));
    lines += rectangleSection(QStringLiteral(" 5 "));
    lines += rectangleSection(QStringLiteral(" 0 "));
    ASSERT_FALSE(read(labelFileBytes(lines), document));
    ASSERT_EQ(document.elements().size(), 3u);
    EXPECT_EQ(document.elements()[0]->BorderWidth, 3);
    EXPECT_EQ(document.elements()[1]->BorderWidth, 1); // the template's
    EXPECT_EQ(document.elements()[2]->BorderWidth, 1);
    EXPECT_EQ(document.elements()[0]->Tag, u"tag");
    EXPECT_EQ(document.elements()[0]->BackStyle, Background::Opaque);
    EXPECT_EQ(document.elements()[0]->BackColor, 255);
}

TEST(ReadLabelFile, DepthFlagsStackAndAreRecorded) {
    LabelDocument document;
    QStringList lines = rectangleSection(QStringLiteral(" 1 "), QStringLiteral(" 1 "));
    lines += textSection(QStringLiteral("a"), QStringLiteral(" 10 "), QStringLiteral("False"),
                         QStringLiteral(" 2 "));
    lines += textSection(QStringLiteral("b"));
    ASSERT_FALSE(read(labelFileBytes(lines), document));
    const auto& stack = document.stackingOrder();
    ASSERT_EQ(stack.size(), 3u);
    EXPECT_EQ(stack[0]->key(), u"oggTesto1"); // sent back
    EXPECT_EQ(stack[1]->key(), u"oggRettangolo1");
    EXPECT_EQ(stack[2]->key(), u"oggTesto2");
    EXPECT_EQ(document.zOrder().GetZOrdine(QStringLiteral("oggRettangolo1")), 1);
    EXPECT_EQ(document.zOrder().GetZOrdine(QStringLiteral("oggTesto1")), 2);
    EXPECT_EQ(document.zOrder().GetZOrdine(QStringLiteral("oggTesto2")), 0);
}

TEST(ReadLabelFile, AFileCutInsideASectionKeepsWhatWasRead) {
    QStringList lines = textSection(QStringLiteral("intero"));
    QStringList cut = textSection(QStringLiteral("tagliato"));
    lines += cut.mid(0, 7); // key, geometry, caption, font name
    LabelDocument document;
    const auto error = read(labelFileBytes(lines), document);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, labelfile::errors::InputPastEnd);
    ASSERT_EQ(document.elements().size(), 2u);
    const LabelElement& partial = *document.elements()[1];
    EXPECT_EQ(partial.Caption, u"tagliato");
    EXPECT_EQ(partial.FontSize, document.templateOf(ElementKind::Testo).FontSize);
    EXPECT_EQ(partial.Width, 1000);
}

TEST(ReadLabelFile, AFileCutInTheGeometryMakesNoElement) {
    QStringList lines = textSection().mid(0, 4);
    LabelDocument document;
    const auto error = read(labelFileBytes(lines), document);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, labelfile::errors::InputPastEnd);
    EXPECT_TRUE(document.elements().empty());
}

TEST(ReadLabelFile, AFileCutInTheDatabaseSectionKeepsTheValuesRead) {
    const QStringList lines{QStringLiteral("oggDatabase"), QStringLiteral("a.mdb"),
                            QStringLiteral("pw"), QStringLiteral("Clienti")};
    LabelDocument document;
    ASSERT_TRUE(read(labelFileBytes(lines), document));
    EXPECT_EQ(document.binding().NomeDatabase, u"a.mdb");
    EXPECT_EQ(document.binding().NomeTabella, u"Clienti");
}

struct BadValue {
    int line; // within a text section, key = 0
    const char* text;
    int code;
};

void PrintTo(const BadValue& c, std::ostream* os) {
    *os << "line " << c.line << " = \"" << c.text << '"';
}

class BadValues : public ::testing::TestWithParam<BadValue> {};

TEST_P(BadValues, StopTheReadWithTheirErrorNumber) {
    QStringList lines = textSection();
    lines[GetParam().line] = QString::fromLatin1(GetParam().text);
    lines += textSection();
    LabelDocument document;
    const auto error = read(labelFileBytes(lines), document);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, GetParam().code);
    EXPECT_FALSE(error->description.isEmpty());
    EXPECT_LE(document.elements().size(), 1u); // the second section is never reached
}

INSTANTIATE_TEST_SUITE_P(Values, BadValues,
                         ::testing::Values(BadValue{1, "dieci", labelfile::errors::TypeMismatch},
                                           BadValue{3, "", labelfile::errors::TypeMismatch},
                                           BadValue{4, "1e40", labelfile::errors::Overflow},
                                           // beyond any sheet: a corrupt PDF if printed
                                           BadValue{1, " 1E+20 ", labelfile::errors::Overflow},
                                           BadValue{3, "-5", labelfile::errors::InvalidProperty},
                                           BadValue{10, " 2 ", labelfile::errors::InvalidProperty},
                                           BadValue{11, " 3 ", labelfile::errors::InvalidProperty},
                                           BadValue{12, " 99999999999 ",
                                                    labelfile::errors::Overflow},
                                           BadValue{13, "nero", labelfile::errors::TypeMismatch},
                                           BadValue{15, "primo", labelfile::errors::TypeMismatch}));

QStringList pictureSection(const QString& path, const QString& field = {}) {
    return {QStringLiteral("oggPicture"),
            QStringLiteral(" 0 "),
            QStringLiteral(" 0 "),
            QStringLiteral(" 600 "),
            QStringLiteral(" 300 "),
            QStringLiteral(" t "),
            field,
            path,
            QStringLiteral(" 0 ")};
}

TEST(ReadLabelFile, PicturesLoadOnlyWhenUnlinkedAndPresent) {
    QTemporaryDir folder;
    QImage image(8, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(folder.filePath(QStringLiteral("rosso.png"))));

    QStringList lines = pictureSection(folder.filePath(QStringLiteral("rosso.png")));
    lines += pictureSection(folder.filePath(QStringLiteral("manca.png")));
    lines += pictureSection(folder.filePath(QStringLiteral("rosso.png")), QStringLiteral("Foto"));
    lines += pictureSection(QStringLiteral("rosso.png")); // relative to the label's folder
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
}

TEST(ReadLabelFile, PicturesBeyondWhatOneLabelMayHoldAreRefused) {
    // Seven distinct 16-megapixel pictures: more than a label may hold decoded.
    QTemporaryDir folder;
    QImage big(4000, 4000, QImage::Format_RGB32);
    big.fill(Qt::gray);
    ASSERT_TRUE(big.save(folder.filePath(QStringLiteral("0.png"))));
    QStringList lines;
    for (int i = 0; i < 7; ++i) {
        const QString name = QString::number(i) + QStringLiteral(".png");
        QFile::copy(folder.filePath(QStringLiteral("0.png")), folder.filePath(name));
        lines += pictureSection(name);
        lines += pictureSection(name); // named twice, counted once
    }
    LabelDocument document;
    const auto error = read(labelFileBytes(lines), document, folder.path());
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, labelfile::errors::OutOfMemory);
    EXPECT_EQ(document.elements().size(), 13u); // six pictures fit, twice each
}

TEST(ReadLabelFile, AFileWithoutAnySectionIsNoLabel) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    for (const QByteArray& bytes : {png, QByteArray(), QByteArray("Standard Jet DB\r\n")}) {
        LabelDocument document;
        const auto error = read(bytes, document);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->code, labelfile::errors::InvalidFileFormat);
    }
}

TEST(ReadLabelFile, ManyElementsKeepTheirDepthOrder) {
    // Every third element sent back, every third brought to the front, as a large label has.
    QStringList lines;
    for (int i = 0; i < 3000; ++i)
        lines += textSection(QString::number(i), QStringLiteral(" 10 "), QStringLiteral("False"),
                             QStringLiteral(" %1 ").arg(i % 3));
    LabelDocument document;
    ASSERT_FALSE(read(labelFileBytes(lines), document));
    const auto& stack = document.stackingOrder();
    ASSERT_EQ(stack.size(), 3000u);
    // Sent back one after the other: the last one sent is the backmost.
    EXPECT_EQ(stack[0]->Caption, u"2999");
    EXPECT_EQ(stack[999]->Caption, u"2");
    // Then the others in creation order (bringing the newest to the front moves nothing).
    EXPECT_EQ(stack[1000]->Caption, u"0");
    EXPECT_EQ(stack[1001]->Caption, u"1");
    EXPECT_EQ(stack[2999]->Caption, u"2998");
    EXPECT_EQ(*document.GetNewIndex(ElementKind::Testo), 3001);
}

TEST(ReadLabelFile, APictureFileThatIsNoPictureFails) {
    QTemporaryDir folder;
    QFile fake(folder.filePath(QStringLiteral("finta.jpg")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("questo non è un jpeg");
    fake.close();
    LabelDocument document;
    const auto error = read(labelFileBytes(pictureSection(fake.fileName())), document);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, labelfile::errors::InvalidPicture);
    EXPECT_EQ(document.elements().size(), 1u);
}

TEST(ReadLabelFile, GarbageNeverCrashes) {
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
    SUCCEED();
}

struct NumberCase {
    const char* text;
    std::optional<double> value;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class FileNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(FileNumbers, OneSeparatorIsTheDecimalMarkWhateverTheLocale) {
    EXPECT_EQ(labelfile::parseNumber(QString::fromLatin1(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FileNumbers,
    ::testing::Values(NumberCase{" 12 ", 12.0}, NumberCase{" 12,5 ", 12.5},
                      NumberCase{"12.5", 12.5}, NumberCase{"-3,25 ", -3.25}, NumberCase{"+7", 7.0},
                      NumberCase{",5", 0.5}, NumberCase{"1,5E+03", 1500.0},
                      NumberCase{"1.234,5", 1234.5}, NumberCase{"1,234.5", 1234.5},
                      NumberCase{"1.234.567", 1234567.0}, NumberCase{"", std::nullopt},
                      NumberCase{"abc", std::nullopt}, NumberCase{"12abc", std::nullopt},
                      NumberCase{"1,2,3.4", 123.4}, NumberCase{"1.2.3,4,5", std::nullopt},
                      NumberCase{"-", std::nullopt}, NumberCase{"1e", std::nullopt},
                      NumberCase{"1e999", std::nullopt}));

} // namespace
