// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <optional>

// What the print request dialog hands to the engine.
struct PrintJob {
    bool PremutoOk = false;
    bool StampaTutte = false;
    qint16 NumeroEtichette = 0;
    qint16 PrimaEtichetta = 0;
    bool StampaCrocicchi = false;
    bool StampaBordi = false;
    // Scripts: a count beyond the selected records prints the records (and says so), and a
    // first position beyond the sheet is refused. The window keeps the historical rules: blank
    // labels past the last record, positions counted on into the next sheets.
    bool Strict = false;
    // The resolution barcodes are put on the dots of (a PDF for a label printer); 0: the
    // printer's own, when the job goes to one.
    int DotsPerInch = 0;
    // Millimetres every label moves by (right, down), to match where the printer's head really
    // prints; none: the offsets calibrated for the printer (or for files) chosen.
    std::optional<QPointF> Offset;
    // The field that says how many labels each record gets ("Quantità da campo"); empty: one
    // label a record. Applies when every record is printed.
    QString CampoQuantita;
    // The fields of the label's records, offered for it (none when the label is not bound).
    QStringList CampiDisponibili;
    // The label's questions (${?Lotto}: "Lotto") and their answers, the last ones given
    // offered.
    QStringList Domande;
    QMap<QString, QString> Risposte;
    // The serial number (${P}) of the first label; none: the one after the label's last job.
    std::optional<long> InizioNumerazione;
};
