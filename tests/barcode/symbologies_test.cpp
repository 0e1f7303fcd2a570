// SPDX-License-Identifier: GPL-3.0-or-later
// Every symbology printed to a PDF, rendered at 300 dpi and read back by independent decoders:
// zbar, ZXing (python3-zxing-cpp) and, for Data Matrix, libdmtx.

#include "support/files.h"
#include "support/marvelloprocess.h"
#include "support/zbar.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct SymbolCase {
    int digit; // the Tag's first digit
    const char* value;
    bool zbar;             // zbar reads this symbology
    bool dmtx;             // libdmtx reads it
    const char* key = "";  // a symbology beyond the Tag's digits, by name
    const char* read = ""; // what decoders read, when not the value itself
};

void PrintTo(const SymbolCase& c, std::ostream* os) {
    *os << c.digit << c.key << " " << c.value;
}

// Digits and letters only: decoders write GS1 data with or without brackets and separators.
QString essence(QString text) {
    text.remove(QRegularExpression(uR"(^\][A-Za-z]\d)"_s));
    text.remove(QRegularExpression(u"[^0-9A-Za-z]"_s));
    return text;
}

QStringList lines(const QByteArray& output) {
    QStringList result;
    for (const QByteArray& line : output.split('\n'))
        if (!line.trimmed().isEmpty())
            result << essence(QString::fromUtf8(line.trimmed()));
    return result;
}

class Symbologies : public ::testing::TestWithParam<SymbolCase> {
protected:
    // A 60 x 40 mm label with one 50 x 30 mm barcode element of the case's symbology: the Tag's,
    // or the one named by `key`, stored in the element's further properties.
    QString label(const QString& tag, const QString& value, const char* key = "") {
        const QString path = folder.filePath(u"codice.eti"_s);
        QStringList lines{"oggLayout", " 1 ",    " 1 ", " 10 ", " 10 ",        " 60 ",  " 40 ",
                          " 0 ",       " 0 ",    " 0 ", " 0 ",  "oggImmagine", " 283 ", " 283 ",
                          " 2835 ",    " 1701 ", tag,   "",     value,         " 0 "};
        if (*key)
            lines << u"oggDettagli"_s << u" 1 "_s << u"Simbologia="_s + QString::fromLatin1(key);
        writeBytes(path, lines.join(u"\r\n"_s).toUtf8() + "\r\n");
        return path;
    }
    QString render(const QString& pdf) {
        // The label's corner of the page, with white around the symbol.
        const QImage page = pdfPage(pdf, 1, 300, folder.path());
        const QString crop = folder.filePath(u"simbolo.png"_s);
        page.copy(0, 0, int(100 / 25.4 * 300), int(80 / 25.4 * 300)).save(crop);
        return crop;
    }
    QTemporaryDir folder;
    QString pdf = folder.filePath(u"codice.pdf"_s);
};

TEST_P(Symbologies, PrintAndDecodeWithIndependentDecoders) {
    const SymbolCase c = GetParam();
    const ProcessRun run = marvello(
        printTo(label(u"%1%2"_s.arg(c.digit).arg(0), QString::fromUtf8(c.value), c.key), pdf));
    ASSERT_TRUE(exited(run, 0));
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    const QString image = render(pdf);
    const QString expected = essence(QString::fromUtf8(*c.read ? c.read : c.value));
    // ZXing says the first symbol it finds.
    const QString byZxing = essence(QString::fromUtf8(zxingOutput(image)));
    EXPECT_TRUE(byZxing.startsWith(expected)) << byZxing.toStdString(); // + check digit
    if (c.zbar) {
        const QStringList byZbar = lines(runTool("zbarimg", {u"-q"_s, u"--raw"_s, image}));
        ASSERT_EQ(byZbar.size(), 1) << byZbar.join(u',').toStdString();
        EXPECT_TRUE(byZbar[0].contains(expected)) << byZbar[0].toStdString();
    }
    if (c.dmtx)
        EXPECT_EQ(lines(runTool("dmtxread", {u"-n"_s, image})), QStringList{expected});
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, Symbologies,
    ::testing::Values(SymbolCase{2, "Marvello-128 abc", true, false},
                      SymbolCase{3, "(01)09501101530003(17)251231(10)LOTTO7", true, false},
                      SymbolCase{4, "https://example.org/etichetta?id=42", true, false},
                      SymbolCase{5, "Lotto 42 / scadenza 2027", false, true},
                      SymbolCase{6, "Spedizione 1234567890", false, false},
                      SymbolCase{7, "1540014128876", true, false},
                      SymbolCase{8, "72527273070", true, false},
                      SymbolCase{9, "(01)09501101530003(17)251231(10)LOTTO7", false, true},
                      // Beyond the Tag's digits, stored by name after their stand-in's digit.
                      SymbolCase{1, "9638507", true, false, "EAN8"},
                      // zbar reads UPC-E as the UPC-A it stands for.
                      SymbolCase{2, "0123456", false, false, "UPCE"},
                      SymbolCase{2, "12345678", true, false, "ITF"},
                      // Codabar's start and stop letters are not part of the data read.
                      SymbolCase{2, "A40156B", true, false, "CODABAR", "40156"},
                      SymbolCase{4, "Lotto 42 Aztec", false, false, "AZTEC"},
                      SymbolCase{2, "0950110153000", true, false, "DATABAR"},
                      SymbolCase{3, "(01)09501101530003(17)251231(10)LOTTO7", true, false,
                                 "DATABAREXPANDED"}));

TEST_F(Symbologies, TheTextGoesWhereChosenAndBadDataIsNamed) {
    // "Nascosto": no text under the bars; "Sotto" (as labels always had): the text.
    for (const auto& [tag, shown] : {std::pair{"22", false}, std::pair{"20", true},
                                     std::pair{"02", false}, std::pair{"00", true}}) {
        ASSERT_TRUE(
            exited(marvello(printTo(label(QString::fromLatin1(tag), u"TESTO42"_s), pdf)), 0));
        EXPECT_EQ(pdfText(pdf).contains("TESTO42"), shown) << tag;
    }
    // Letters in UPC-A, a QR code beyond its capacity: said, the label delivered without a symbol.
    const QByteArray tooMany(8000, '7');
    for (const auto& [tag, value] :
         {std::pair{"80", "ABC"}, std::pair{"40", tooMany.constData()}}) {
        EXPECT_TRUE(exited(
            marvello(printTo(label(QString::fromLatin1(tag), QString::fromLatin1(value)), pdf)), 5,
            QString::fromLatin1(value).left(40)));
        EXPECT_TRUE(zxingOutput(render(pdf)).isEmpty());
    }
}

// Codes that scanners refuse or misread stop the job, naming the code and the label: wrong
// check digits, GS1 values that break their rules, characters Code 39 cannot draw.
TEST_F(Symbologies, WrongCodesStopTheJob) {
    struct Wrong {
        const char* tag;
        const char* value;
        const char* key = "";
    };
    const Wrong wrong[] = {
        {"10", "4006381333932"},
        {"10", "96385073"},
        {"80", "725272730705"},
        {"70", "15400141288762"},
        {"30", "(01)09501101530004"},
        {"90", "(01)09501101530003(17)251331"},
        {"30", "09501101530003"}, // no application identifier
        {"00", "abc\u20ac"},
        {"10", "96385073", "EAN8"},
        {"10", "123", "EAN8"},
        {"20", "01234567", "UPCE"}, // the check digit of 001234500006(5)
        {"20", "21234565", "UPCE"}, // no UPC-E in number system 2
        {"20", "09501101530004", "DATABAR"},
        {"20", "09501101530004", "DATABARLIMITED"},
    };
    for (const Wrong& w : wrong) {
        QFile::remove(pdf);
        EXPECT_TRUE(
            exited(marvello(printTo(
                       label(QString::fromLatin1(w.tag), QString::fromUtf8(w.value), w.key), pdf)),
                   1, u"dell'etichetta 1 non è valido"))
            << w.value;
        EXPECT_FALSE(QFile::exists(pdf)) << w.value;
    }
    // An ITF-14 written whole, its check digit right, prints.
    ASSERT_TRUE(exited(marvello(printTo(label(u"70"_s, u"15400141288763"_s), pdf)), 0));
    EXPECT_EQ(zxingOutput(render(pdf)), "15400141288763");
    // No decoder Debian carries reads GS1 DataBar Limited: its text says the GTIN printed.
    ASSERT_TRUE(
        exited(marvello(printTo(label(u"20"_s, u"09501101530003"_s, "DATABARLIMITED"), pdf)), 0));
    EXPECT_TRUE(pdfText(pdf).contains("(01)09501101530003"));
}

} // namespace
