// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/selectionfilter.h"

#include "common/numbers.h"
#include "common/regionalsettings.h"
#include "database/accessvalues.h"
#include "database/databaseerror.h"

#include <QRegularExpression>

#include <limits>

namespace {

// The number a user typed in a criterion, whatever the locale: its one separator, comma or
// full stop, is the decimal mark ("1995,5" and "1995.5" are the same number); what follows
// the number is ignored, as Val ignores it ("12abc" is 12).
double criterionNumber(const QString& typed) {
    static const QRegularExpression leading(QStringLiteral(R"(^\s*[-+]?\s*[0-9.,]*[0-9][0-9.,]*)"));
    const auto match = leading.match(typed);
    if (match.hasMatch()) {
        QString number = match.captured(0);
        number.remove(u' ').remove(u'\t');
        if (const auto value = numbers::parseAnySeparator(number))
            return *value;
    }
    return numbers::leadingNumber(typed);
}

QString numberText(const QString& typed) {
    return numbers::formatPlain(criterionNumber(typed), RegionalSettings::decimalSeparator());
}

// The value a criterion compares the field with, in the field's class.
QVariant criterionValue(fieldtype::Class fieldClass, const QString& text) {
    switch (fieldClass) {
    case fieldtype::Class::Number:
        return criterionNumber(text);
    case fieldtype::Class::Date: {
        const auto date = jet::parseDate(text);
        if (!date)
            throw DatabaseError(DatabaseError::SyntaxError,
                                QStringLiteral("Errore di sintassi nella data dell'espressione "
                                               "della query: #%1#.")
                                    .arg(text));
        return *date;
    }
    default:
        return text;
    }
}

QVariant fieldValueFor(fieldtype::Class fieldClass, const QVariant& value) {
    if (fieldClass == fieldtype::Class::Text && value.typeId() != QMetaType::QString)
        return value.toString();
    return value;
}

} // namespace

SelectionFilter::SelectionFilter(const std::vector<FieldInfo>& fields, RecordSelection& selection) {
    m_criterion = selection.criterion;
    if (m_criterion == Criterion::Tutti)
        return;
    for (std::size_t i = 0; i < fields.size() && m_field < 0; ++i) {
        if (fields[i].name.compare(selection.field, Qt::CaseInsensitive) == 0)
            m_field = int(i);
    }
    if (m_field < 0)
        throw DatabaseError(
            DatabaseError::ItemNotFound,
            QStringLiteral("Elemento non trovato in questo insieme: %1.").arg(selection.field));
    m_class = fieldtype::classOf(fields[std::size_t(m_field)].type);
    if (m_class == fieldtype::Class::Number) {
        selection.equalTo = numberText(selection.equalTo);
        selection.from = numberText(selection.from);
        selection.to = numberText(selection.to);
        if (criterionNumber(selection.to) == 0) {
            // Written as the label always stored it; compared as no limit at all, so that
            // codes of thirteen digits (an EAN held as a number) are not left out.
            selection.to =
                numbers::formatPlain(HighestNumber, RegionalSettings::decimalSeparator());
            m_openAbove = true;
        }
    } else if (m_class == fieldtype::Class::Text) {
        if (selection.from.isEmpty())
            selection.from = LowestText;
        if (selection.to.isEmpty())
            selection.to = HighestText;
    }
    // A field that cannot be compared (a picture, a GUID) selects every record.
    m_active = m_class != fieldtype::Class::Other;
    if (!m_active)
        return;
    if (m_criterion == Criterion::UgualeA) {
        m_equal = criterionValue(m_class, selection.equalTo);
    } else {
        m_low = criterionValue(m_class, selection.from);
        m_high = m_openAbove ? QVariant(std::numeric_limits<double>::infinity())
                             : criterionValue(m_class, selection.to);
    }
}

bool SelectionFilter::keeps(const Row& row) const {
    if (!m_active)
        return true;
    // The criterion compares values, never text spliced into a query: whatever was typed, it
    // stays one value.
    const QVariant value = fieldValueFor(m_class, row[std::size_t(m_field)]);
    if (value.isNull())
        return false;
    if (m_criterion == Criterion::UgualeA)
        return jet::compare(value, m_equal) == 0;
    return jet::compare(value, m_low) >= 0 && jet::compare(value, m_high) <= 0;
}
