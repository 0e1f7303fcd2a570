// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/files.h"

#include <QString>
#include <QStringList>

// A label with one text: `columns` x `rows` labels of `width` x `height` mm a sheet, the
// text's box `boxWidth` x `boxHeight` twips at the label's corner, bound to a table when one is
// named.
struct TextLabel {
    QString text;
    QString database = {}, table = {};
    int columns = 1, rows = 1, width = 100, height = 40;
    int boxWidth = 5670, boxHeight = 2000;
};

inline QString textLabel(const QString& path, const TextLabel& label) {
    const auto n = [](int value) { return QStringLiteral(" %1 ").arg(value); };
    QStringList lines;
    if (!label.database.isEmpty())
        lines << "oggDatabase" << label.database << "" << label.table << "" << n(0) << ""
              << ""
              << ""
              << "False"
              << "";
    lines << "oggLayout" << n(label.columns) << n(label.rows) << n(0) << n(0) << n(label.width)
          << n(label.height) << n(0) << n(0) << n(0) << n(0);
    lines << "oggTesto" << n(0) << n(0) << n(label.boxWidth) << n(label.boxHeight) << label.text
          << "Arial" << n(8) << "False"
          << "False" << n(0) << n(0) << n(16777215) << n(0) << "" << n(0);
    writeBytes(path, lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    return path;
}
