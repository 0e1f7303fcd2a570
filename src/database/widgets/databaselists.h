// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class RecordSource;
class QComboBox;
class QListWidget;

// Filling the dialogs' lists from the database. None of them clears the control first.
// The tables, then the queries (views) that can feed labels.
void CaricaListaTabelle(const RecordSource& source, QListWidget* lstTabelle);
// Adds the fields of a table or query and selects the first one.
void CaricaListaCampi(const RecordSource& source, const QString& NomeTabella, QComboBox* cmbCampi);
// Adds the fields of a table or query, selecting nothing.
void CaricaListaCampiList(const RecordSource& source, const QString& NomeTabella,
                          QListWidget* lstCampi);
