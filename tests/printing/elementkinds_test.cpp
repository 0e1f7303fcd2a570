// SPDX-License-Identifier: GPL-3.0-or-later
// Lines, ellipses, round corners and turned elements, printed from the command line and
// measured on the PDF as a person measures paper.

#include "common/units.h"
#include "document/labeldocument.h"
#include "document/labelfile.h"
#include "support/files.h"
#include "support/marvelloprocess.h"
#include "support/zbar.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

using namespace Qt::StringLiterals;

namespace {

constexpr int Dpi = 254; // ten pixels a millimetre
constexpr double PixelsPerMm = Dpi / 25.4;

// A 100 x 60 mm label alone on a page of its size.
class ElementKinds : public ::testing::Test {
protected:
    ElementKinds() {
        document.setLayout({1, 1, 0, 0, 100, 60}, {LabelPaper::Kind::Custom, {}, 100, 60});
    }

    // An element whose box is given in millimetres from the label's corner.
    LabelElement* add(ElementKind kind, double x, double y, double w, double h) {
        const auto twips = [](double origin, double mm) {
            return float(origin + units::millimetresToTwips(mm));
        };
        return document.CreaOgg(kind, twips(units::LabelOriginXTwips, x),
                                twips(units::LabelOriginYTwips, y), twips(0, w), twips(0, h));
    }

    // The label printed to `name`; the PDF's first page at ten pixels a millimetre when it is
    // one.
    QImage print(const QString& name = u"etichetta.pdf"_s) {
        const QString label = folder.filePath(u"etichetta.eti"_s);
        writeBytes(label, std::get<QByteArray>(labelfile::write(document)));
        EXPECT_TRUE(exited(marvello(printTo(label, folder.filePath(name))), 0));
        return name.endsWith(u".pdf") ? pdfPage(folder.filePath(name), 1, Dpi, folder.path())
                                      : QImage();
    }

    QTemporaryDir folder;
    LabelDocument document;
};

bool dark(const QImage& page, double xMm, double yMm) {
    return qGray(page.pixel(int(xMm * PixelsPerMm), int(yMm * PixelsPerMm))) < 128;
}

// The dark runs along a row (or column) in millimetres: start and end of each.
std::vector<std::pair<double, double>> darkRuns(const QImage& page, double atMm, bool row) {
    std::vector<std::pair<double, double>> found;
    const int fixed = int(atMm * PixelsPerMm);
    const int length = row ? page.width() : page.height();
    int start = -1;
    for (int i = 0; i <= length; ++i) {
        const bool on =
            i < length && qGray(row ? page.pixel(i, fixed) : page.pixel(fixed, i)) < 128;
        if (on && start < 0)
            start = i;
        if (!on && start >= 0) {
            found.emplace_back(start / PixelsPerMm, i / PixelsPerMm);
            start = -1;
        }
    }
    return found;
}

TEST_F(ElementKinds, ShapesLieWhereTheirBoxesSayAsWideAsTheirLines) {
    LabelElement* line = add(ElementKind::Linea, 10, 10, 80, 0);
    line->SpessoreMm = 0.5f;
    LabelElement* rising = add(ElementKind::Linea, 10, 20, 30, 10);
    rising->Ascendente = true;
    rising->TipoLinea = LineStyle::Tratteggiata;
    LabelElement* circle = add(ElementKind::Ellisse, 60, 30, 20, 20);
    circle->SpessoreMm = 1;
    LabelElement* frame = add(ElementKind::Rettangolo, 5, 35, 40, 20);
    frame->RaggioAngoli = 5;
    frame->SpessoreMm = 1;
    LabelElement* thick = add(ElementKind::Rettangolo, 48, 13, 10, 12);
    thick->RaggioAngoli = 2;
    thick->BorderWidth = 3; // 0.8 mm, as square corners print it
    const QImage page = print();
    ASSERT_FALSE(page.isNull());

    // The line: 80 mm long, 0.5 mm wide, centred on its box's edge.
    const auto across = darkRuns(page, 10, true);
    ASSERT_EQ(across.size(), 1u);
    EXPECT_NEAR(across[0].first, 10, 0.15);
    EXPECT_NEAR(across[0].second, 90, 0.15);
    const auto through = darkRuns(page, 50, false);
    ASSERT_FALSE(through.empty());
    EXPECT_NEAR(through[0].second - through[0].first, 0.5, 0.15);
    EXPECT_NEAR((through[0].second + through[0].first) / 2, 10, 0.1);

    // The rising line goes from the bottom-left corner to the top-right one, in dashes.
    EXPECT_TRUE(dark(page, 10.3, 29.9) || dark(page, 10.3, 29.8));
    EXPECT_FALSE(dark(page, 10.3, 20.1));
    std::size_t dashes = 0;
    for (double x = 10.5; x < 39.5; x += 0.1)
        dashes += dark(page, x, 30 - (x - 10) / 3) != dark(page, x + 0.1, 30 - (x + 0.1 - 10) / 3);
    EXPECT_GE(dashes, 8u);

    // The circle: its outline 1 mm wide, on the edges of its 20 mm box.
    for (const bool row : {true, false}) {
        const auto runs = darkRuns(page, row ? 40 : 70, row);
        std::vector<std::pair<double, double>> outline;
        for (const auto& run : runs)
            if (run.first > (row ? 55 : 25))
                outline.push_back(run);
        ASSERT_EQ(outline.size(), 2u) << row;
        EXPECT_NEAR((outline[0].first + outline[0].second) / 2, row ? 60 : 30, 0.15);
        EXPECT_NEAR((outline[1].first + outline[1].second) / 2, row ? 80 : 50, 0.15);
        EXPECT_NEAR(outline[0].second - outline[0].first, 1, 0.2);
    }

    // The frame's corners are round: its sides are dark, the corner point is not.
    EXPECT_TRUE(dark(page, 5, 45));
    EXPECT_TRUE(dark(page, 25, 35));
    EXPECT_FALSE(dark(page, 5.1, 35.1));
    const auto side = darkRuns(page, 53, false); // the line, then the thick top and bottom
    ASSERT_FALSE(side.empty());
    EXPECT_NEAR(side.back().second - side.back().first, 0.8, 0.15);

    // Ellipses and dashes are in saved prints only this version reads: its version says so.
    print(u"etichetta.ant"_s);
    EXPECT_EQ(readBytes(folder.filePath(u"etichetta.ant"_s)).mid(17, 1), "\x03");
}

// A name fitted to its box prints whole inside it, however long, and never larger than its
// size; the lines of a text lie at the bottom of its box when asked.
TEST_F(ElementKinds, FittedTextsPrintWholeInsideTheirBoxes) {
    const int lengths[] = {1, 12, 40, 90, 200};
    for (int i = 0; i < 5; ++i) {
        LabelElement* text = add(ElementKind::Testo, 5, 3 + i * 10, 50, 8);
        // Words of one letter each element: "bbbbb bbbbb b".
        const QString word = QString(5, QChar(u'b' + i)) + u' ';
        text->Caption = word.repeated(lengths[i] / 6 + 1).left(lengths[i]).trimmed();
        text->FontName = u"DejaVu Sans"_s;
        text->FontSize = 14;
        text->Adatta = true;
    }
    LabelElement* address = add(ElementKind::Testo, 60, 5, 38, 30);
    address->Caption = u"Mario Rossi\nVia Roma 1\nTorino"_s;
    address->FontName = u"DejaVu Sans"_s;
    address->AllineamentoVerticale = VerticalAlignment::Basso;
    address->FontUnderline = true;
    print();
    const auto words = pdfWords(folder.filePath(u"etichetta.pdf"_s));
    for (int i = 0; i < 5; ++i) {
        const QRectF box(5, 3 + i * 10, 50, 8);
        const QChar letter(u'b' + i);
        QStringList found;
        double tallest = 0;
        for (const auto& [text, where] : words) {
            if (!text.startsWith(letter))
                continue;
            found << text;
            tallest = std::max(tallest, where.height());
            EXPECT_TRUE(box.adjusted(-0.2, -0.2, 0.2, 0.2).contains(where))
                << lengths[i] << " " << text.toStdString();
        }
        EXPECT_EQ(found.join(u' '), document.elements()[std::size_t(i)]->Caption) << lengths[i];
        // 14 pt is about 5 mm of line; shorter texts keep it.
        if (lengths[i] <= 12)
            EXPECT_GT(tallest, 4.5) << lengths[i];
    }
    // The address's three lines sit at the bottom of its box.
    double lowest = 0;
    for (const auto& [text, where] : words)
        if (text == u"Torino")
            lowest = where.bottom();
    EXPECT_NEAR(lowest, 35, 1.2);
}

// A picture that keeps its proportions is fitted inside its box and centred; one that does
// not (every picture of older labels) is stretched over it.
TEST_F(ElementKinds, PicturesKeepTheirProportionsOrStretch) {
    QImage wide(200, 100, QImage::Format_RGB32);
    wide.fill(Qt::black);
    const QString path = folder.filePath(u"largo.png"_s);
    ASSERT_TRUE(wide.save(path));
    for (const bool keep : {true, false}) {
        LabelElement* picture = add(ElementKind::Picture, 10 + (keep ? 0 : 50), 10, 40, 40);
        picture->ToolTipText = path;
        picture->Picture = wide;
        picture->MantieniProporzioni = keep;
    }
    const QImage page = print();
    ASSERT_FALSE(page.isNull());
    // Down the middle of each: the kept one from 20 to 40 mm, the stretched one from 10 to 50.
    for (const auto& [x, top, bottom] : {std::tuple{30, 20, 40}, {80, 10, 50}}) {
        const auto runs = darkRuns(page, x, false);
        ASSERT_EQ(runs.size(), 1u) << x;
        EXPECT_NEAR(runs[0].first, top, 0.2) << x;
        EXPECT_NEAR(runs[0].second, bottom, 0.2) << x;
    }
}

// Texts turned each quarter: each word within its element's box, read along the turn.
TEST_F(ElementKinds, TurnedTextsReadAlongTheirTurn) {
    const char* texts[] = {"Zero Alfa", "Novanta Beta", "Cento Gamma", "Tre Delta"};
    const QRectF boxes[] = {{5, 5, 40, 6}, {60, 5, 6, 50}, {5, 30, 40, 6}, {80, 5, 6, 50}};
    for (int i = 0; i < 4; ++i) {
        LabelElement* text = add(ElementKind::Testo, boxes[i].x(), boxes[i].y(), boxes[i].width(),
                                 boxes[i].height());
        text->Caption = QString::fromLatin1(texts[i]);
        text->FontName = u"DejaVu Sans"_s;
        text->FontSize = 12;
        text->Rotazione = qint16(i * 90);
    }
    print();
    const auto words = pdfWords(folder.filePath(u"etichetta.pdf"_s));
    const auto word = [&](const QString& name) {
        const auto found = std::find_if(words.begin(), words.end(),
                                        [&](const auto& w) { return w.first == name; });
        EXPECT_NE(found, words.end()) << name.toStdString();
        return found == words.end() ? QRectF() : found->second;
    };
    for (int i = 0; i < 4; ++i) {
        const QStringList words = QString::fromLatin1(texts[i]).split(u' ');
        const QRectF first = word(words[0]), second = word(words[1]);
        const QRectF within = boxes[i].adjusted(-0.2, -0.2, 0.2, 0.2);
        EXPECT_TRUE(within.contains(first) && within.contains(second)) << texts[i];
        EXPECT_EQ(first.height() > first.width(), i % 2 == 1) << texts[i]; // a quarter turned
        // The second word follows the first: to the right, below, to the left, above.
        const double follows[] = {second.left() - first.left(), second.top() - first.top(),
                                  first.left() - second.left(), first.top() - second.top()};
        EXPECT_GT(follows[i], 0) << texts[i];
    }
}

// An EAN-13 turned each quarter scans with both decoders; a saved print of it prints the same.
TEST_F(ElementKinds, TurnedBarcodesScanAndSavedPrintsKeepTheTurn) {
    const QRectF boxes[] = {{5, 5, 40, 22}, {55, 3, 22, 40}, {5, 33, 40, 22}, {78, 3, 22, 40}};
    for (int i = 0; i < 4; ++i) {
        LabelElement* code = add(ElementKind::Immagine, boxes[i].x(), boxes[i].y(),
                                 boxes[i].width(), boxes[i].height());
        code->Tag = u"1"_s;
        code->ToolTipText = u"8001234567897"_s;
        code->Rotazione = qint16(i * 90);
    }
    const QImage page = print();
    ASSERT_FALSE(page.isNull());
    for (int i = 0; i < 4; ++i) {
        const QRect area(int(boxes[i].x() * PixelsPerMm), int(boxes[i].y() * PixelsPerMm),
                         int(boxes[i].width() * PixelsPerMm), int(boxes[i].height() * PixelsPerMm));
        const QImage symbol = withQuietZone(page.copy(area).convertToFormat(QImage::Format_RGB32));
        EXPECT_EQ(decodeBarcodes(symbol), QStringList{u"8001234567897"_s}) << i * 90;
        const QString file = folder.filePath(u"codice%1.png"_s.arg(i));
        symbol.save(file);
        EXPECT_EQ(zxingOutput(file), "8001234567897") << i * 90;
    }

    print(u"etichetta.ant"_s);
    const QString again = folder.filePath(u"di_nuovo.pdf"_s);
    ASSERT_TRUE(exited(marvello(printTo(folder.filePath(u"etichetta.ant"_s), again)), 0));
    EXPECT_EQ(pdfPage(again, 1, Dpi, folder.path()), page);
}

} // namespace
