// SPDX-License-Identifier: GPL-3.0-or-later
// Printing through a real CUPS scheduler: throwaway raw queues whose device is a socket on
// this machine, so that what CUPS delivers can be read back.

#include "app/batchprint.h"
#include "document/labeldocument.h"
#include "document/labelfile.h"
#include "printcomponent/printersettings.h"
#include "printcomponent/printsurface.h"
#include "printcomponent/widgets/qtprinter.h"
#include "support/files.h"
#include "support/images.h"
#include "support/labelfiletext.h"
#include "support/marvelloprocess.h"
#include "support/near.h"
#include "support/recordingmessages.h"
#include "support/settingsfolder.h"
#include "support/socketprinter.h"
#include "support/zbar.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cups/cups.h>

#include <unistd.h>

#include <numeric>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A batch print run in this process (with its settings folder), to the system's printers.
int printHere(const QString& label, const QString& to, const QStringList& more) {
    QString error;
    const auto options = BatchOptions::parse(printTo(label, to, more), &error);
    EXPECT_TRUE(options) << error.toStdString();
    return options ? runBatchPrint(
                         *options,
                         [](const QString& name) { return std::make_shared<QtPrinter>(name); })
                   : -1;
}

class CupsQueue : public ::testing::Test {
protected:
    void SetUp() override {
        if (!cupsAvailable()) {
            ASSERT_FALSE(HasFailure()); // required: the queues are not there
            GTEST_SKIP() << "no CUPS scheduler to add queues to";
        }
        previousDefault =
            QString::fromUtf8(runTool("lpstat", {u"-d"_s})).section(u':', 1).trimmed();
        added.emplace(queue);
        ASSERT_TRUE(runTool("lpstat", {u"-p"_s, queue}).contains(queue.toUtf8()));
    }
    void TearDown() override {
        added.reset();
        if (!previousDefault.startsWith(u"marvello") && !previousDefault.isEmpty())
            lpadmin({u"-d"_s, previousDefault});
    }
    static void lpadmin(const QStringList& arguments) { ThrowawayQueue::lpadmin(arguments); }
    // A document of one line for the queue, as the window prints it.
    void drawLineFor(PrintSurface& surface) const {
        surface.setPrinterBackend(std::make_shared<QtPrinter>(queue));
        surface.StartDoc();
        surface.DrawLine(0, 0, 1440, 1440);
        surface.EndDoc();
    }
    ProcessRun printOn(const QString& destination, const QStringList& more = {}) {
        return marvello(::printTo(example("prodotto.eti"), destination, more));
    }

    // The next job the printer receives, once `print` has printed it.
    QByteArray nextJob(const std::function<bool()>& print) {
        const std::size_t before = printer().jobsSoFar();
        EXPECT_TRUE(print());
        const auto jobs = printer().waitForJobs(before + 1);
        return jobs.size() == before + 1 ? jobs.back() : QByteArray();
    }
    // The job a print of the label on the queue sends.
    QByteArray jobOf(const QString& label, const QStringList& more = {}) {
        return nextJob(
            [&] { return exited(marvello(printTo(label, u"printer:"_s + queue, more)), 0); });
    }
    SocketPrinter& printer() { return added->printer; }

    std::optional<ThrowawayQueue> added;
    const QString queue = u"marvello-prova-%1"_s.arg(::getpid());
    QString previousDefault;
};

TEST_F(CupsQueue, OneNamedJobCarriesAllTheCopies) {
    const QByteArray job = jobOf(example("prodotto.eti"), {u"--copies"_s, "3"});
    // A raw queue hands the PDF to the device once per copy, in one job.
    EXPECT_EQ(job.count("%PDF-"), 3);
    // The title CUPS shows for the job.
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    EXPECT_EQ(count > 0 ? QString::fromUtf8(jobs[0].title) : QString(), u"prodotto.eti");
    cupsFreeJobs(count, jobs);

    QTemporaryDir folder;
    const QString copy = folder.filePath(u"copia.pdf"_s);
    writeBytes(copy, job.left(job.indexOf("%%EOF") + 6));
    EXPECT_TRUE(pdfText(copy).contains("extravergine"));
}

TEST_F(CupsQueue, AQueueThatRejectsJobsIsAFailureEverywhere) {
    runTool("cupsreject", {queue});
    EXPECT_TRUE(exited(printOn(u"printer:"_s + queue), 1, u"non accetta"));
    EXPECT_EQ(printer().jobsSoFar(), 0u);

    // In the window the same refusal is a message box, and the print is not done.
    RecordingMessages messages;
    PrintSurface surface;
    drawLineFor(surface);
    EXPECT_FALSE(surface.setAction(pressivo::PrintDocument));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.lastText().contains(u"non accetta"));
}

// CUPS takes the job on a thread of its own: the window's events keep flowing meanwhile.
TEST_F(CupsQueue, TheWindowKeepsAnsweringWhileCupsTakesTheJob) {
    RecordingMessages messages;
    PrintSurface surface;
    drawLineFor(surface);
    QObject window;
    bool answered = false;
    QMetaObject::invokeMethod(
        &window, [&] { answered = true; }, Qt::QueuedConnection);
    EXPECT_TRUE(surface.setAction(pressivo::PrintDocument));
    EXPECT_TRUE(answered);
    EXPECT_EQ(printer().waitForJobs(1).size(), 1u);
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(CupsQueue, AStoppedQueueKeepsTheJobAndSaysSo) {
    runTool("cupsdisable", {queue});
    EXPECT_TRUE(exited(printOn(u"printer:"_s + queue), 0, u"ferma"));
    EXPECT_TRUE(runTool("lpstat", {u"-o"_s, queue}).contains(queue.toUtf8()));
    EXPECT_EQ(printer().jobsSoFar(), 0u);
}

TEST_F(CupsQueue, AnUnknownQueueNeverFallsBackToTheDefault) {
    lpadmin({u"-d"_s, queue});
    EXPECT_TRUE(exited(printOn(u"printer:Inesistente"_s), 1, u"Inesistente"));
    EXPECT_EQ(printer().jobsSoFar(), 0u);

    // The default printer is the one "printer" and the direct print use.
    EXPECT_TRUE(exited(marvello({example("prodotto.eti") + u",-D"_s}), 0));
    EXPECT_EQ(printer().waitForJobs(1).size(), 1u);
}

// The graphics of a ZPL job as images, one a label: each "~DG" download in hexadecimal, its
// total bytes and bytes per row giving its size in dots, with the printers' compression (G..Y
// and g..z repeat the next digit 1..19 and 20..400 times, ',' fills the row with white, '!'
// with black, ':' repeats the row before).
std::vector<QImage> zplImages(const QByteArray& job) {
    std::vector<QImage> images;
    for (qsizetype start = job.indexOf("~DG"); start >= 0; start = job.indexOf("~DG", start + 3)) {
        const QList<QByteArray> header = job.mid(start, 64).split(',');
        const int total = header.value(1).toInt(), perRow = header.value(2).toInt();
        if (header.size() < 4 || perRow <= 0 || total <= 0)
            continue;
        qsizetype at = start + header[0].size() + header[1].size() + header[2].size() + 3;
        QImage image(perRow * 8, total / perRow, QImage::Format_Mono);
        image.fill(0); // colour 0 is white
        image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        QByteArray row, previous;
        int row_index = 0, repeat = 0;
        const auto finish = [&](char fill) {
            row = row.leftJustified(perRow * 2, fill, true);
            if (row_index < image.height())
                std::memcpy(image.scanLine(row_index++), QByteArray::fromHex(row).constData(),
                            std::size_t(perRow));
            previous = row;
            row.clear();
        };
        for (; at < job.size() && row_index < image.height(); ++at) {
            const char c = job[at];
            if (c >= 'G' && c <= 'Y')
                repeat += c - 'G' + 1;
            else if (c >= 'g' && c <= 'z')
                repeat += (c - 'g' + 1) * 20;
            else if (c == ',')
                finish('0');
            else if (c == '!')
                finish('F');
            else if (c == ':') {
                row = previous;
                finish('0');
            } else if (std::isxdigit(static_cast<unsigned char>(c))) {
                row.append(QByteArray(std::max(1, repeat), c));
                repeat = 0;
                if (row.size() >= perRow * 2)
                    finish('0');
            } else if (c == '^' || c == '~')
                break;
        }
        images.push_back(image);
    }
    return images;
}

QImage zplImage(const QByteArray& job) {
    const auto images = zplImages(job);
    return images.empty() ? QImage() : images.front();
}

// The widths, in dots, of the dark and light runs between the first and the last dark dot
// of a row.
std::vector<int> runs(const QImage& image, int y) {
    const auto dark = [&](int x) { return qGray(image.pixel(x, y)) < 128; };
    std::vector<int> found;
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
        if (dark(x))
            (first < 0 ? first : last) = x, last = x;
    for (int x = first, length = 0; first >= 0 && x <= last + 1; ++x, ++length) {
        if (x == last + 1 || (x > first && dark(x) != dark(x - 1))) {
            found.push_back(length);
            length = 0;
        }
    }
    return found;
}

// A barcode element: its box in twips on the design surface, its symbology's tag, its data.
LabelElement& symbol(LabelDocument& document, const QRectF& box, const QString& tag,
                     const QString& data) {
    LabelElement& code = *document.CreaOggImmagine(float(box.x()), float(box.y()),
                                                   float(box.width()), float(box.height()));
    code.Tag = tag;
    code.ToolTipText = data;
    return code;
}

// A box `x`, `y` mm from the label's corner on the design surface, `width` x `height` mm.
QRectF mmBox(double x, double y, double width, double height) {
    constexpr double Mm = 56.7;
    return {567 + x * Mm, 1440 + y * Mm, width * Mm, height * Mm};
}

// The document written as a label file at `path`.
QString written(const LabelDocument& document, const QString& path) {
    writeBytes(path, std::get<QByteArray>(labelfile::write(document)));
    return path;
}

// A 4 x 6 in shipping label, one label a page, naming its paper or not: a Code 128, a GS1-128
// and a QR code. A turned one is 6 in wide and 4 in high, lies on a 4 x 6 in page, and has
// the Code 128 only.
QString shippingLabel(const QString& folder, const LabelPaper& paper) {
    LabelDocument document;
    document.setLayout({1, 1, 0, 0, paper.turned ? 152.4 : 101.6, paper.turned ? 101.6 : 152.4});
    document.setPaper(paper);
    document.CreaOggTesto(850, 1700, 3000, 400)->Caption = u"Spedizione"_s;
    // A Code 128 of 70 mm: at 203 dpi its modules would be about 3.3 dots.
    symbol(document, {850, 2600, 70 * 56.7f, 15 * 56.7f}, u"20"_s, u"MARVELLO-4X6"_s);
    if (!paper.turned) {
        // A courier's: the parcel's SSCC in GS1-128 and a QR code with its tracking page.
        symbol(document, {850, 4000, 90 * 56.7f, 25 * 56.7f}, u"30"_s, u"(00)380123450000000013"_s);
        symbol(document, {850, 6000, 30 * 56.7f, 30 * 56.7f}, u"42"_s,
               u"https://marvello.example/t/380123450000000013"_s);
    }
    return written(document, folder + u"/spedizione.eti"_s);
}

// A label printer's queue, on CUPS' own Zebra driver with 4 x 6 in labels at 203 dpi.
class LabelPrinterQueue : public CupsQueue {
protected:
    void SetUp() override {
        CupsQueue::SetUp();
        if (!IsSkipped() && !HasFatalFailure())
            atResolution(203);
    }
    void atResolution(int dotsPerInch, const char* driver = "zebra.ppd",
                      const char* media = "w288h432") {
        lpadmin({u"-p"_s, queue, u"-E"_s, u"-v"_s, u"socket://127.0.0.1:%1"_s.arg(printer().port()),
                 u"-m"_s, u"drv:///sample.drv/"_s + QLatin1String(driver), u"-o"_s,
                 u"PageSize="_s + QLatin1String(media), u"-o"_s,
                 u"Resolution=%1dpi"_s.arg(dotsPerInch)});
    }
};

// A DYMO LabelWriter's raster: ESC D the bytes of a row, ESC f 1 n n blank rows, SYN and the
// bytes of a row (a set bit a dark dot), ESC E the end of the label.
QImage dymoImage(const QByteArray& job) {
    int perRow = 0;
    std::vector<QByteArray> rows;
    for (qsizetype at = 0; at < job.size();) {
        const char c = job[at];
        if (c == 0x16 && perRow > 0) {
            rows.push_back(job.mid(at + 1, perRow));
            at += 1 + perRow;
        } else if (c == 0x1b && at + 1 < job.size()) {
            const char command = job[at + 1];
            at += 2;
            if (command == 'D' && at < job.size())
                perRow = static_cast<unsigned char>(job[at++]);
            else if (command == 'f' && at + 1 < job.size()) {
                rows.resize(rows.size() + static_cast<unsigned char>(job[at + 1]),
                            QByteArray(perRow, '\0'));
                at += 2;
            } else if (command == 'L')
                at += 2;
            else if (command == 'B' || command == 'q')
                at += 1;
            else if (command == 'E')
                break;
        } else {
            ++at;
        }
    }
    if (perRow == 0)
        return QImage();
    QImage image(perRow * 8, int(rows.size()), QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    for (std::size_t y = 0; y < rows.size(); ++y)
        std::memcpy(image.scanLine(int(y)), rows[y].constData(),
                    std::min<qsizetype>(rows[y].size(), image.bytesPerLine()));
    return image;
}

// How many of the runs across a row (bars and spaces in turn) are not whole multiples of the
// module, the narrowest bar, which must also be the narrowest space: bars a dot too wide
// make spaces a dot too narrow.
int offTheDots(const std::vector<int>& widths) {
    if (widths.size() < 2)
        return -1;
    int bar = widths[0], space = widths[1];
    for (std::size_t i = 0; i < widths.size(); ++i)
        (i % 2 == 0 ? bar : space) = std::min(i % 2 == 0 ? bar : space, widths[i]);
    if (bar != space)
        return int(widths.size());
    return int(
        std::count_if(widths.begin(), widths.end(), [&](int width) { return width % bar != 0; }));
}

// Whether the row `y` crosses a symbol whose bars and spaces are all whole modules of whole
// dots; its runs otherwise.
testing::AssertionResult barsOnTheDots(const QImage& image, int y) {
    const std::vector<int> widths = runs(image, y);
    if (widths.size() > 30 && offTheDots(widths) == 0)
        return testing::AssertionSuccess();
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "row " << y << ":";
    for (const int width : widths)
        failure << " " << width;
    return failure;
}

// The row 5 mm into a symbol whose top is `top` twips on the design surface (whose label
// corner is at 1440), at `dotsPerInch`.
int barRow(double top, int dotsPerInch) {
    return int((top - 1440 + 5 * 56.7) / 1440 * dotsPerInch);
}

// A courier's 4 x 6 in label printed three times on a Zebra at 203 and at 300 dpi arrives as
// three label-sized graphics whose symbols scan, every bar and space of the Code 128 and the
// GS1-128 a whole number of modules of whole dots. A label that names no paper takes the
// queue's own (4 x 6 in, not A4); one that names its roll, the roll.
TEST_F(LabelPrinterQueue, BarsLandOnThePrintersDots) {
    const QSizeF paper = QtPrinter(queue).paperSize();
    EXPECT_TRUE(near(QPointF(paper.width(), paper.height()), {4 * 1440, 6 * 1440}, 2));
    QTemporaryDir folder;
    // Through the same driver a Code 128 turned a quarter and an EAN-13 whose module is asked as
    // 0.33 mm scan, every bar and space of whole modules of whole dots; the asked module is the
    // nearest whole dots (3 at 203 dpi, 4 at 300).
    LabelDocument document;
    document.setLayout({1, 1, 0, 0, 101.6, 152.4}, {LabelPaper::Kind::Roll});
    symbol(document, mmBox(10, 10, 15, 70), u"22"_s, u"MARVELLO-90"_s).Rotazione = 90;
    symbol(document, mmBox(40, 100, 50, 20), u"12"_s, u"4006381333931"_s).OpzioniBarcode.moduleMm =
        0.33f;
    const QString measured = written(document, folder.filePath(u"misure.eti"_s));
    for (const int dotsPerInch : {203, 300}) {
        atResolution(dotsPerInch);
        const QString label = shippingLabel(
            folder.path(), dotsPerInch == 203 ? LabelPaper{} : LabelPaper{LabelPaper::Kind::Roll});
        const auto images = zplImages(jobOf(label, {u"--count"_s, u"3"_s}));
        ASSERT_EQ(images.size(), 3u);
        for (const QImage& graphic : images) {
            EXPECT_NEAR(graphic.width(), 4 * dotsPerInch, 8); // whole bytes
            EXPECT_NEAR(graphic.height(), 6 * dotsPerInch, 2);
        }
        const QImage& image = images.front();
        QStringList scanned = decodeBarcodes(image);
        scanned.sort();
        ASSERT_EQ(scanned.size(), 3) << scanned.join(u' ').toStdString();
        EXPECT_TRUE(scanned[0].contains(u"00380123450000000013")) << scanned[0].toStdString();
        EXPECT_EQ(scanned[1], u"MARVELLO-4X6");
        EXPECT_EQ(scanned[2], u"https://marvello.example/t/380123450000000013");
        // Rows through the bars, 5 mm into each element (their tops are 2600 and 4000 twips on
        // the design surface, whose label corner is at 1440).
        for (const double top : {2600.0, 4000.0})
            EXPECT_TRUE(barsOnTheDots(image, barRow(top, dotsPerInch))) << dotsPerInch;
        // The largest whole module that fits the Code 128: 167 modules in 70 mm (start, 12
        // characters, check, stop).
        const std::vector<int> widths = runs(image, barRow(2600, dotsPerInch));
        EXPECT_EQ(*std::min_element(widths.begin(), widths.end()),
                  int(70 * 56.7 / 1440 * dotsPerInch / 167))
            << dotsPerInch;

        const QImage symbols = zplImage(jobOf(measured));
        ASSERT_FALSE(symbols.isNull());
        scanned = decodeBarcodes(symbols);
        scanned.sort();
        EXPECT_EQ(scanned, (QStringList{"4006381333931", "MARVELLO-90"})) << dotsPerInch;
        const auto dots = [&](double mm) { return int(mm / 25.4 * dotsPerInch); };
        // The EAN's row 10 mm into its box, from its left edge: 95 modules of the asked width.
        const std::vector<int> eanRuns = runs(symbols.copy(0, dots(110), symbols.width(), 1), 0);
        ASSERT_EQ(eanRuns.size(), 59u) << dotsPerInch; // 30 bars and the 29 spaces between
        EXPECT_EQ(offTheDots(eanRuns), 0);
        const int module = *std::min_element(eanRuns.begin(), eanRuns.end());
        EXPECT_EQ(module, dotsPerInch == 203 ? 3 : 4);
        EXPECT_EQ(std::accumulate(eanRuns.begin(), eanRuns.end(), 0), 95 * module);
        // The turned Code 128's bars run across the page: a column through them.
        const QImage column =
            symbols.copy(dots(20), 0, 1, symbols.height()).transformed(QTransform().rotate(-90));
        EXPECT_TRUE(barsOnTheDots(column, 0)) << dotsPerInch;
    }
}

// CUPS' DYMO driver with its address labels (1-1/8 x 3-1/2 in as fed): the catalogue's 99010,
// designed 3-1/2 x 1-1/8 in and turned onto the roll, arrives turned, scans, and keeps whole
// dots.
TEST_F(LabelPrinterQueue, ADymoAddressLabelArrivesTurned) {
    QTemporaryDir folder;
    atResolution(300, "dymo.ppd", "w81h252");
    LabelDocument document;
    document.setLayout({1, 1, 0, 0, 88.9, 28.575}, {LabelPaper::Kind::Roll, {}, 0, 0, true});
    // Clear of the 5.3 mm the driver keeps unprinted at each end of the label.
    symbol(document, mmBox(8, 4, 70, 15), u"20"_s, u"DYMO-99010"_s);
    const QImage image = dymoImage(jobOf(written(document, folder.filePath(u"indirizzo.eti"_s))));
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.height(), image.width()); // fed short side first
    const QImage upright = image.transformed(QTransform().rotate(-90));
    EXPECT_EQ(decodeBarcodes(upright), QStringList{u"DYMO-99010"_s});
    // A row through the bars: the driver leaves out the printer's margins, so the label's rows
    // are found by the bars themselves, 5 mm into the element. The driver's printable area
    // starts a fraction of a dot off the page's dot grid (its margins are in points).
    int first = -1;
    for (int y = 0; y < upright.height() && first < 0; ++y)
        if (runs(upright, y).size() > 30)
            first = y;
    ASSERT_GE(first, 0);
    EXPECT_TRUE(barsOnTheDots(upright, first + int(5 / 25.4 * 300)));
}

// A PDF for a label printer: with --dpi its bars are whole dots of that resolution, as the
// printer will rasterise them; its page is the label's roll.
TEST(LabelPrinterPdf, BarsOnTheDotsOfTheResolutionNamed) {
    QTemporaryDir folder;
    const QString label = shippingLabel(folder.path(), {LabelPaper::Kind::Roll, {}, 0, 0});
    const QString pdf = folder.filePath(u"etichetta.pdf"_s);
    const auto onTheDots = [&](const QStringList& more) {
        EXPECT_TRUE(exited(marvello(printTo(label, pdf, more)), 0));
        const QImage page = pdfPage(pdf, 1, 203, folder.path());
        EXPECT_EQ(page.size(), QSize(812, 1218));
        return barsOnTheDots(page, barRow(2600, 203));
    };
    EXPECT_TRUE(onTheDots({u"--dpi"_s, u"203"_s}));
    EXPECT_FALSE(onTheDots({})); // without: stretched to the box, as on screen
}

// For a printer without a driver: ZPL written to a file, one graphic a label at the printer's
// resolution (203 dpi unless said), read back by the decoder the printer tests use.
TEST(LabelPrinterZpl, LabelsAsZplGraphics) {
    QTemporaryDir folder;
    const QString courier = shippingLabel(folder.path(), {LabelPaper::Kind::Roll, {}, 0, 0});
    for (const int dotsPerInch : {203, 300}) {
        const QString zpl = folder.filePath(u"etichette.zpl"_s);
        ASSERT_TRUE(exited(
            marvello(printTo(courier, u"zpl:"_s + zpl,
                             {u"--count"_s, u"2"_s, u"--dpi"_s, QString::number(dotsPerInch)})),
            0));
        const QByteArray bytes = readBytes(zpl);
        const auto images = zplImages(bytes);
        ASSERT_EQ(images.size(), 2u);
        const QImage& image = images.front();
        EXPECT_EQ(image.height(), 6 * dotsPerInch);
        EXPECT_TRUE(bytes.contains("^PW" + QByteArray::number(4 * dotsPerInch)));
        EXPECT_TRUE(decodeBarcodes(image).contains(u"MARVELLO-4X6"));
        EXPECT_TRUE(barsOnTheDots(image, barRow(2600, dotsPerInch))) << dotsPerInch;
    }

    // A Code 128 turned each quarter on a 203 dpi printer scans, and a line across its bars
    // (the picture turned back upright) meets whole modules of whole dots.
    for (const int turn : {90, 180, 270}) {
        LabelDocument document;
        document.setLayout({1, 1, 0, 0, 101.6, 152.4}, {LabelPaper::Kind::Roll});
        symbol(document, turn == 180 ? mmBox(20, 20, 70, 15) : mmBox(20, 20, 15, 70), u"20"_s,
               u"MARVELLO-4X6"_s)
            .Rotazione = qint16(turn);
        const QString label = written(document, folder.filePath(u"girato.eti"_s));
        const QString zpl = folder.filePath(u"girato.zpl"_s);
        ASSERT_TRUE(exited(marvello(printTo(label, u"zpl:"_s + zpl)), 0));
        const QImage image = zplImage(readBytes(zpl)).transformed(QTransform().rotate(-turn));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(decodeBarcodes(image), QStringList{u"MARVELLO-4X6"_s}) << turn;
        EXPECT_TRUE(barsOnTheDots(image, darkBox(image).top() + int(5 / 25.4 * 203))) << turn;
    }

    // "Ruota di 90°": a 6 x 4 in label on a 4-inch roll arrives as a 4 x 6 in graphic holding
    // the label turned a quarter clockwise, its bars still whole modules of dots, and it scans.
    const QString label = shippingLabel(folder.path(), {LabelPaper::Kind::Roll, {}, 0, 0, true});
    const QString zpl = folder.filePath(u"girata.zpl"_s);
    ASSERT_TRUE(exited(marvello(printTo(label, u"zpl:"_s + zpl)), 0));
    const QImage image = zplImage(readBytes(zpl));
    ASSERT_NEAR(image.width(), 812, 8); // whole bytes
    ASSERT_EQ(image.height(), 1218);
    // Turned back, the label reads as designed: the bars where the element is.
    const QImage upright = image.transformed(QTransform().rotate(-90));
    EXPECT_EQ(decodeBarcodes(upright), QStringList{u"MARVELLO-4X6"_s});
    EXPECT_TRUE(barsOnTheDots(upright, barRow(2600, 203)));
    // The label's top edge runs down the right of the page: the text's corner is there.
    EXPECT_FALSE(darkBox(image.copy(406, 0, 406, 1218)).isEmpty());
    EXPECT_TRUE(darkBox(image.copy(0, 0, 200, 1218)).isEmpty());

    // The bars' text goes under them as the label reads, turned with it.
    const QString pdf = folder.filePath(u"girata.pdf"_s);
    ASSERT_EQ(marvello(printTo(label, pdf)).exitCode, 0);
    EXPECT_TRUE(pdfText(pdf).contains("MARVELLO-4X6"));

    // Kept as a saved print and printed again from it: the same label, turned the same.
    const QString saved = folder.filePath(u"girata.ant"_s);
    ASSERT_EQ(marvello(printTo(label, saved, {u"--dpi"_s, u"203"_s})).exitCode, 0);
    const QString again = folder.filePath(u"ancora.zpl"_s);
    ASSERT_EQ(marvello(printTo(saved, u"zpl:"_s + again)).exitCode, 0);
    EXPECT_EQ(zplImage(readBytes(again)), image);
}

// A label that names no paper prints on the queue's own: a Letter queue gets Letter pages, a
// label that names A4 gets A4 pages there.
TEST_F(CupsQueue, ALetterQueueGetsLetterPages) {
    lpadmin({u"-p"_s, queue, u"-o"_s, u"media-default=na_letter_8.5x11in"_s});
    QTemporaryDir folder;
    // The page, in points, of the job a label file of these lines sends.
    const auto pageOfJob = [&](const QStringList& lines) {
        static const QRegularExpression mediaBox(
            uR"(/MediaBox\s*\[\s*0\s+0\s+([0-9.]+)\s+([0-9.]+))"_s);
        const QString file = folder.filePath(u"etichetta.eti"_s);
        writeBytes(file, labelFileBytes(lines));
        const auto match = mediaBox.match(QString::fromLatin1(jobOf(file)));
        return match.hasMatch()
                   ? QPointF(match.captured(1).toDouble(), match.captured(2).toDouble())
                   : QPointF();
    };
    // One 60 x 40 mm label with a Code 128, naming no paper; then naming A4.
    const QStringList label = fileLines("oggLayout| 1 | 1 | 10 | 10 | 60 | 40 | 0 | 0 | 0 | 0 |"
                                        "oggImmagine| 283 | 283 | 2835 | 1701 |20||LETTERA| 0 ");
    EXPECT_TRUE(near(pageOfJob(label), {612, 792}, 1));
    EXPECT_TRUE(near(pageOfJob(label + fileLines("oggCarta| 1 |A4| 0 | 0 ")), {595.3, 841.9}, 1));
}

// A queue without a driver (raw, a network label printer on port 9100) set to take ZPL gets
// the labels as ZPL graphics at the resolution set for it, the copies in the format.
TEST_F(CupsQueue, APrinterWithoutADriverTakesZplAndItsCalibration) {
    const SettingsFolder folder;
    const QString label = shippingLabel(folder.path(), {LabelPaper::Kind::Roll, {}, 0, 0});
    ASSERT_TRUE(printersettings::write(queue, {0, 0, true, 300}));
    const QByteArray job = nextJob([&] {
        return printHere(label, u"printer:"_s + queue,
                         {u"--count"_s, u"2"_s, u"--copies"_s, u"3"_s}) == 0;
    });
    const auto images = zplImages(job);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].height(), 6 * 300);
    EXPECT_EQ(job.count("^PQ3"), 2);
    EXPECT_TRUE(decodeBarcodes(images[0]).contains(u"MARVELLO-4X6"));
    EXPECT_TRUE(barsOnTheDots(images[0], barRow(2600, 300)));

    // The printer's calibration applies however the labels reach it: a saved print sent to it
    // later lands where a job printed on it directly does.
    const QStringList one{u"--count"_s, u"1"_s};
    const auto firstDarkColumn = [&](const QString& what) {
        const auto print = [&] { return printHere(what, u"printer:"_s + queue, one) == 0; };
        return darkBox(zplImage(nextJob(print))).left();
    };
    const QString saved = folder.filePath(u"spedizione.ant"_s);
    ASSERT_EQ(printHere(label, saved, one), 0);
    ASSERT_TRUE(printersettings::write(queue, {0, 0, true, 203}));
    const int uncalibrated = firstDarkColumn(saved);
    ASSERT_TRUE(printersettings::write(queue, {5, 0, true, 203}));
    const int direct = firstDarkColumn(label);
    const int fromSaved = firstDarkColumn(saved);
    EXPECT_NEAR(direct - uncalibrated, 40, 1); // 5 mm at 203 dpi
    EXPECT_NEAR(fromSaved, direct, 1);
}

} // namespace
