// SPDX-License-Identifier: GPL-3.0-or-later
// Builds a 1,250-page document (10,000 labels of eight drawing calls, one shared picture)
// through clsPressivo and writes it to PDF. Prints time, peak memory and PDF size.
//
//   printcomponent_bench [labels] [output.pdf]

#include "common/files.h"
#include "common/programfolders.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/pdfstream.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printsurface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>

namespace {

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ensureRuntimeDirectory();
    QApplication application(argc, argv);
    const int labels = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir folder;
    const QString pdf = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                 : folder.filePath(QStringLiteral("etichette.pdf"));
    programfolders::setBase(folder.path());

    QImage logo(400, 200, QImage::Format_RGB32);
    logo.fill(Qt::white);
    {
        QPainter painter(&logo);
        painter.setBrush(QColor(30, 90, 160));
        painter.drawEllipse(20, 20, 360, 160);
    }

    std::printf("labels %d, peak before %.1f MB\n", labels, peakMegabytes());
    QElapsedTimer timer;
    timer.start();
    HeadlessPressivoUi ui;
    {
        clsPressivo pressivo(ui);
        for (int label = 0; label < labels; ++label) {
            const int slot = label % 8;
            if (label > 0 && slot == 0)
                pressivo.NewPage();
            const double x = 10 + (slot % 2) * 95.0;
            const double y = 10 + (slot / 2) * 70.0;
            pressivo.DrawTextBox(QStringLiteral("Cliente %1").arg(label), float(x + 3),
                                 float(y + 3), 60, 6, false);
            pressivo.DrawTextBox(QStringLiteral("Via Roma %1").arg(label % 200), float(x + 3),
                                 float(y + 10), 60, 5, false);
            pressivo.DrawTextBox(QStringLiteral("00100 Roma"), float(x + 3), float(y + 16), 60, 5,
                                 true);
            pressivo.PaintPicture(logo, x + 70, y + 3, 20, 10);
            pressivo.DrawLine(x, y, x + 90, y + 65, {}, QStringLiteral("B"));
            pressivo.DrawLine(x + 3, y + 22, x + 87, y + 22);
            pressivo.DrawSymbol(barcode::Symbology::Ean13, QStringLiteral("8000000000019"), x + 3,
                                y + 25, 40, 20);
            pressivo.DrawSymbol(barcode::Symbology::Code39,
                                QStringLiteral("ART-%1").arg(label % 1000), x + 48, y + 25, 40, 20);
        }
        ui.surface().EndDoc();
        const double built = double(timer.nsecsElapsed()) / 1e6;
        qint64 packedBytes = 0, unpackedOps = 0;
        for (const PrintPage& page : ui.surface().document().pages) {
            packedBytes += page.packed.size();
            unpackedOps += qint64(page.ops.size());
        }
        std::printf("packed %.1f MB, %lld steps not packed\n", double(packedBytes) / 1048576.0,
                    unpackedOps);
        std::printf("build %d pages: %.0f ms, peak %.1f MB, %zu picture(s) held\n",
                    ui.surface().PageCount(), built, peakMegabytes(),
                    ui.surface().document().pictures.size());
        timer.restart();
        QString error;
        if (!printoutput::writePdf(ui.surface().document(), pdf, &error)) {
            std::fprintf(stderr, "PDF: %s\n", qPrintable(error));
            return 1;
        }
        std::printf("PDF: %.0f ms, peak %.1f MB, size %.1f MB (%s)\n",
                    double(timer.nsecsElapsed()) / 1e6, peakMegabytes(),
                    double(QFileInfo(pdf).size()) / 1048576.0, qPrintable(pdf));
        pressivo.KillDoc();
    }
    programfolders::setBase({});
    return 0;
}
