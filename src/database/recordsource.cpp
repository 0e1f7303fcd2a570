// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/recordsource.h"

#include <algorithm>

RecordSelection RecordSelection::of(const CollegamentoDatabase& binding) {
    RecordSelection selection;
    selection.table = binding.NomeTabella;
    selection.field = binding.NomeCampoSelezione;
    selection.criterion = binding.TipoCriterio == qint16(Criterion::UgualeA) ? Criterion::UgualeA
                          : binding.TipoCriterio == qint16(Criterion::Compreso)
                              ? Criterion::Compreso
                              : Criterion::Tutti;
    selection.equalTo = binding.ValoreUgualeA;
    selection.from = binding.ValoreDa;
    selection.to = binding.ValoreA;
    return selection;
}

void RecordSelection::storeBounds(CollegamentoDatabase& binding) const {
    binding.ValoreUgualeA = equalTo;
    binding.ValoreDa = from;
    binding.ValoreA = to;
}

int RecordCursor::fieldIndex(const QString& name) const {
    const auto& all = fields();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

bool RecordSource::contains(const QString& table) const {
    const QString wanted = table.trimmed();
    const auto matches = [&](const QString& name) {
        return name.trimmed().compare(wanted, Qt::CaseInsensitive) == 0;
    };
    const QStringList tables = tableNames(), queries = queryNames();
    return std::any_of(tables.begin(), tables.end(), matches) ||
           std::any_of(queries.begin(), queries.end(), matches);
}

long RecordSource::count(RecordSelection& selection) const {
    const auto cursor = open(selection);
    if (const auto known = cursor->size())
        return *known;
    long n = 0;
    while (cursor->next())
        ++n;
    return n;
}

std::unique_ptr<RecordCursor> RecordSource::openCounted(RecordSelection& selection,
                                                        long& count) const {
    // Counted first: a server cannot be asked anything else while it sends a query's rows.
    count = this->count(selection);
    return open(selection);
}
