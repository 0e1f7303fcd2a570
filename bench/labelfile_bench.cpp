// SPDX-License-Identifier: GPL-3.0-or-later
// Reads labels of 10,000 to 100,000 elements (texts, barcodes and rectangles, a third of them
// sent to the back, a third brought to the front) and prints the time per size: reading must
// grow linearly with the number of elements.
//
//   labelfile_bench

#include "document/labeldocument.h"
#include "document/labelfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>

#include <cstdio>

namespace {

QByteArray labelOf(int elements) {
    QStringList lines{QStringLiteral("oggLayout")};
    for (int i = 0; i < 10; ++i)
        lines << QStringLiteral(" 10 ");
    for (int i = 0; i < elements; ++i) {
        const QString depth = QStringLiteral(" %1 ").arg(i % 3);
        const QStringList geometry{" 100 ", " 100 ", " 500 ", " 300 "};
        switch (i % 3) {
        case 0:
            lines << QStringLiteral("oggRettangolo") << geometry << " 0 "
                  << " 0 "
                  << " 0 "
                  << "" << depth << " 1 ";
            break;
        case 1:
            lines << QStringLiteral("oggTesto") << geometry << QStringLiteral("testo %1").arg(i)
                  << "Arial"
                  << " 10 "
                  << "False"
                  << "False"
                  << " 0 "
                  << " 0 "
                  << " 0 "
                  << " 0 "
                  << "" << depth;
            break;
        default:
            lines << QStringLiteral("oggImmagine") << geometry << "10"
                  << "" << QStringLiteral("%1").arg(8001234000000LL + i) << depth;
        }
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    std::printf("%10s %10s %12s %14s\n", "elements", "MB", "read ms", "us/element");
    for (const int elements : {10000, 20000, 40000, 90000}) {
        const QByteArray bytes = labelOf(elements);
        LabelDocument document;
        QElapsedTimer timer;
        timer.start();
        const auto error = labelfile::read(bytes, document);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        if (error) {
            std::printf("error %d: %s\n", error->code, qPrintable(error->description));
            return 1;
        }
        std::printf("%10d %10.1f %12.1f %14.2f\n", elements, double(bytes.size()) / 1e6, ms,
                    ms * 1000 / elements);
    }
    return 0;
}
