// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/clspressivo.h"
#include "printcomponent/pagerenderer.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printdocument.h"
#include "printcomponent/printsurface.h"
#include "printcomponent/savedprintformat.h"
#include "support/files.h"
#include "support/settingsfolder.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Three pages with text, boxes, a picture drawn twice and both barcodes.
PrintDocument sampleDocument() {
    HeadlessPressivoUi ui;
    PrintDocument document;
    {
        clsPressivo pressivo(ui);
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(QColor(30, 90, 160));
        for (int page = 0; page < 3; ++page) {
            if (page > 0)
                pressivo.NewPage();
            pressivo.setFontName(u"Liberation Sans"_s);
            pressivo.setFontSize(12);
            pressivo.setFontBold(page == 1);
            pressivo.DrawTextBox(u"Pagina %1 – Perché sì"_s.arg(page + 1), 20, 20, 80, 10,
                                 page == 2);
            pressivo.DrawLine(10, 10, 100, 60, 65535, u"BF"_s, 255, 3);
            pressivo.PaintPicture(picture, 120, 20, 30, 15);
            pressivo.DrawSymbol(barcode::Symbology::Ean13, u"5901234123457"_s, 20, 80, 50, 25);
            pressivo.DrawSymbol(barcode::Symbology::Code39, u"ART-%1"_s.arg(page), 20, 120, 70, 20);
            pressivo.setCurrentX(20);
            pressivo.setCurrentY(160);
            pressivo.DrawText(u"Testo libero"_s);
        }
        ui.surface().EndDoc();
        document = ui.surface().document();
        pressivo.KillDoc();
    }
    return document;
}

// Whether a saved print's bytes, or its file, are refused as no saved print.
bool refused(const auto& from) {
    PrintDocument document;
    const auto error = printoutput::load(from, document);
    return error && error->number == printoutput::InvalidFileFormat;
}

// Saved and loaded, a print renders as it did; damaged, cut and foreign files are refused.
TEST(SavedPrints, SaveAndLoadRenderIdenticallyAndDamagedFilesAreRefusedCleanly) {
    const SettingsFolder folder;
    const PrintDocument original = sampleDocument();
    ASSERT_EQ(original.pages.size(), 3u);
    EXPECT_EQ(original.pictures.size(), 1u);
    const QString path = folder.filePath(u"stampa.ant"_s);
    QString error;
    ASSERT_TRUE(printoutput::save(original, path, &error)) << error.toStdString();

    PrintDocument loaded;
    ASSERT_FALSE(printoutput::load(path, loaded));
    EXPECT_TRUE(loaded == original); // every page, style and picture: all that drawing uses

    const QByteArray good = readBytes(path);
    EXPECT_TRUE(refused(QByteArray()));
    EXPECT_TRUE(refused(QByteArray("%PDF-1.4 not ours")));
    for (qsizetype cut = 0; cut < good.size(); cut += std::max<qsizetype>(1, good.size() / 97))
        EXPECT_TRUE(refused(good.left(cut))) << "cut at " << cut;
    EXPECT_TRUE(refused(good + "x")); // trailing bytes
    // A header claiming four billion styles in a few bytes, which must not be allocated.
    EXPECT_TRUE(refused(QByteArray("MARVELLO-STAMPA\n\x00\x01", 18) +
                        QByteArray("\x40\xC7\x41\0\0\0\0\0\x40\xD0\x71\x80\0\0\0\0", 16) +
                        QByteArray("\xff\xff\xff\xff", 4)));

    // Any flipped bit is found by the checksum.
    quint32 seed = 7;
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = good;
        seed = seed * 1664525u + 1013904223u;
        const qsizetype at = 16 + qsizetype(seed % quint32(bytes.size() - 16));
        bytes[at] = char(bytes[at] ^ char(1 << (seed >> 29)));
        EXPECT_TRUE(refused(bytes)) << "flipped at " << at;
    }

    // Saved prints of the first version, without a checksum, still open.
    QByteArray first = good;
    first.chop(32);
    first[17] = 1;
    PrintDocument old;
    EXPECT_FALSE(printoutput::load(first, old));
    EXPECT_EQ(old.pages.size(), 3u);
}

TEST(SavedPrints, OversizedFilesAreRefusedUnreadAndRepeatedPicturesShareOneImage) {
    QTemporaryDir folder;
    // A sparse file larger than any saved print: refused without reading it.
    const QString huge = folder.filePath(u"enorme.ant"_s);
    writeBytes(huge, "MARVELLO-STAMPA\n");
    ASSERT_TRUE(QFile::resize(huge, qint64(600) << 20));
    EXPECT_TRUE(refused(huge));

    // Equal pictures drawn from different images (green, blue, green again) are stored apart
    // and decoded once, and every drawing step still draws its own picture.
    PrintDocument three;
    three.pages.resize(1);
    for (const Qt::GlobalColor colour : {Qt::green, Qt::blue, Qt::green}) {
        QImage picture(64, 64, QImage::Format_RGB32);
        picture.fill(colour);
        std::vector<DrawOp>& ops = three.pages[0].ops;
        ops.push_back({.kind = DrawOp::Kind::Picture,
                       .area = QRectF(1000.0 * ops.size(), 0, 1000, 1000), // beside the last
                       .style = three.styleIndex(DrawStyle{}),
                       .picture = three.pictureIndex(picture)});
    }
    three.paper = QSizeF(3000, 1000);
    const QString path = folder.filePath(u"tre.ant"_s);
    ASSERT_TRUE(printoutput::save(three, path));
    PrintDocument loaded;
    ASSERT_FALSE(printoutput::load(path, loaded));
    EXPECT_EQ(loaded.pictures.size(), 2u);
    const QImage page = printoutput::renderImage(loaded, 0, 72);
    for (const auto& [at, colour] :
         {std::pair{0.5, Qt::green}, std::pair{1.5, Qt::blue}, std::pair{2.5, Qt::green}})
        EXPECT_EQ(page.pixelColor(int(at / 3 * page.width()), page.height() / 2), QColor(colour))
            << at;
}

} // namespace
