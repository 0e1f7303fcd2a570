// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/passwords.h"

#include <QFile>
#include <QUrl>

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

void hideInArguments(int argc, char** argv) {
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
    if (!databaseName.contains(u"://"))
        return databaseName;
    QUrl url(databaseName.trimmed(), QUrl::TolerantMode);
    if (url.password().isEmpty())
        return databaseName;
    url.setPassword(QStringLiteral("***"));
    return url.toString();
}

} // namespace passwords
