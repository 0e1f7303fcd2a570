// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/recordsource.h"

#include <QVariant>

#include <optional>

// A record selection made ready for the fields of one table: the criterion's field, its class,
// and the bounds read as that class, so that "all / equal / between" mean the same whatever
// the source. Texts compare ignoring letter case, numbers and dates by value; a number typed
// with a comma or a full stop is the same number; dates are typed day first (05/03/2024 is
// 5 March) or year first; an empty bound is open (for numbers, an upper bound of 0 too).
class SelectionFilter {
public:
    // Rewrites the selection's bounds as the criterion reads them (numbers as numbers, an open
    // number upper bound as 999999999999, open text bounds as the lowest and highest texts).
    // Throws DatabaseError 3265 for a field the table lacks, 3075 for a date it cannot read.
    SelectionFilter(const std::vector<FieldInfo>& fields, RecordSelection& selection);

    // Whether the criterion selects anything less than every record.
    bool active() const { return m_active; }
    Criterion criterion() const { return m_criterion; }
    int fieldIndex() const { return m_field; }
    fieldtype::Class fieldClass() const { return m_class; }
    // The values compared with, in the field's class (double, QString, QDateTime).
    const QVariant& equalTo() const { return m_equal; }
    const QVariant& low() const { return m_low; }
    const QVariant& high() const { return m_high; }
    // A range whose upper bound was left empty (a number's also 0): no upper limit. Its
    // high() is infinity for numbers, null otherwise.
    bool openAbove() const { return m_openAbove; }
    // A range whose lower bound was left empty (texts and dates): no lower limit; low() null.
    bool openBelow() const { return m_openBelow; }

    // A text field compared with numbers typed in the criterion: a value that is a number
    // written as text ("1.234,56") compares as that number, on every source alike.
    bool comparesNumbers() const { return m_equalNumber || m_lowNumber || m_highNumber; }

    bool keeps(const Row& row) const;

private:
    bool keepsNumber(double value) const;

    bool m_active = false;
    bool m_openAbove = false;
    bool m_openBelow = false;
    Criterion m_criterion = Criterion::Tutti;
    int m_field = -1;
    fieldtype::Class m_class = fieldtype::Class::Other;
    QVariant m_equal, m_low, m_high;
    std::optional<double> m_equalNumber, m_lowNumber, m_highNumber;
};

// The lowest and highest texts an open text range uses, and the open number upper bound.
inline const QString LowestText = QString(34, u'0');
inline const QString HighestText = QString(34, u'Z');
inline constexpr double HighestNumber = 999999999999.0;
