// SPDX-License-Identifier: GPL-3.0-or-later
// A print arrives whole or says why: nothing to print, no label, a full or read-only disk,
// a killed job, hostile input under a memory limit. Checked from outside, as a script that
// starts the program sees it.

#include "support/files.h"
#include "support/labelfiletext.h"
#include "support/marvelloprocess.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The shipping example with its criterion replaced: `field` equal to `value`.
QString shippingLabelSelecting(const QTemporaryDir& folder, const QString& value) {
    QList<QByteArray> lines = readBytes(example("spedizione.eti")).split('\n');
    lines[5] = " 1 \r";
    lines[6] = value.toLatin1() + '\r';
    const QString path = folder.filePath(u"selezione.eti"_s);
    writeBytes(path, lines.join('\n'));
    QFile::copy(example("clienti.mdb"), folder.filePath(u"clienti.mdb"_s));
    return path;
}

class Delivery : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString pdf = folder.filePath(u"etichette.pdf"_s);
    QString addresses = QStringLiteral(MARVELLO_BENCH_DIR "/indirizzi.eti");
};

TEST_F(Delivery, NothingToPrintOrADamagedDatabaseWritesNothing) {
    const QString label = shippingLabelSelecting(folder, u"Nessuna provincia"_s);
    EXPECT_TRUE(exited(marvello(printTo(label, pdf)), 3, u"Nessun record selezionato"));
    EXPECT_FALSE(QFile::exists(pdf));
    // As other programs start it: the direct print finds no record before any printer.
    EXPECT_TRUE(exited(marvello({label + u",-D"_s}), 3));

    // The 20,000 addresses cut to half: the rows it still holds are no complete print.
    const QString cut = folder.filePath(u"tagliato.mdb"_s);
    writeBytes(cut, readBytes(testData("grande.mdb")).left(280 * 4096));
    EXPECT_TRUE(exited(marvello(printTo(addresses, pdf, {u"--db"_s, cut})), 1, u"3343"));
    EXPECT_FALSE(QFile::exists(pdf));

    const ProcessRun encrypted = marvello(
        printTo(addresses, pdf,
                {u"--db"_s, testData("office-agile-4.2.accdb"), u"--password"_s, u"password"_s}));
    EXPECT_TRUE(exited(encrypted, 1, u"cifrato"));
    EXPECT_FALSE(encrypted.err.contains(u"mdb_")) << encrypted.err.toStdString(); // libmdb quiet
    EXPECT_FALSE(QFile::exists(pdf));
}

// A small file system of our own: a full disk, or a read-only one.
class SmallDisk : public Delivery {
protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "mounting a small disk needs root";
        if (::mount("tmpfs", QFile::encodeName(folder.path()).constData(), "tmpfs", 0,
                    "size=256k") != 0)
            GTEST_SKIP() << "this root may not mount a small disk: " << std::strerror(errno);
        mounted = true;
        writeBytes(pdf, "la stampa di ieri");
    }
    void TearDown() override {
        if (mounted)
            ::umount(QFile::encodeName(folder.path()).constData());
    }
    bool mounted = false;
};

TEST_F(SmallDisk, AFullOrReadOnlyDiskLeavesThePreviousFileAndSaysWhy) {
    // 2,000 addresses need far more than the disk has.
    const QString saved = folder.filePath(u"etichette.ant"_s);
    for (const QString& target : {pdf, saved}) {
        EXPECT_TRUE(
            exited(marvello(printTo(addresses, target,
                                    {u"--db"_s, testData("grande.mdb"), u"--count"_s, "2000"})),
                   1, u"Spazio su disco esaurito"));
    }
    EXPECT_EQ(readBytes(pdf), "la stampa di ieri");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).join(u' '),
              u"etichette.pdf");

    ASSERT_EQ(::mount("tmpfs", QFile::encodeName(folder.path()).constData(), "tmpfs",
                      MS_REMOUNT | MS_RDONLY, "size=256k"),
              0);
    EXPECT_TRUE(exited(marvello(printTo(example("prodotto.eti"), pdf)), 1, u"sola lettura"));
    EXPECT_EQ(readBytes(pdf), "la stampa di ieri");
}

// The 20,000 records of the large database make a job long enough to stop halfway.
class StoppedJob : public Delivery, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(StoppedJob, LeavesThePreviousFileIntact) {
    const auto [signal, expectedExit] = GetParam();
    writeBytes(pdf, "la stampa di ieri");
    const ProcessRun run = marvello(
        printTo(addresses, pdf, {u"--db"_s, testData("grande.mdb"), u"--progress"_s}), {},
        [signal = signal](QProcess& process) {
            // Halfway through the labels: the PDF is being written.
            QByteArray progress;
            process.setReadChannel(QProcess::StandardError);
            while (!progress.contains("Etichetta 2000/") && process.waitForReadyRead(60000))
                progress += process.readAllStandardError();
            // Never a signal to process 0 (our own group) if the job ended early.
            ASSERT_TRUE(progress.contains("Etichetta 2000/")) << progress.toStdString();
            ASSERT_EQ(process.state(), QProcess::Running);
            ASSERT_GT(process.processId(), 0);
            ::kill(pid_t(process.processId()), signal);
        });
    EXPECT_TRUE(exited(run, expectedExit));
    EXPECT_EQ(readBytes(pdf), "la stampa di ieri");
    // Cleaned up after SIGTERM and SIGINT; after SIGKILL at most one temporary file (none
    // where the file system has unnamed temporary files).
    const QStringList files = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_LE(files.size(), signal == SIGKILL ? 2 : 1) << files.join(u' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Signals, StoppedJob,
                         ::testing::Values(std::pair{SIGTERM, 143}, std::pair{SIGINT, 130},
                                           std::pair{SIGKILL, -1})); // killed: no exit code

// Hostile labels, run with an address-space limit far below what they used to take.
class HostileLabel : public Delivery {
protected:
    // A 60 x 40 mm label (or `layout`) with `sections` after its layout and `before` (a
    // database) before it.
    QString label(const QStringList& sections, const QStringList& before = {},
                  const char* layout = "oggLayout| 1 | 1 | 10 | 10 | 60 | 40 | 0 | 0 | 0 | 0 ") {
        const QString path = folder.filePath(u"ostile.eti"_s);
        writeBytes(path, labelFileBytes(before + fileLines(layout) + sections));
        return path;
    }
    static QStringList element(const char* kind, const QString& geometry, const QStringList& rest) {
        return QStringList{QString::fromLatin1(kind)} + geometry.split(u',') + rest;
    }
    // A text element showing `caption` in `box` (twips: left, top, width, height).
    static QStringList text(const QString& caption, const char* box = " 0 , 0 , 2000 , 300 ",
                            const char* font = "Arial", const char* size = " 10 ") {
        return element("oggTesto", QString::fromLatin1(box),
                       QStringList{caption, font, size} +
                           fileLines("False|False| 0 | 0 | 0 | 0 || 0 "));
    }
};

// One picture named twenty times is decoded once; a megabyte barcode is refused quickly.
TEST_F(HostileLabel, PicturesBarcodesAndTextsFitInASmallMemory) {
    QImage big(4000, 4000, QImage::Format_RGB32);
    big.fill(Qt::darkCyan);
    ASSERT_TRUE(big.save(folder.filePath(u"foto.png"_s)));
    QStringList sections;
    for (int i = 0; i < 20; ++i)
        sections += element("oggPicture", u" 0 , 0 , 900 , 600 "_s,
                            {QString(), QString(), u"foto.png"_s, " 0 "});
    // 20 decoded copies took 1.3 GB; one is 64 MB.
    EXPECT_TRUE(exited(marvelloWithin(1000, printTo(label(sections), pdf)), 0));
    EXPECT_TRUE(QFile::exists(pdf));

    sections = element("oggImmagine", u" 0 , 0 , 2000 , 600 "_s,
                       {u"0"_s, QString(), QString(1 << 20, u'A'), " 0 "}) +
               text(u"Sotto il codice"_s, " 0 , 700 , 2000 , 300 ");
    // It took 29 s and 1.2 GB; now the symbol is refused and the rest of the label prints,
    // and the exit code says a symbol is missing.
    EXPECT_TRUE(exited(marvelloWithin(1000, printTo(label(sections), pdf)), 5,
                       u"Codice a barre troppo lungo"));
    EXPECT_TRUE(pdfText(pdf).contains("Sotto il codice"));

    // A field a thousand times in one text, or one field of megabytes, stops the job with a
    // message naming them (the first took 3 GB and aborted).
    QFile::remove(pdf);
    const QString csv = folder.filePath(u"dati.csv"_s);
    const auto labelWith = [&](const QString& text) {
        return label(HostileLabel::text(text),
                     fileLines("oggDatabase|dati.csv||dati|| 0 ||||False|"));
    };
    writeBytes(csv, "V\n" + QByteArray(900'000, 'x') + "\n");
    EXPECT_TRUE(exited(marvelloWithin(1000, printTo(labelWith(u"${V}"_s.repeated(1000)), pdf)), 1,
                       u"caratteri con i campi inseriti"));
    writeBytes(csv, "V\n" + QByteArray(3'000'000, 'x') + "\n");
    EXPECT_TRUE(exited(marvelloWithin(1000, printTo(labelWith(u"${V}"_s), pdf)), 1, u"Il campo V"));
    EXPECT_FALSE(QFile::exists(pdf));
}

// What a job is asked beyond what there is: a pipe or a read-only file as its
// output, a first position past the sheet, more labels than records.
TEST_F(HostileLabel, TargetsAndCountsBeyondWhatThereIs) {
    const QString fifo = folder.filePath(u"tubo.pdf"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString plain = label(element("oggRettangolo", u" 0 , 0 , 900 , 600 "_s,
                                        {" 0 ", " 16777215 ", " 0 ", "", " 0 ", " 1 "}));
    EXPECT_TRUE(exited(marvello(printTo(plain, fifo)), 1, u"non è un file ordinario"));
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());

    const QString readOnly = folder.filePath(u"sola-lettura.ant"_s);
    writeBytes(readOnly, "prima");
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner);
    const ProcessRun run = marvello(printTo(plain, readOnly));
    if (::geteuid() != 0) { // root may write anything
        EXPECT_TRUE(exited(run, 1, u"sola lettura"));
        EXPECT_EQ(readBytes(readOnly), "prima");
    }

    EXPECT_TRUE(
        exited(marvello(printTo(plain, pdf, {u"--first"_s, u"2"_s})), 1, u"oltre le 1 etichette"));
    EXPECT_FALSE(QFile::exists(pdf));

    // The shipping example selecting one province has fewer than 10 records.
    const QString shipping = shippingLabelSelecting(folder, u"TO"_s);
    EXPECT_TRUE(
        exited(marvello(printTo(shipping, pdf, {u"--count"_s, u"10"_s})), 0, u"si stampano"));
}

// A text longer than its box prints cut and the job names it, which is no failure; texts
// print letter by letter (DejaVu Serif has "fi" and "ffi" ligatures); geometry beyond any sheet
// is refused and prints nothing; an element larger than its label stays on its label.
TEST_F(HostileLabel, TextsAndGeometryAsTheyPrint) {
    const auto printed = [&](const QStringList& sections, int code, QStringView says = {}) {
        QFile::remove(pdf);
        const ProcessRun run = marvello(printTo(label(sections), pdf));
        EXPECT_TRUE(exited(run, code, says));
        EXPECT_TRUE(!says.isEmpty() || run.err.isEmpty()) << run.err.toStdString();
        return QFile::exists(pdf) ? pdfText(pdf) : QString();
    };
    const char* small = " 0 , 0 , 1000 , 300 ";
    EXPECT_TRUE(printed(text(u"Corto"_s, small), 0).contains(u"Corto"));
    const QString cut = u"Una ragione sociale molto lunga che non entra nel riquadro"_s;
    EXPECT_TRUE(printed(text(cut, small), 0, u"Una ragione sociale").contains(u"Una"));
    const QString ligatures =
        printed(text(u"Tipografia raffinata"_s, " 0 , 0 , 3000 , 800 ", "DejaVu Serif", " 12 "), 0);
    EXPECT_TRUE(ligatures.contains(u"Tipografia") && ligatures.contains(u"raffinata"))
        << ligatures.toStdString();
    EXPECT_TRUE(printed(element("oggRettangolo", u" 100000000000000000000 , 0 , 500 , 300 "_s,
                                {" 0 ", " 0 ", " 0 ", "", " 0 ", " 1 "}),
                        1, u"Codice: 6")
                    .isEmpty());
    EXPECT_FALSE(QFile::exists(pdf));

    // Two labels of 40 x 30 mm side by side, no gap; a black box from 30 to 60 mm.
    const QString path = label(element("oggRettangolo", u" 1701 , 0 , 1701 , 567 "_s,
                                       {" 1 ", " 0 ", " 0 ", "", " 0 ", " 1 "}),
                               {}, "oggLayout| 2 | 1 | 10 | 10 | 40 | 30 | 0 | 0 | 0 | 0 ");
    ASSERT_TRUE(exited(marvello(printTo(path, pdf, {u"--count"_s, u"1"_s})), 0));
    const QImage page = pdfPage(pdf, 1, 100, folder.path());
    const auto at = [&](double xMm, double yMm) {
        return page.pixelColor(int(xMm / 25.4 * 100), int(yMm / 25.4 * 100));
    };
    // Labels print 4 mm right of the layout: label 1 from 14 to 54 mm, label 2 from 54 mm.
    EXPECT_EQ(at(50, 15), QColor(Qt::black)); // the box on its own label
    EXPECT_EQ(at(60, 15), QColor(Qt::white)); // not on the next one
}

} // namespace
