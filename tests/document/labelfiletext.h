// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/windows1252.h"

#include <QByteArray>
#include <QStringList>

// A label file's bytes from its lines: Windows-1252, every line ending in CRLF.
inline QByteArray labelFileBytes(const QStringList& lines) {
    return *windows1252::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// The fifteen lines of a text element section, key included.
inline QStringList textSection(const QString& caption = QStringLiteral("Ciao"),
                               const QString& size = QStringLiteral(" 10 "),
                               const QString& bold = QStringLiteral("False"),
                               const QString& depth = QStringLiteral(" 0 ")) {
    return {QStringLiteral("oggTesto"),
            QStringLiteral(" 150 "),
            QStringLiteral(" 300 "),
            QStringLiteral(" 1000 "),
            QStringLiteral(" 255 "),
            caption,
            QStringLiteral("Arial"),
            size,
            bold,
            QStringLiteral("False"),
            QStringLiteral(" 0 "),
            QStringLiteral(" 0 "),
            QStringLiteral(" 16777215 "),
            QStringLiteral(" 0 "),
            QString(),
            depth};
}
