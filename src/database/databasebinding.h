// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Which records a label prints, with the values label files store.
enum class Criterion : qint16 { Tutti = 0, UgualeA = 1, Compreso = 2 };

// How a label is bound to its database, in the order of the label file.
struct CollegamentoDatabase {
    QString NomeDatabase;                           // database file; empty: the label is not bound
    QString PasswordDb;                             // may be empty
    QString NomeTabella;                            // table or stored query feeding the labels
    QString NomeCampoSelezione;                     // field the record selection tests
    qint16 TipoCriterio = qint16(Criterion::Tutti); // a Criterion; other values select all
    QString ValoreUgualeA;
    QString ValoreDa;
    QString ValoreA;
    bool FlagRiservato = false; // stored and reloaded only
    QString TestoRiservato;     // stored and reloaded only
    // The field that says how many labels each record gets; empty: one label a record.
    // Stored in a section of its own, after the label's others.
    QString CampoQuantita;

    bool operator==(const CollegamentoDatabase&) const = default;
};
