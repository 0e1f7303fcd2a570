// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/rowsource.h"

#include <QStringList>

#include <memory>

// A spreadsheet file (.xlsx, .ods) as tables: its sheets, each read row by row as the file
// streams, the values typed as the file types them: numbers as doubles, dates and times as
// date-times (UTC, as the criteria read dates), yes/no as booleans, everything else as text;
// formulas give the values the file keeps for them. An empty cell is Null.
namespace workbook {

// Limits that keep a hostile file from taking the program's memory or time.
inline constexpr qint64 MostSheetBytes = qint64(2) << 30;    // one sheet's XML, inflated
inline constexpr qint64 MostPartBytes = qint64(64) << 20;    // the other parts, each
inline constexpr qsizetype MostCellText = 32767;             // characters in one cell
inline constexpr int MostColumns = 4096;                     // a table's fields
inline constexpr qint64 MostSharedBytes = qint64(256) << 20; // all shared texts, in memory

// One sheet's rows, in order. A row is its cells' values from the first column, trailing
// empty cells left out; a row with nothing in it may come as an empty row or not at all.
class SheetRows {
public:
    virtual ~SheetRows() = default;
    // The next row; false after the last. Throws DatabaseError on a damaged file.
    virtual bool next(Row& row) = 0;
    // The sheet's row number of the row last given, from 1, for messages.
    virtual long rowNumber() const = 0;
};

class Workbook {
public:
    virtual ~Workbook() = default;
    virtual QStringList sheetNames() const = 0;
    // The rows of a sheet named as sheetNames() names it.
    virtual std::unique_ptr<SheetRows> rows(const QString& sheet) const = 0;
};

// The date of a serial day number as spreadsheets count them (1900 or 1904 system).
QDateTime serialDate(double serial, bool from1904);
// A column's position from its letters ("A" 0, "AB" 27); -1 for anything else.
int columnIndex(QStringView letters);

} // namespace workbook
