// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program as scripts and other programs run it: a process without a display.

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

struct ProcessRun {
    int exitCode = -1; // -1: crashed, or still running after the time allowed
    QString out;
    QString err;
};

// Runs `program` with `arguments` without a display; `environment` adds NAME=value pairs.
// `whileRunning`, when given, is called once the process has started (to send it a signal).
inline ProcessRun runProgram(const QString& program, const QStringList& arguments,
                             const QStringList& environment = {},
                             const std::function<void(QProcess&)>& whileRunning = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (const QString& pair : environment)
        env.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.closeWriteChannel();
    if (whileRunning && process.waitForStarted())
        whileRunning(process);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// Whether a run ended with `code`, having said `says` on its error output when given; what it
// said otherwise.
inline testing::AssertionResult exited(const ProcessRun& run, int code, QStringView says = {}) {
    if (run.exitCode == code && run.err.contains(says))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "exit " << run.exitCode << " where " << code
                                       << " was expected: " << run.err.toStdString();
}

inline ProcessRun marvello(const QStringList& arguments, const QStringList& environment = {},
                           const std::function<void(QProcess&)>& whileRunning = {}) {
    return runProgram(QStringLiteral(MARVELLO_EXECUTABLE), arguments, environment, whileRunning);
}

// The same with the address space limited to `megabytes` (ulimit -v).
inline ProcessRun marvelloWithin(int megabytes, const QStringList& arguments) {
    return runProgram(
        QStringLiteral("/bin/bash"),
        QStringList{QStringLiteral("-c"),
                    QStringLiteral("ulimit -v %1 && exec \"$0\" \"$@\"").arg(megabytes * 1024),
                    QStringLiteral(MARVELLO_EXECUTABLE)} +
            arguments);
}

// A program the tests need; the test fails when it is missing.
inline QString tool(const char* name) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    EXPECT_FALSE(path.isEmpty()) << name << " is needed";
    return path;
}

// The arguments that print a label (or a saved print) to a file or printer.
inline QStringList printTo(const QString& what, const QString& to, const QStringList& more = {}) {
    return QStringList{QStringLiteral("--print"), what, QStringLiteral("--to"), to} + more;
}

// Runs a helper program to its end; its standard output, empty when it failed.
inline QByteArray runTool(const char* name, const QStringList& arguments) {
    QProcess process;
    process.start(tool(name), arguments);
    process.waitForFinished(60000);
    return process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray();
}

// Page `page` (from 1) of a PDF rendered in grey at `dpi`, through a file in `folder`.
inline QImage pdfPage(const QString& pdf, int page, int dpi, const QString& folder) {
    const QString prefix = QDir(folder).filePath(QStringLiteral("pagina"));
    runTool("pdftoppm", {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                         QString::number(page), QStringLiteral("-l"), QString::number(page),
                         QStringLiteral("-gray"), QStringLiteral("-png"),
                         QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

inline QString example(const char* name) {
    return QDir(QStringLiteral(MARVELLO_EXAMPLES_DIR)).filePath(QString::fromLatin1(name));
}

inline QString testData(const char* name) {
    return QDir(QStringLiteral(MARVELLO_TEST_DATA_DIR)).filePath(QString::fromLatin1(name));
}

// The text of a PDF, as pdftotext reads it.
inline QString pdfText(const QString& pdf) {
    return QString::fromUtf8(runTool("pdftotext", {pdf, QStringLiteral("-")}));
}

// The words of a PDF's first page with their boxes in millimetres, as pdftotext finds them.
inline std::vector<std::pair<QString, QRectF>> pdfWords(const QString& pdf) {
    const QString html = QString::fromUtf8(
        runTool("pdftotext", {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    static const QRegularExpression word(QStringLiteral(
        R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"));
    std::vector<std::pair<QString, QRectF>> words;
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const auto m = match.next();
        const auto mm = [&](int n) { return m.captured(n).toDouble() * 25.4 / 72; };
        words.emplace_back(m.captured(5), QRectF(QPointF(mm(1), mm(2)), QPointF(mm(3), mm(4))));
    }
    return words;
}
