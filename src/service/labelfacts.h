// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct JobRequest;

// What a client needs to know to send a job for a label: the fields it prints and the
// questions it asks.
struct LabelFacts {
    QStringList fields;
    QStringList questions;
    bool bound = false; // it has data of its own

    // The label file read as the printer reads it (its pictures too, beside it; no data
    // opened); nothing, and why, when it cannot be read.
    static std::optional<LabelFacts> of(const QString& path, QString* error);

    // The same, read once for each version of the file (its size and time): jobs and listings
    // name the same few labels again and again. Safe from several threads.
    static std::optional<LabelFacts> cached(const QString& path, QString* error);

    // Why the job does not fit the label: a field its records lack or one the label does not
    // know, a question without an answer or an answer to none. Empty when it fits.
    QString mismatch(const JobRequest& request) const;
};
