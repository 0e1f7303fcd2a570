// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <optional>

// Delimited text as spreadsheets export it: records of fields split by a separator, quoted
// with double quotes where a field holds a separator, a quote (doubled) or a line break.
namespace delimitedtext {

enum class Encoding { Utf8, Utf16LE, Utf16BE, Windows1252 };

struct Format {
    QChar separator = u',';
    Encoding encoding = Encoding::Utf8;
    qint64 start = 0; // bytes before the text (a byte order mark)
};

// The separators users meet: comma, semicolon, tab and the vertical bar.
inline constexpr char16_t Separators[] = {u',', u';', u'\t', u'|'};

// How the file is written: UTF-8 or UTF-16 ("Testo Unicode") by its byte order mark, UTF-8 when
// every byte sequence is valid UTF-8, Windows-1252 otherwise; the separator given, or the one the
// first record uses most outside quotes (a comma when it has none). Reads the whole file; throws
// DatabaseError when it cannot be read.
Format detect(const QString& path, std::optional<QChar> separator);

// Reads a file record by record, holding one record at a time.
class RecordReader {
public:
    // Throws DatabaseError when the file cannot be opened.
    RecordReader(const QString& path, const Format& format);
    // The next record's fields; false at the end of the file. A record whose quotes never close
    // throws DatabaseError (a file cut short).
    bool next(QStringList& fields);
    // The line the last record began on, counting from 1.
    long line() const { return m_recordLine; }

private:
    bool fill();

    QString m_path;
    QFile m_file;
    Format m_format;
    std::optional<QStringDecoder> m_decoder; // none: Windows-1252, a byte a character
    QString m_text;
    qsizetype m_position = 0;
    bool m_atEnd = false;
    long m_line = 1;
    long m_recordLine = 1;
};

// What a written value is, for the criteria: numbers with a comma or a full stop as the decimal
// mark (thousands grouped or not; a leading zero makes a code, not a number), dates as
// dd/mm/yyyy (with '.' or '-' too) or yyyy-mm-dd, a time may follow; dates are in UTC, as the
// criteria read them.
std::optional<double> numberValue(const QString& text);
std::optional<QDateTime> dateValue(const QString& text);

} // namespace delimitedtext
