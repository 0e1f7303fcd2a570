// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/quantities.h"

#include "database/databaseerror.h"
#include "database/recordsource.h"

#include <cmath>
#include <numeric>

namespace quantities {

std::optional<long> of(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return 0;
    double number = 0;
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return 0;
        bool whole = false;
        const long read = text.toLong(&whole);
        if (!whole)
            return std::nullopt;
        number = double(read);
        break;
    }
    case QMetaType::Bool:
        return std::nullopt;
    default: {
        bool ok = false;
        number = value.toDouble(&ok);
        if (!ok || !std::isfinite(number) || number != std::floor(number))
            return std::nullopt;
        break;
    }
    }
    if (number < 0 || number > double(LargestPerRecord))
        return std::nullopt;
    return long(number);
}

std::vector<long> read(RecordCursor& records, const QString& field) {
    const int index = records.fieldIndex(field);
    if (index < 0)
        throw DatabaseError(DatabaseError::ItemNotFound,
                            QStringLiteral("Il campo \"%1\" che dà la quantità di etichette non "
                                           "esiste nella tabella dei dati.")
                                .arg(field));
    std::vector<long> perRecord;
    long total = 0;
    while (records.next()) {
        const QVariant& value = records.row()[std::size_t(index)];
        const std::optional<long> quantity = of(value);
        if (!quantity)
            throw DatabaseError(
                DatabaseError::TypeMismatch,
                QStringLiteral("Il record %1 chiede \"%2\" etichette (campo %3): la quantità "
                               "deve essere un numero intero da 0 a %4. La stampa si ferma.")
                    .arg(perRecord.size() + 1)
                    .arg(value.toString().left(40), field)
                    .arg(LargestPerRecord));
        total += *quantity;
        if (total > LargestJob)
            throw DatabaseError(DatabaseError::TypeMismatch,
                                QStringLiteral("Le quantità del campo %1 chiedono più di %2 "
                                               "etichette: troppe per una stampa.")
                                    .arg(field)
                                    .arg(LargestJob));
        perRecord.push_back(*quantity);
    }
    return perRecord;
}

Walk::Walk(RecordCursor& records, std::vector<long> perRecord, int field)
    : m_records(records)
    , m_perRecord(std::move(perRecord))
    , m_field(field) {
    if (m_field < 0)
        throw DatabaseError(DatabaseError::ItemNotFound,
                            QStringLiteral("Il campo che dà la quantità di etichette non c'è "
                                           "più: i dati sono cambiati, la stampa si ferma."));
}

void Walk::finish() {
    while (m_read < m_perRecord.size()) {
        if (!m_records.next() || of(m_records.row()[std::size_t(m_field)]) != m_perRecord[m_read])
            throw DatabaseError(DatabaseError::CannotOpen,
                                QStringLiteral("I record non sono più quelli contati: i dati "
                                               "sono cambiati durante la stampa, che si ferma."));
        ++m_read;
    }
    if (m_records.next())
        throw DatabaseError(DatabaseError::CannotOpen,
                            QStringLiteral("Il database ha dato più record di quelli contati: i "
                                           "dati sono cambiati durante la stampa, che si ferma."));
}

LabelNumbers Walk::next(long label) {
    while (m_left == 0) {
        if (m_read >= m_perRecord.size() || !m_records.next())
            throw DatabaseError(DatabaseError::CannotOpen,
                                QStringLiteral("I record non sono più quelli contati: i dati "
                                               "sono cambiati durante la stampa, che si ferma."));
        const long counted = m_perRecord[m_read++];
        if (of(m_records.row()[std::size_t(m_field)]) != counted)
            throw DatabaseError(DatabaseError::CannotOpen,
                                QStringLiteral("La quantità del record %1 è cambiata durante la "
                                               "stampa, che si ferma.")
                                    .arg(m_read));
        m_left = counted;
        if (m_left > 0) {
            ++m_record;
            m_inRecord = 0;
            m_ofRecord = m_left;
        }
    }
    --m_left;
    return {label, m_record, ++m_inRecord, m_ofRecord};
}

} // namespace quantities
