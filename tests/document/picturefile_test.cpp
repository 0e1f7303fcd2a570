// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/picturefile.h"
#include "support/files.h"
#include "support/marvelloprocess.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Cut and bit-flipped metafiles: the player stops or refuses, within its time, and the
// program only hears why.
TEST(PictureFiles, DamagedMetafilesAreRefusedWithoutHarm) {
    QTemporaryDir folder;
    const QByteArray good = readBytes(testData("pictures/64716_image2.wmf"));
    ASSERT_FALSE(good.isEmpty());
    QRandomGenerator random(7);
    const QString damaged = folder.filePath(QStringLiteral("rotto.wmf"));
    for (int round = 0; round < 24; ++round) {
        QByteArray bytes = good;
        if (round % 2 == 0) {
            bytes.truncate(qsizetype(random.bounded(int(good.size()))));
        } else {
            for (int flip = 0; flip < 8; ++flip)
                bytes[random.bounded(int(bytes.size()))] ^= char(1 << random.bounded(8));
        }
        writeBytes(damaged, bytes);
        const picturefile::Read read = picturefile::read(damaged, 1'000'000);
        EXPECT_TRUE(!read.picture.isNull() || !read.error.isEmpty()) << round;
        if (!read.picture.isNull()) {
            EXPECT_TRUE(picturefile::isDrawing(read.picture));
        }
    }
    // The player itself ends normally: refusing, not crashing or tripping its sanitizer.
    const ProcessRun player = runProgram(QStringLiteral(MARVELLO_WMF_READER), {damaged});
    EXPECT_TRUE(player.exitCode == 0 || player.exitCode == 1) << player.exitCode;
    EXPECT_FALSE(player.err.contains(u"Sanitizer"));
}

// Text with "&" and "<" in a metafile still makes a drawing; a drawing naming other pictures
// draws without them.
TEST(PictureFiles, MarkupInTextAndPicturesNamedByDrawingsAreHarmless) {
    QTemporaryDir folder;
    QByteArray bytes = readBytes(testData("pictures/60677.wmf"));
    ASSERT_GT(bytes.size(), 29132);
    bytes.replace(29120, 12, "A&B<C>D&E<F>"); // the string of its first ExtTextOut record
    const QString wmf = folder.filePath(QStringLiteral("testo.wmf"));
    writeBytes(wmf, bytes);
    const picturefile::Read drawing = picturefile::read(wmf, 1'000'000);
    EXPECT_TRUE(picturefile::isDrawing(drawing.picture)) << drawing.error.toStdString();

    const QString svg = folder.filePath(QStringLiteral("se.svg"));
    writeBytes(svg, "<svg xmlns='http://www.w3.org/2000/svg' "
                    "xmlns:xlink='http://www.w3.org/1999/xlink' width='10' height='10'>"
                    "<image xlink:href='se.svg' width='10' height='10'/>"
                    "<rect width='5' height='5'/></svg>");
    const picturefile::Read self = picturefile::read(svg, 1'000'000);
    EXPECT_TRUE(picturefile::isDrawing(self.picture)) << self.error.toStdString();
}

} // namespace
