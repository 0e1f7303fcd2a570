// SPDX-License-Identifier: GPL-3.0-or-later
// Printing from the command line, checked from outside on the PDF as a person checks paper.

#include "app/batchprint.h"
#include "support/files.h"
#include "support/marvelloprocess.h"
#include "support/spreadsheets.h"
#include "support/textlabel.h"
#include "support/zbar.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

int pageCount(const QString& pdf) {
    const auto match = QRegularExpression(uR"(Pages:\s+(\d+))"_s)
                           .match(QString::fromLatin1(runTool("pdfinfo", {pdf})));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

class BatchPrint : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString pdf = folder.filePath(u"etichette.pdf"_s);
};

TEST_F(BatchPrint, ABoundLabelPrintsEveryRecordWhereTheLayoutPutsItAndItsBarcodesScan) {
    const ProcessRun run = marvello(printTo(example("spedizione.eti"), pdf));
    ASSERT_TRUE(exited(run, 0));
    EXPECT_TRUE(run.out.contains(pdf));
    EXPECT_EQ(pageCount(pdf), 5); // 40 customers, 8 labels a sheet

    // The second label's company name: column 2 of the sheet.
    const auto words = pdfWords(pdf);
    const auto bianchi = std::find_if(words.begin(), words.end(),
                                      [](const auto& word) { return word.first == u"Bianchi"; });
    ASSERT_NE(bianchi, words.end());
    // Margin 7 + offset 4 + one label and gap (97) + the text's 180 twips.
    EXPECT_NEAR(bianchi->second.left(), 7 + 4 + 97 + 180 / 56.7, 0.1);

    // Page 1: customers 1 to 8, each label decoded on its own.
    const QImage page = pdfPage(pdf, 1, 300, folder.path());
    ASSERT_FALSE(page.isNull());
    const double dotsPerMm = 300 / 25.4;
    const QStringList expected = {"8001234000011", "8001234000028", "8001234000035",
                                  "8001234000042", "80010050",      "8001234000066",
                                  "8001234000073", "8001234000080"};
    for (int label = 0; label < 8; ++label) {
        const int column = label % 2, row = label / 2;
        // Sheet: margins 7 / 10 mm, labels 95 x 65, gaps 2 / 3; the print is shifted 4 mm right.
        const QRect area(int((7 + 4 + column * 97.0) * dotsPerMm),
                         int((10 + row * 68.0) * dotsPerMm), int(95 * dotsPerMm),
                         int(65 * dotsPerMm));
        EXPECT_EQ(
            decodeBarcodes(withQuietZone(page.copy(area).convertToFormat(QImage::Format_RGB32))),
            QStringList{expected[label]})
            << "label " << label + 1;
    }
}

TEST_F(BatchPrint, EveryExamplePrintsWithoutAnError) {
    for (const char* label : {"spedizione.eti", "prodotto.eti", "completo.eti", "scaffale.eti"}) {
        for (const char* kind : {".pdf", ".ant"}) {
            const QString out = folder.filePath(u"esempio"_s + QLatin1String(kind));
            const ProcessRun run = marvello(printTo(example(label), out));
            EXPECT_EQ(run.exitCode, 0) << label;
            // At most the note of a name too long for its box.
            const QStringList said = run.err.split(u'\n', Qt::SkipEmptyParts);
            EXPECT_TRUE(said.isEmpty() ||
                        (said.size() == 1 && said[0].contains(u"Etichette con testi tagliati")))
                << label << ": " << run.err.toStdString();
            EXPECT_TRUE(QFile::exists(out)) << label;
        }
    }
    // A database without the label's table: nothing is printed.
    EXPECT_TRUE(exited(
        marvello(printTo(example("completo.eti"), pdf, {u"--db"_s, testData("testV1997.mdb")})), 1,
        u"\"Clienti\" non è nel database"));
}

TEST_F(BatchPrint, ASavedPrintPrintsAgainAsFirstPrintedWithAndWithoutADisplay) {
    const QString saved = folder.filePath(u"spedizione.ant"_s);
    ASSERT_EQ(marvello(printTo(example("spedizione.eti"), saved, {u"--count"_s, "3"})).exitCode, 0);
    const QString again = folder.filePath(u"di_nuovo.pdf"_s);
    const ProcessRun reprint = marvello(printTo(saved, again));
    ASSERT_TRUE(exited(reprint, 0));
    EXPECT_TRUE(reprint.out.contains(again));
    // Every word where the direct print puts it.
    ASSERT_TRUE(exited(marvello(printTo(example("spedizione.eti"), pdf, {u"--count"_s, "3"})), 0));
    const auto words = [](const QString& file) {
        const QByteArray html = runTool("pdftotext", {u"-bbox"_s, file, u"-"_s});
        return html.mid(html.indexOf("<doc>"));
    };
    EXPECT_TRUE(words(pdf).contains("Bianchi"));
    EXPECT_EQ(words(again), words(pdf));

    // Opened as other programs open a label: without a display it becomes a PDF.
    QTemporaryDir home;
    EXPECT_TRUE(exited(marvello({saved}, {u"XDG_CACHE_HOME="_s + home.path()}), 0));
    EXPECT_TRUE(QFile::exists(home.filePath(u"marvello/spedizione.pdf"_s)));
}

// Each record prints as many labels as its quantity field says: 0 none, 12 twelve, each
// knowing its number within the record; a quantity that is not one stops the job, naming the
// record, before anything is printed.
TEST_F(BatchPrint, EachRecordItsQuantity) {
    const auto label = [&](const QByteArray& rows) {
        writeBytes(folder.filePath(u"colli.csv"_s), "Nome,Colli\r\n" + rows);
        return textLabel(folder.filePath(u"colli.eti"_s),
                         {"${Nome} collo ${Q} di ${Qtot} record ${R} etichetta ${N}", "colli.csv",
                          "colli", 1, 1, 100, 40, 5670, 500});
    };
    const QString path = label("Zero,0\r\nUno,1\r\nVuoto,\r\nDodici,12\r\n");
    ASSERT_TRUE(exited(marvello(printTo(path, pdf, {u"--quantity-field"_s, u"Colli"_s})), 0));
    EXPECT_EQ(pageCount(pdf), 13);
    QString expected = u"Uno collo 1 di 1 record 1 etichetta 1"_s;
    for (int q = 1; q <= 12; ++q)
        expected += u" Dodici collo %1 di 12 record 2 etichetta %2"_s.arg(q).arg(q + 1);
    EXPECT_EQ(pdfText(pdf).simplified(), expected);

    for (const char* bad : {"abc", "2.5", "-1", "10001"}) {
        QFile::remove(pdf);
        EXPECT_TRUE(exited(marvello(printTo(label(QByteArray("Uno,1\r\nMale,") + bad + "\r\n"), pdf,
                                            {u"--quantity-field"_s, u"Colli"_s})),
                           1, u"Il record 2 chiede \"%1\""_s.arg(bad)));
        EXPECT_FALSE(QFile::exists(pdf)) << bad;
    }
    EXPECT_TRUE(
        exited(marvello(printTo(path, pdf, {u"--quantity-field"_s, u"Pezzi"_s})), 1, u"\"Pezzi\""));
}

// A warehouse's spreadsheet: each row its number of boxes, the lot typed for the job, a
// best-before date from today, serial numbers that go on in the next job.
TEST_F(BatchPrint, ASpreadsheetFeedsQuantitiesQuestionsDatesAndSerials) {
    const QString colli = folder.filePath(u"colli.xlsx"_s);
    const RowSource rows{{{u"Articolo"_s}, {u"Colli"_s}},
                         {{u"Vite M4"_s, 12.0}, {u"Dado"_s, 0.0}, {u"Rondella"_s, 1.0}}};
    writeXlsx(colli, sheetJson(u"Colli"_s, rows));
    const QString label =
        textLabel(folder.filePath(u"colli.eti"_s),
                  {"${Articolo} collo ${Q} di ${Qtot} lotto ${?Lotto} entro ${data+5} n. ${P:6}",
                   "altro.xlsx", "Colli"});
    const QStringList environment{u"MARVELLO_TODAY=2026-12-28"_s,
                                  u"XDG_STATE_HOME="_s + folder.filePath("stato")};
    const QStringList options{"--db", colli, "--quantity-field", "Colli", "--set", "Lotto=L42"};
    ASSERT_TRUE(exited(marvello(printTo(label, pdf, options), environment), 0));
    QString text = pdfText(pdf).simplified();
    EXPECT_TRUE(text.contains(u"Vite M4 collo 3 di 12 lotto L42 entro 02/01/2027 n. 000003"))
        << text.toStdString();
    EXPECT_TRUE(text.contains(u"Rondella collo 1 di 1 lotto L42 entro 02/01/2027 n. 000013"));
    ASSERT_TRUE(exited(marvello(printTo(label, pdf, options), environment), 0));
    text = pdfText(pdf).simplified();
    EXPECT_TRUE(text.contains(u"Vite M4 collo 1 di 12 lotto L42 entro 02/01/2027 n. 000014"))
        << text.toStdString();
}

// "${?Lotto}" asks its question once a job: answered with --set (the name's letter case
// ignored) every label prints the answer; unanswered, nothing is printed and the command line
// is wrong.
TEST_F(BatchPrint, QuestionsAreAnsweredOnTheCommandLine) {
    const QString label = folder.filePath(u"lotto.eti"_s);
    textLabel(label, {"Lotto ${?Lotto} del ${?Data produzione}", {}, {}, 2, 1, 50, 40, 2835, 500});
    const ProcessRun run = marvello(printTo(label, pdf,
                                            {u"--count"_s, u"2"_s, u"--set"_s, u"lotto=L42"_s,
                                             u"--set"_s, u"Data produzione=1/12/2026"_s}));
    ASSERT_TRUE(exited(run, 0));
    const QString text = pdfText(pdf);
    EXPECT_EQ(text.count(u"Lotto L42 del 1/12/2026"), 2) << text.toStdString();

    QFile::remove(pdf);
    EXPECT_TRUE(exited(marvello(printTo(label, pdf, {u"--set"_s, u"Lotto=L42"_s})), 2,
                       u"--set Data produzione=VALORE"));
    EXPECT_FALSE(QFile::exists(pdf));
}

// ${P} continues from one job of a label to the next; a job that fails uses no numbers, and
// two jobs of the label at once never share one.
TEST_F(BatchPrint, SerialNumbersNeverRepeat) {
    const QString label = folder.filePath(u"cespiti.eti"_s);
    textLabel(label, {"Cespite ${P:6}", {}, {}, 1, 1, 50, 20, 2835, 500});
    const QStringList state{u"XDG_STATE_HOME="_s + folder.filePath("stato")};
    const auto numbers = [&](const QString& file) {
        QList<int> found;
        const QString text = pdfText(file);
        auto match = QRegularExpression(uR"(Cespite (\d{6}))"_s).globalMatch(text);
        while (match.hasNext())
            found << match.next().captured(1).toInt();
        return found;
    };
    const auto job = [&](const QString& out, int count, const QStringList& more = {}) {
        return marvello(printTo(label, out, QStringList{"--count", QString::number(count)} + more),
                        state);
    };
    ASSERT_TRUE(exited(job(pdf, 3), 0));
    EXPECT_EQ(numbers(pdf), (QList<int>{1, 2, 3}));
    // A job that cannot be delivered (no such folder) uses none.
    EXPECT_TRUE(exited(job(folder.filePath(u"manca/x.pdf"_s), 5), 1));
    ASSERT_TRUE(exited(job(pdf, 2), 0));
    EXPECT_EQ(numbers(pdf), (QList<int>{4, 5}));
    // A second job started while the first prints waits for it, and goes on after it.
    const QString other = folder.filePath(u"altro.pdf"_s);
    ProcessRun second;
    const ProcessRun first = marvello(printTo(label, pdf, {"--count", "40"}), state,
                                      [&](QProcess&) { second = job(other, 40); });
    ASSERT_TRUE(exited(first, 0));
    ASSERT_TRUE(exited(second, 0));
    QList<int> all = numbers(pdf) + numbers(other);
    std::sort(all.begin(), all.end());
    QList<int> expected;
    for (int n = 6; n <= 85; ++n)
        expected << n;
    EXPECT_EQ(all, expected);
    // --serial-start sets where the numbering goes on from.
    ASSERT_TRUE(exited(job(pdf, 1, {"--serial-start", "1000"}), 0));
    EXPECT_EQ(numbers(pdf), QList<int>{1000});
}

// Formats read numbers as Italians write them, a CSV's dates as dates, an empty field gives
// its fallback text, and a field named with a colon, from before formats, is still that field.
TEST_F(BatchPrint, OlderFieldNamesAndFormatsOfTextFiles) {
    writeBytes(folder.filePath(u"prezzi.csv"_s),
               "Tel:Casa,Prezzo,Scadenza,Note\r\n011 123,\"1.250,5\",2027-03-31,\r\n");
    const QString label = folder.filePath(u"prezzi.eti"_s);
    textLabel(label, {"${Tel:Casa} costa ${Prezzo:,2} entro ${Scadenza:MM/yyyy} ${Note|senza note}",
                      "prezzi.csv", "prezzi", 1, 1, 100, 20, 5670, 500});
    ASSERT_TRUE(exited(marvello(printTo(label, pdf)), 0));
    EXPECT_TRUE(
        pdfText(pdf).simplified().contains(u"011 123 costa 1250,50 entro 03/2027 senza note"))
        << pdfText(pdf).toStdString();
    // A quantity field with a number of labels is a request that cannot be met as asked.
    EXPECT_TRUE(
        exited(marvello(printTo(label, pdf, {"--quantity-field", "Prezzo", "--count", "2"})), 1,
               u"non va con un numero di etichette"));
}

TEST(BatchOptions, Parsing) {
    QString error;
    const auto parse = [&](const QString& to, const QStringList& more = {}) {
        return BatchOptions::parse(printTo(u"a.eti"_s, to, more), &error);
    };
    const auto options = parse(u"printer:Zebra"_s,
                               {u"--copies"_s, u"3"_s, u"--crop-marks"_s, u"--db"_s, u"b.mdb"_s});
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(std::tuple(options->copies, options->cropMarks, options->database, options->count),
              std::tuple(3, true, std::optional(u"b.mdb"_s), std::optional<int>()));
    EXPECT_FALSE(parse(u"a.pdf"_s, {u"--copies"_s, u"0"_s}));

    // A printer's own offset in millimetres, and the resolution of a label printer's file.
    const auto offset = parse(u"zpl:a.zpl"_s, {u"--offset"_s, u"1.5,-0.5"_s, u"--dpi"_s, u"300"_s});
    ASSERT_TRUE(offset) << error.toStdString();
    EXPECT_EQ(std::pair(offset->offset, offset->dotsPerInch),
              std::pair(std::optional(QPointF(1.5, -0.5)), 300));
    for (const char* wrong : {"1,5,2", "1.5;2", "x,1", "60,0"})
        EXPECT_FALSE(parse(u"a.pdf"_s, {u"--offset"_s, QString::fromLatin1(wrong)})) << wrong;
    EXPECT_FALSE(parse(u"zpl:a.pdf"_s));
}

} // namespace
