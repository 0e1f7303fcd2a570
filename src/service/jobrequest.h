// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/rowsource.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>

// A job as a client asks for it, in JSON:
//   {"label": "spedizione.eti", "to": "printer:ZEBRA" | "pdf",
//    "records": [{"Nome": "Rossi", "Colli": 2}, …] | "db": "clienti.csv",
//    "set": {"Lotto": "L42"}, "copies": 1}
// The records take the place of the label's own data; without records or "db" the label
// prints from the data it is bound to, or as it is.
struct JobRequest {
    QString label;
    QString to;
    std::optional<RowSource> records;
    QString database;
    QMap<QString, QString> answers;
    int copies = 1;

    // Nothing, and why in Italian, when the body is not a valid job.
    static std::optional<JobRequest> parse(const QByteArray& body, QString* error);

    bool toPdf() const { return to == u"pdf"; }
    // The printer's name for "printer:NAME".
    QString printer() const { return to.mid(8); }
    // Where it prints, as the journal groups jobs: those of one lane print in order.
    QString lane() const { return to.toLower(); }
};
