// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/jobrequest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

constexpr int MostFields = 255;
// A job's records, and their values, are held whole: a request of a few kilobytes must not ask
// for gigabytes.
constexpr qsizetype MostRecords = 100000;
constexpr qsizetype MostValues = 2000000;
constexpr qsizetype LongestFieldName = 64;

// The records' fields in the order they first appear, each typed by what its values are: a
// field of numbers only is a number, of true/false only a yes/no, anything else text.
std::optional<RowSource> recordsFrom(const QJsonArray& array, QString* error) {
    RowSource rows;
    std::vector<QJsonValue::Type> kinds;
    if (array.size() > MostRecords) {
        *error = QStringLiteral("Troppi record: al massimo %1 per lavoro.").arg(MostRecords);
        return std::nullopt;
    }
    for (const QJsonValue& value : array) {
        if (!value.isObject()) {
            *error = QStringLiteral("\"records\" vuole una lista di oggetti.");
            return std::nullopt;
        }
        const QJsonObject record = value.toObject();
        for (auto it = record.begin(); it != record.end(); ++it) {
            const int at = rows.fieldIndex(it.key());
            const QJsonValue::Type kind = it.value().type();
            if (kind == QJsonValue::Object || kind == QJsonValue::Array) {
                *error = QStringLiteral("Il campo \"%1\" vuole un testo, un numero, true/false o "
                                        "null.")
                             .arg(it.key().left(LongestFieldName));
                return std::nullopt;
            }
            if (at < 0) {
                if (it.key().trimmed().isEmpty() || it.key().size() > LongestFieldName ||
                    rows.fields.size() >= MostFields) {
                    *error = QStringLiteral("Nome di campo non valido: \"%1\".")
                                 .arg(it.key().left(LongestFieldName));
                    return std::nullopt;
                }
                rows.fields.push_back(FieldInfo{it.key()});
                kinds.push_back(kind);
            } else if (kind != QJsonValue::Null && kinds[at] != kind) {
                kinds[at] = kinds[at] == QJsonValue::Null ? kind : QJsonValue::String;
            }
        }
    }
    for (std::size_t i = 0; i < rows.fields.size(); ++i)
        rows.fields[i].type = kinds[i] == QJsonValue::Double ? fieldtype::Double
                              : kinds[i] == QJsonValue::Bool ? fieldtype::Boolean
                                                             : fieldtype::Text;
    if (array.size() * qsizetype(rows.fields.size()) > MostValues) {
        *error = QStringLiteral("Troppi valori: record per campi al massimo %1.").arg(MostValues);
        return std::nullopt;
    }
    rows.rows.reserve(std::size_t(array.size()));
    for (const QJsonValue& value : array) {
        const QJsonObject record = value.toObject();
        Row row(rows.fields.size());
        for (std::size_t i = 0; i < rows.fields.size(); ++i) {
            const QJsonValue field = record.value(rows.fields[i].name);
            if (field.isNull() || field.isUndefined())
                continue;
            if (rows.fields[i].type == fieldtype::Text && field.isDouble())
                row[i] = QString::number(field.toDouble(), 'g', 15);
            else if (rows.fields[i].type == fieldtype::Text && field.isBool())
                row[i] = field.toBool() ? QStringLiteral("true") : QStringLiteral("false");
            else
                row[i] = field.toVariant();
        }
        rows.rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

std::optional<JobRequest> JobRequest::parse(const QByteArray& body, QString* error) {
    const auto fail = [&](const QString& why) -> std::optional<JobRequest> {
        *error = why;
        return std::nullopt;
    };
    QJsonParseError parsing;
    const QJsonDocument json = QJsonDocument::fromJson(body, &parsing);
    if (parsing.error != QJsonParseError::NoError)
        return fail(QStringLiteral("JSON non valido: %1 (posizione %2).")
                        .arg(parsing.errorString())
                        .arg(parsing.offset));
    if (!json.isObject())
        return fail(QStringLiteral("Il lavoro vuole un oggetto JSON."));
    const QJsonObject object = json.object();
    static const QStringList known{QStringLiteral("label"),   QStringLiteral("to"),
                                   QStringLiteral("records"), QStringLiteral("db"),
                                   QStringLiteral("set"),     QStringLiteral("copies")};
    for (const QString& key : object.keys())
        if (!known.contains(key))
            return fail(QStringLiteral("Chiave sconosciuta: \"%1\".").arg(key.left(64)));

    JobRequest request;
    request.label = object.value(QStringLiteral("label")).toString();
    if (request.label.isEmpty())
        return fail(QStringLiteral("Manca \"label\": il file etichetta da stampare."));
    request.to = object.value(QStringLiteral("to")).toString();
    if (request.to != u"pdf" &&
        (!request.to.startsWith(QStringLiteral("printer:")) || request.to.size() == 8))
        return fail(QStringLiteral("\"to\" vuole \"pdf\" o \"printer:NOME\"."));
    if (object.contains(QStringLiteral("records")) && object.contains(QStringLiteral("db")))
        return fail(QStringLiteral("\"records\" e \"db\" non vanno insieme."));
    if (const QJsonValue records = object.value(QStringLiteral("records"));
        !records.isUndefined()) {
        if (!records.isArray() || records.toArray().isEmpty())
            return fail(QStringLiteral("\"records\" vuole una lista di oggetti, almeno uno."));
        request.records = recordsFrom(records.toArray(), error);
        if (!request.records)
            return std::nullopt;
    }
    if (const QJsonValue db = object.value(QStringLiteral("db")); !db.isUndefined()) {
        if (!db.isString() || db.toString().isEmpty())
            return fail(QStringLiteral("\"db\" vuole il nome di un file di dati."));
        request.database = db.toString();
    }
    if (const QJsonValue set = object.value(QStringLiteral("set")); !set.isUndefined()) {
        if (!set.isObject())
            return fail(QStringLiteral("\"set\" vuole un oggetto DOMANDA: RISPOSTA."));
        const QJsonObject answers = set.toObject();
        for (auto it = answers.begin(); it != answers.end(); ++it) {
            if (!it.value().isString() && !it.value().isDouble())
                return fail(
                    QStringLiteral("La risposta a \"%1\" vuole un testo.").arg(it.key().left(64)));
            request.answers.insert(it.key(), it.value().toVariant().toString());
        }
    }
    if (const QJsonValue copies = object.value(QStringLiteral("copies")); !copies.isUndefined()) {
        const double n = copies.toDouble(-1);
        if (!copies.isDouble() || n < 1 || n > 999 || n != std::floor(n))
            return fail(QStringLiteral("\"copies\" vuole un numero intero da 1 a 999."));
        request.copies = int(n);
        if (request.toPdf() && request.copies > 1)
            return fail(QStringLiteral("\"copies\" vale per le stampanti: un PDF ha una copia."));
    }
    return request;
}
