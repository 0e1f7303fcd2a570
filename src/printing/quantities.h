// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/placeholders.h"

#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

class RecordCursor;

// How many labels each record gets when a field of it says so ("Quantità da campo"): a
// delivery of 12 boxes, 12 labels of its record.
namespace quantities {

// The most labels one record may ask for, and a whole job.
inline constexpr long LargestPerRecord = 10000;
inline constexpr long LargestJob = 1000000;

// A field's value as a quantity: an empty or Null value is 0; nothing for anything but a
// whole number from 0 to LargestPerRecord.
std::optional<long> of(const QVariant& value);

// Every record's quantity, walking the records from the first. Throws DatabaseError for a
// field the records lack, for the first record whose value is no quantity (naming it by its
// number and its value), and for a job of more than LargestJob labels.
std::vector<long> read(RecordCursor& records, const QString& field);

// The labels of a job whose records each print their quantity: which record a label prints,
// and its numbers. Records of quantity 0 are passed over.
class Walk {
public:
    Walk(RecordCursor& records, std::vector<long> perRecord, int field);

    // Before each label, in order from 1: moves to the next record when the one before has
    // had its labels. Throws DatabaseError when the records are no longer those counted.
    LabelNumbers next(long label);
    // After the last label: the records left are those counted with no label, and no more.
    void finish();

private:
    RecordCursor& m_records;
    std::vector<long> m_perRecord;
    int m_field;
    std::size_t m_read = 0;
    long m_left = 0;
    long m_record = 0;
    long m_inRecord = 0;
    long m_ofRecord = 0;
};

} // namespace quantities
