// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/zintsymbol.h"
#include "common/programfolders.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/inifile.h"
#include "printcomponent/pagerenderer.h"
#include "printcomponent/pressivocodes.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printsurface.h"
#include "recordingprinter.h"
#include "support/files.h"
#include "support/recordingmessages.h"
#include "support/settingsfolder.h"
#include "support/zbar.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Pressivo : public ::testing::Test {
protected:
    Pressivo() { ui.surface().setPrinterBackend(printer); }

    const DrawOp& lastOp() const { return ui.surface().document().pages.back().ops.back(); }
    const DrawStyle& styleOf(const DrawOp& op) const {
        return ui.surface().document().styles[std::size_t(op.style)];
    }

    SettingsFolder folder;
    RecordingMessages messages;
    mutable HeadlessPressivoUi ui;
    std::shared_ptr<RecordingPrinter> printer = std::make_shared<RecordingPrinter>();
};

TEST_F(Pressivo, MarginsComeFromTheSettingsAndAreWrittenBack) {
    SetKeyIni(programfolders::settingsFile(), u"MARGINE SUPERIORE"_s, u"1,5"_s);
    SetKeyIni(programfolders::settingsFile(), u"Margine destro"_s, u"x"_s);
    {
        clsPressivo pressivo(ui);
        EXPECT_DOUBLE_EQ(ui.surface().MarginTop(), 850.5);
        EXPECT_DOUBLE_EQ(ui.surface().MarginRight(), 170.1);
    }
    EXPECT_EQ(GetKeyIni(programfolders::settingsFile(), u"Margine superiore"_s), u"1,50");
    // Missing or unreadable: three millimetres.
    for (const char* key : {"Margine destro", "Margine inferiore", "Margine sinistro"})
        EXPECT_EQ(GetKeyIni(programfolders::settingsFile(), QLatin1String(key)), u"0,30") << key;
}

TEST_F(Pressivo, TextBoxesHaveNoOutlineAndShadeWithTheBrush) {
    clsPressivo pressivo(ui);
    pressivo.setBrushColor(65535);
    pressivo.DrawTextBox(u"Ciao"_s, 10, 10, 50, 5, true);
    EXPECT_EQ(lastOp().kind, DrawOp::Kind::TextBox);
    EXPECT_TRUE(lastOp().shade);
    EXPECT_EQ(ui.surface().PenStyle(), 5);
    EXPECT_NEAR(lastOp().area.width(), 50 * 56.7, 1e-9);
}

TEST_F(Pressivo, BarcodesRestoreTheSurfaceAndPrintTheirLineInItalicWhenItIsOn) {
    clsPressivo pressivo(ui);
    pressivo.setFontName(u"Courier New"_s);
    pressivo.setFontSize(10);
    pressivo.setFontItalic(true);
    pressivo.setTextAlign(2);
    pressivo.DrawSymbol(barcode::Symbology::Code39, u"ABC"_s, 10, 20, 40, 15);
    const auto& ops = ui.surface().document().pages.back().ops;
    const DrawOp& text = ops.back();
    EXPECT_EQ(text.kind, DrawOp::Kind::TextBox);
    EXPECT_EQ(text.text, u"*ABC*");
    EXPECT_TRUE(styleOf(text).fontItalic);
    EXPECT_EQ(styleOf(text).fontName, u"Arial");
    EXPECT_EQ(styleOf(text).fontSize, 8);
    // Start, A, B, C, stop: 5 x 13 units + 1: a white box under all of them, then the bars.
    ASSERT_GE(ops.size(), 2u);
    EXPECT_NEAR(ops[0].area.width(), 40 * 56.7, 1e-6);
    EXPECT_EQ(QColor::fromRgb(styleOf(ops[0]).brushColor), QColor(Qt::white));
    EXPECT_EQ(
        decodeBarcodes(withQuietZone(printoutput::renderImage(ui.surface().document(), 0, 300))),
        QStringList{"ABC"});
    EXPECT_EQ(ui.surface().FontName(), u"Courier New");
    EXPECT_EQ(ui.surface().FontSize(), 10);
    EXPECT_EQ(pressivo.TextAlign(), 2);
}

// A module width asked for holds on screen and in PDFs exactly, on a printer in the nearest
// whole dots; the symbol starts at the box's left edge and a box too narrow for it is said.
// Quiet zones move the bars in from the box's edges.
TEST_F(Pressivo, AskedModulesWholeDotsAndQuietZones) {
    clsPressivo pressivo(ui, clsPressivo::DrawingOnly{});
    pressivo.setScaleMode(pressivo::Millimetre);
    pressivo.setBarcodeTextPosition(barcode::TextPosition::Nascosto);
    const auto bars = [&](barcode::Symbology symbology, const char* value,
                          const barcode::Options& options, QString* why = nullptr) {
        ui.surface().KillDoc();
        ui.surface().StartDoc();
        const QString problem =
            pressivo.DrawSymbol(symbology, QString::fromLatin1(value), 10, 10, 60, 30, options);
        if (why)
            *why = problem;
        std::vector<QRectF> found;
        for (const DrawOp& op : ui.surface().document().pages.back().ops)
            if (op.kind == DrawOp::Kind::Rectangle)
                found.push_back(op.area);
        return found;
    };
    const double mm = 56.7; // the print component's twips a millimetre
    const auto onScreen = bars(barcode::Symbology::Code128, "ABC", {.moduleMm = 0.5f});
    ASSERT_FALSE(onScreen.empty());
    EXPECT_NEAR(onScreen.front().left(), 10 * mm, 1e-6);
    for (const QRectF& bar : onScreen) {
        const double modules = bar.width() / (0.5 * mm);
        EXPECT_NEAR(modules, std::round(modules), 1e-6);
        EXPECT_GE(std::round(modules), 1);
    }
    // 0.33 mm at 203 dpi: 3 dots (0.375 mm), each bar a quarter dot inside its dots.
    pressivo.setDotsPerInch(203);
    const double dot = 1440.0 / 203;
    const auto onDots = bars(barcode::Symbology::Code128, "ABC", {.moduleMm = 0.33f});
    ASSERT_FALSE(onDots.empty());
    double right = 0;
    for (const QRectF& bar : onDots) {
        const double modules = (bar.width() + dot / 2) / (3 * dot);
        EXPECT_NEAR(modules, std::round(modules), 1e-6);
        right = std::max(right, bar.right());
    }
    // Code 128 "ABC": start, three characters, check (11 modules each), stop (13).
    EXPECT_NEAR(right + dot / 4 - onDots.front().left() + dot / 4, 68 * 3 * dot, 1e-6);
    QString why;
    EXPECT_TRUE(bars(barcode::Symbology::Code128, "ABC", {.moduleMm = 1}, &why).empty());
    EXPECT_TRUE(why.contains(u"il riquadro non basta")) << why.toStdString();
    EXPECT_TRUE(why.contains(u"68,06 mm")) << why.toStdString(); // 8 dots a module

    // On a printer's dots every symbol keeps to its box and every bar edge lands on a dot:
    // PDF417's rows are three modules tall, ITF-14 and UPC-A carry quiet zones in their drawing.
    for (const auto& [symbology, value] :
         {std::pair{barcode::Symbology::Pdf417, "MARVELLO PDF417 1234567890"},
          std::pair{barcode::Symbology::Itf14, "1540014128876"},
          std::pair{barcode::Symbology::UpcA, "03600029145"},
          std::pair{barcode::Symbology::QrCode, "https://example.org/etichetta"}}) {
        QRectF drawn;
        for (const QRectF& area : bars(symbology, value, {}, &why)) {
            drawn |= area;
            // On the dots: 2-D cells exactly, bars a quarter dot inside theirs.
            const double inside = barcode::isTwoDimensional(symbology) ? 0 : 0.25;
            for (const double edge : {area.left(), area.right()})
                EXPECT_NEAR(std::abs(edge / dot - std::round(edge / dot)), inside, 1e-6) << value;
        }
        EXPECT_TRUE(why.isEmpty()) << value;
        // The largest whole module: more than half the box, whatever the quiet zones take.
        EXPECT_GT(drawn.width(), (barcode::isTwoDimensional(symbology) ? 25 : 35) * 56.7) << value;
        EXPECT_LE(drawn.right(), 70 * 56.7 + 1) << value;
    }

    // EAN-13 stretched over 60 mm: its first bar 3 of 101 modules in, with quiet zones 11 of
    // 113.
    pressivo.setDotsPerInch(0);
    const barcode::Options quiet{.quietZones = true};
    EXPECT_NEAR(bars(barcode::Symbology::Ean13, "4006381333931", {}).front().left(),
                (10 + 60.0 * 3 / 101) * mm, 1e-3);
    EXPECT_NEAR(bars(barcode::Symbology::Ean13, "4006381333931", quiet).front().left(),
                (10 + 60.0 * 11 / 113) * mm, 1e-3);
    // A QR Code keeps the module asked with its quiet zones too: 21 modules of 0.5 mm.
    QRectF qr;
    for (const QRectF& cell :
         bars(barcode::Symbology::QrCode, "Marvello 123", {.moduleMm = 0.5f, .quietZones = true}))
        qr |= cell;
    EXPECT_NEAR(qr.width(), 21 * 0.5 * mm, 1e-6);
    EXPECT_NEAR(qr.height(), 21 * 0.5 * mm, 1e-6);
    // libzint's symbologies keep theirs inside the box too.
    EXPECT_GT(bars(barcode::Symbology::Code128, "ABC", quiet).front().left(),
              bars(barcode::Symbology::Code128, "ABC", {}).front().left() + 5 * mm);
}

// The error correction asked makes a larger QR Code for the same data.
TEST(QrLevels, HigherLevelsTakeMoreModules) {
    const QString data = u"https://example.org/etichetta?id=42"_s;
    std::vector<int> sides;
    for (const barcode::QrLevel level :
         {barcode::QrLevel::L, barcode::QrLevel::M, barcode::QrLevel::Q, barcode::QrLevel::H}) {
        const auto encoding =
            zintsymbol::encode(barcode::Symbology::QrCode, data, {.qrLevel = level});
        sides.push_back(encoding.symbol ? encoding.symbol->columns : 0);
    }
    // 35 bytes: version 3 at L and M, 4 at Q, 5 at H.
    EXPECT_EQ(sides, (std::vector<int>{29, 29, 33, 37}));
}

TEST_F(Pressivo, TheDestinationLoopCarriesOutSetUpRequests) {
    struct Script final : PressivoUi {
        HeadlessPressivoUi& inner;
        std::vector<qint16> answers{-1, -2, 2};
        std::vector<DestinationRequest> seen;
        explicit Script(HeadlessPressivoUi& i)
            : inner(i) {}
        PrintSurface& surface() override { return inner.surface(); }
        void askDestination(DestinationRequest& request) override {
            seen.push_back(request);
            request.DestinazioneStampa = answers[seen.size() - 1];
            request.Copies = 0; // an answer of 0 copies keeps the number
        }
        void showPreview() override {}
        QString chooseSavedPrint(const QString&) override { return {}; }
    } script(ui);
    clsPressivo scripted(script);
    scripted.setCopies(4);
    EXPECT_EQ(scripted.SelectPrintDestination(), 2);
    EXPECT_EQ(printer->printerSetups, 1);
    EXPECT_EQ(printer->pageSetups, 1);
    ASSERT_EQ(script.seen.size(), 3u);
    EXPECT_EQ(script.seen[0].CurrentPrinter, u"Etichettatrice");
    EXPECT_EQ(script.seen[0].Port, u"usb://1");
    EXPECT_EQ(script.seen[2].Copies, 4);
    EXPECT_EQ(scripted.Copies(), 4);
}

TEST_F(Pressivo, EndDocDeliversToTheChosenDestination) {
    {
        clsPressivo pressivo(ui);
        pressivo.DrawLine(0, 0, 10, 10);
        pressivo.EndDoc(); // never chosen: discarded
        EXPECT_EQ(ui.surface().PageCount(), 0);
    }
    {
        clsPressivo pressivo(ui);
        ui.destination = pressivo::Printer;
        ui.copies = 3;
        EXPECT_EQ(pressivo.SelectPrintDestination(), 2);
        pressivo.EndDoc();
        ASSERT_EQ(printer->jobs.size(), 1u); // one job of three copies
        EXPECT_EQ(printer->jobs[0].copies, 3);
    }
    {
        clsPressivo pressivo(ui);
        pressivo.setPrintDestination(pressivo::Printer);
        pressivo.setCopies(0);
        pressivo.EndDoc();
        EXPECT_EQ(printer->jobs.size(), 1u); // no copies, nothing printed
    }
    {
        clsPressivo pressivo(ui);
        ui.destination = pressivo::Preview;
        pressivo.SelectPrintDestination();
        pressivo.EndDoc();
        EXPECT_EQ(ui.previews, 1);
    }
}

TEST_F(Pressivo, ADamagedSavedPrintIsReportedNotShown) {
    const QString file = folder.filePath(u"rotta.ant"_s);
    writeBytes(file, QByteArray("MARVELLO-STAMPA\n\x00\x01garbage", 26));
    clsPressivo pressivo(ui);
    ui.savedPrintAnswer = file;
    ui.destination = pressivo::Preview;
    pressivo.ManageFilePrinted();
    EXPECT_TRUE(messages.lastText().startsWith(u"Errore non gestito. Codice: 321"));
    EXPECT_EQ(ui.previews, 0);
}

} // namespace
