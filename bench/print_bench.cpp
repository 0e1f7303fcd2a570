// SPDX-License-Identifier: GPL-3.0-or-later
// Prints 100, 1,000 and 10,000 labels bound to the 20,000-row database to PDF through the
// command line, each run its own process: labels per second, peak memory, PDF size.
// Every label: three linked texts, an EAN-13, a Code 39, a picture and a rectangle; 3 x 8
// labels a sheet.
//
//   print_bench [counts...]

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts << std::atoi(argv[i]);
    if (counts.isEmpty())
        counts = {100, 1000, 10000};
    QTemporaryDir folder;
    std::printf("%8s %10s %12s %12s %10s %10s\n", "labels", "seconds", "labels/s", "ms/label",
                "peak MB", "PDF MB");
    for (const int count : counts) {
        const QString pdf = folder.filePath(QStringLiteral("etichette-%1.pdf").arg(count));
        QProcess marvello;
        QElapsedTimer timer;
        timer.start();
        marvello.start(QStringLiteral(MARVELLO_EXECUTABLE),
                       {QStringLiteral("--print"), QStringLiteral(BENCH_LABEL),
                        QStringLiteral("--to"), pdf, QStringLiteral("--count"),
                        QString::number(count)});
        if (!marvello.waitForFinished(600000) || marvello.exitCode() != 0) {
            std::fprintf(stderr, "failed: %s\n", marvello.readAllStandardError().constData());
            return 1;
        }
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage); // the largest child so far: runs grow in size
        std::printf("%8d %10.2f %12.0f %12.3f %10.1f %10.1f\n", count, seconds, count / seconds,
                    seconds * 1000 / count, double(usage.ru_maxrss) / 1024.0,
                    double(QFileInfo(pdf).size()) / 1048576.0);
    }
    return 0;
}
