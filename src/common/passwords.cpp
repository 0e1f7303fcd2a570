// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/passwords.h"

#include <QFile>

#include <cstdio>
#include <cstring>
#include <string>

namespace passwords {

namespace {

// A password is a line: what follows its end is no part of it.
QString firstLine(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf('\n');
    QString line = QString::fromUtf8(end < 0 ? bytes : bytes.left(end));
    if (line.endsWith(u'\r'))
        line.chop(1);
    return line;
}

void blank(char* text) {
    std::memset(text, '*', std::strlen(text));
}

} // namespace

// Where a server's address holds a password: user:PASSWORD@ after "://", up to the last '@'
// (a password may hold '@', '/', '#' or '?', which a URL parser would take for the end of it).
std::optional<std::pair<qsizetype, qsizetype>> passwordSpan(const QByteArray& text) {
    const qsizetype scheme = text.indexOf("://");
    if (scheme < 0)
        return std::nullopt;
    const qsizetype start = scheme + 3;
    const qsizetype at = text.lastIndexOf('@');
    if (at <= start)
        return std::nullopt;
    const qsizetype colon = text.indexOf(':', start);
    if (colon < 0 || colon >= at || colon + 1 == at)
        return std::nullopt;
    return std::pair{colon + 1, at - colon - 1};
}

void hideInArguments(int argc, char** argv) {
    // A password written into an address, wherever the address is given.
    for (int i = 1; i < argc; ++i) {
        if (const auto span =
                passwordSpan(QByteArray::fromRawData(argv[i], qsizetype(std::strlen(argv[i])))))
            std::memset(argv[i] + span->first, '*', std::size_t(span->second));
    }
    if (argc > 1 && std::strncmp(argv[1], "--", 2) != 0) {
        // The calling programs' form may come in several arguments (blanks belong to it).
        int commas = 0;
        for (int i = 1; i < argc; ++i) {
            for (char* c = argv[i]; *c; ++c) {
                if (commas == 3)
                    *c = '*';
                else if (*c == ',')
                    ++commas;
            }
        }
        return;
    }
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--password") == 0)
            blank(argv[++i]);
    }
}

QString fromArgument(const QString& value) {
    if (value != u"-")
        return value;
    std::string line;
    for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar())
        line.push_back(char(c));
    return firstLine(QByteArray::fromStdString(line));
}

std::optional<QString> fromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return firstLine(file.read(4096));
}

QString fromEnvironment() {
    return qEnvironmentVariable("MARVELLO_PASSWORD");
}

QString hiddenIn(const QString& databaseName) {
    const auto span = passwordSpan(databaseName.toUtf8());
    if (!span)
        return databaseName;
    // Found on the bytes; the text around it is ASCII up to the password's end.
    const QByteArray bytes = databaseName.toUtf8();
    return QString::fromUtf8(bytes.left(span->first) + "***" +
                             bytes.mid(span->first + span->second));
}

} // namespace passwords
