// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class clsDatabase;
class QComboBox;
class QListWidget;

// Filling the dialogs' lists from the database. None of them clears the control first.
void CaricaListaTabelle(const clsDatabase& database, QListWidget* lstTabelle);
void CaricaListaQueries(const clsDatabase& database, QListWidget* lstTabelle);
// Adds the fields and selects the first one.
void CaricaListaCampi(const clsDatabase& database, const QString& NomeTabella, QComboBox* cmbCampi);
void CaricaListaCampiQuery(const clsDatabase& database, const QString& NomeQuery,
                           QComboBox* cmbCampi);
// Adds the fields, selecting nothing.
void CaricaListaCampiList(const clsDatabase& database, const QString& NomeTabella,
                          QListWidget* lstCampi);
void CaricaListaCampiDaQueryList(const clsDatabase& database, const QString& NomeQuery,
                                 QListWidget* lstCampi);
