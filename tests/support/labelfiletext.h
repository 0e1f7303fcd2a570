// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/windows1252.h"

#include <QByteArray>
#include <QStringList>

// A label file's bytes from its lines: Windows-1252, every line ending in CRLF.
inline QByteArray labelFileBytes(const QStringList& lines) {
    return *windows1252::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// Lines written in one string, "|" between them: "oggLayout| 3 | 7 ".
inline QStringList fileLines(const char* text) {
    return QString::fromUtf8(text).split(u'|');
}

// The lines of a text element section, key included.
inline QStringList textSection(const QString& caption = QStringLiteral("Ciao"),
                               const QString& size = QStringLiteral(" 10 "),
                               const QString& bold = QStringLiteral("False"),
                               const QString& depth = QStringLiteral(" 0 ")) {
    return fileLines("oggTesto| 150 | 300 | 1000 | 255 ") +
           QStringList{caption, "Arial", size, bold} + fileLines("False| 0 | 0 | 16777215 | 0 |") +
           QStringList{depth};
}
