// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/widgets/databaselists.h"

#include "database/recordsource.h"

#include <QComboBox>
#include <QListWidget>

namespace {

QStringList fieldNames(const RecordSource& source, const QString& table) {
    QStringList names;
    for (const FieldInfo& field : source.fields(table))
        names << field.name;
    return names;
}

} // namespace

void CaricaListaTabelle(const RecordSource& source, QListWidget* lstTabelle) {
    lstTabelle->addItems(source.tableNames());
    lstTabelle->addItems(source.queryNames());
    // A data file has one table: there is nothing to choose, Ok takes it.
    if (lstTabelle->count() == 1)
        lstTabelle->setCurrentRow(0);
}

void CaricaListaCampi(const RecordSource& source, const QString& NomeTabella, QComboBox* cmbCampi) {
    cmbCampi->addItems(fieldNames(source, NomeTabella));
    if (cmbCampi->count() > 0)
        cmbCampi->setCurrentIndex(0);
}

void CaricaListaCampiList(const RecordSource& source, const QString& NomeTabella,
                          QListWidget* lstCampi) {
    lstCampi->addItems(fieldNames(source, NomeTabella));
}
