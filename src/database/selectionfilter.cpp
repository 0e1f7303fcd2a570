// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/selectionfilter.h"

#include "common/numbers.h"
#include "common/regionalsettings.h"
#include "database/accessvalues.h"
#include "database/databaseerror.h"
#include "database/delimitedtext.h"

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

// A yes/no typed as a word, as the labels print it or as users write it ("Vero", "Sì", "No"):
// yes is -1 and no 0, as the database engine stores them. Numbers stay as typed (1 is not
// yes there either).
QString yesNoText(const QString& typed) {
    const QString word = typed.trimmed().toLower();
    static const QStringList yes{u"vero"_qs, u"sì"_qs, u"si"_qs, u"true"_qs, u"yes"_qs};
    static const QStringList no{u"falso"_qs, u"no"_qs, u"false"_qs};
    if (yes.contains(word))
        return QStringLiteral("-1");
    if (no.contains(word))
        return QStringLiteral("0");
    return typed;
}

// The value a criterion compares the field with, in the field's class.
QVariant criterionValue(fieldtype::Class fieldClass, const QString& text) {
    switch (fieldClass) {
    case fieldtype::Class::Number:
        return criterionNumber(text);
    case fieldtype::Class::Date: {
        const auto date = jet::parseDate(text, jet::DateOrder::DayFirst);
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
    if (fields[std::size_t(m_field)].type == fieldtype::Boolean) {
        selection.equalTo = yesNoText(selection.equalTo);
        selection.from = yesNoText(selection.from);
        selection.to = yesNoText(selection.to);
    }
    if (m_class == fieldtype::Class::Number) {
        selection.equalTo = numberText(selection.equalTo);
        selection.from = numberText(selection.from);
        selection.to = numberText(selection.to);
        if (const double to = criterionNumber(selection.to); to == 0 || to == HighestNumber) {
            // Written as the label always stored it; compared as no limit at all, so that
            // codes of thirteen digits (an EAN held as a number) are not left out. The
            // written limit means the same when the selection is read again.
            selection.to =
                numbers::formatPlain(HighestNumber, RegionalSettings::decimalSeparator());
            m_openAbove = true;
        }
    } else if (m_class == fieldtype::Class::Text) {
        // Stored as the label always stored them. The lowest text still leaves out empty
        // texts, as it always did; the highest is no limit at all: no text is beyond it in
        // every order of letters (Zürich, Žilina).
        if (selection.from.isEmpty())
            selection.from = LowestText;
        if (selection.to.isEmpty() || selection.to == HighestText) {
            selection.to = HighestText;
            m_openAbove = true;
        }
    } else if (m_class == fieldtype::Class::Date) {
        m_openBelow = selection.from.trimmed().isEmpty();
        m_openAbove = selection.to.trimmed().isEmpty();
    }
    // A field that cannot be compared (a picture, a GUID) selects every record.
    m_active = m_class != fieldtype::Class::Other;
    if (!m_active)
        return;
    if (m_class == fieldtype::Class::Text) {
        // Numbers typed for a text field: values that are numbers compare as numbers, as
        // they do in a delimited file whose column holds numbers only.
        if (m_criterion == Criterion::UgualeA) {
            m_equalNumber = delimitedtext::numberValue(selection.equalTo);
        } else {
            const auto low = delimitedtext::numberValue(selection.from);
            const auto high = delimitedtext::numberValue(selection.to);
            const bool lowFits = low || selection.from == LowestText;
            const bool highFits = high || m_openAbove;
            if (lowFits && highFits && (low || high)) {
                m_lowNumber = low;
                m_highNumber = high;
            }
        }
    }
    if (m_criterion == Criterion::UgualeA) {
        m_equal = criterionValue(m_class, selection.equalTo);
    } else {
        if (!m_openBelow)
            m_low = criterionValue(m_class, selection.from);
        if (!m_openAbove)
            m_high = criterionValue(m_class, selection.to);
        else if (m_class == fieldtype::Class::Number)
            m_high = std::numeric_limits<double>::infinity();
    }
}

bool SelectionFilter::keepsNumber(double value) const {
    if (m_criterion == Criterion::UgualeA)
        return value == *m_equalNumber;
    return (!m_lowNumber || value >= *m_lowNumber) && (!m_highNumber || value <= *m_highNumber);
}

bool SelectionFilter::keeps(const Row& row) const {
    if (!m_active)
        return true;
    // The criterion compares values, never text spliced into a query: whatever was typed, it
    // stays one value.
    const QVariant value = fieldValueFor(m_class, row[std::size_t(m_field)]);
    if (value.isNull())
        return false;
    if (comparesNumbers()) {
        if (const auto number = delimitedtext::numberValue(value.toString()))
            return keepsNumber(*number);
    }
    if (m_criterion == Criterion::UgualeA)
        return jet::compare(value, m_equal) == 0;
    return (m_openBelow || jet::compare(value, m_low) >= 0) &&
           (m_openAbove || jet::compare(value, m_high) <= 0);
}
