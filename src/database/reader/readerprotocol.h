// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the Access reader process writes on its standard output, one record after another,
// each a QDataStream (Qt 6.4 format) of a tag and its data:
//   'F' the fields: quint32 count, then per field its name, qint32 type and the reason it
//       cannot be printed (empty when it can)
//   'R' one row: the fields' values as QVariants (a null QVariant is Null)
//   'E' the end: quint64 rows written
//   'X' an error: qint32 number, QString description
// Anything else, a stream that stops before 'E' or 'X', or any line on standard error (what
// libmdb says of a damaged file) means the file could not be read.
namespace readerprotocol {

inline constexpr char Fields = 'F';
inline constexpr char Row = 'R';
inline constexpr char End = 'E';
inline constexpr char Error = 'X';

// The reader's address space: libmdb on a damaged file may allocate without end.
inline constexpr long long MemoryLimitBytes = 2LL << 30;

} // namespace readerprotocol
