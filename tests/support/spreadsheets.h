// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/rowsource.h"
#include "support/files.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

// A table as writexlsx.py takes it: values typed as the rows hold them.
inline QJsonObject sheetJson(const QString& sheet, const RowSource& rows) {
    QJsonArray fields, records;
    for (const FieldInfo& field : rows.fields)
        fields << field.name;
    for (const Row& row : rows.rows) {
        QJsonArray values;
        for (const QVariant& value : row) {
            switch (value.typeId()) {
            case QMetaType::QDateTime:
                values << QJsonObject{
                    {QStringLiteral("date"),
                     value.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))}};
                break;
            case QMetaType::Bool:
                values << value.toBool();
                break;
            case QMetaType::QString:
                values << value.toString();
                break;
            default:
                values << (value.isNull() ? QJsonValue() : QJsonValue(value.toDouble()));
            }
        }
        records << values;
    }
    return {{QStringLiteral("sheet"), sheet},
            {QStringLiteral("fields"), fields},
            {QStringLiteral("rows"), records}};
}

// Writes the table as an .xlsx workbook with openpyxl, a writer that is not the program's.
inline void writeXlsx(const QString& path, const QJsonObject& table) {
    const QString json = path + QStringLiteral(".json");
    writeBytes(json, QJsonDocument(table).toJson());
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), // Debian's, with python3-openpyxl
                 {QStringLiteral(MARVELLO_TESTS_DIR "/support/writexlsx.py"), json, path});
    ASSERT_TRUE(python.waitForFinished(60000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
}
