// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/widgets/databaselists.h"

#include "database/clsdatabase.h"

#include <QComboBox>
#include <QListWidget>

void CaricaListaTabelle(const clsDatabase& database, QListWidget* lstTabelle) {
    lstTabelle->addItems(database.tableNames());
}

void CaricaListaQueries(const clsDatabase& database, QListWidget* lstTabelle) {
    lstTabelle->addItems(database.runnableQueryNames());
}

void CaricaListaCampi(const clsDatabase& database, const QString& NomeTabella,
                      QComboBox* cmbCampi) {
    cmbCampi->addItems(database.fieldNames(NomeTabella));
    if (cmbCampi->count() > 0)
        cmbCampi->setCurrentIndex(0);
}

void CaricaListaCampiQuery(const clsDatabase& database, const QString& NomeQuery,
                           QComboBox* cmbCampi) {
    CaricaListaCampi(database, NomeQuery, cmbCampi);
}

void CaricaListaCampiList(const clsDatabase& database, const QString& NomeTabella,
                          QListWidget* lstCampi) {
    lstCampi->addItems(database.fieldNames(NomeTabella));
}

void CaricaListaCampiDaQueryList(const clsDatabase& database, const QString& NomeQuery,
                                 QListWidget* lstCampi) {
    CaricaListaCampiList(database, NomeQuery, lstCampi);
}
