// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

class LabelDocument;

// The label file (.eti): CRLF lines of Windows-1252 text, a database section, a layout
// section and one section per element, each a key line and a fixed number of value lines.
namespace labelfile {

// Error numbers a failed read reports; they are part of the message users see and are
// documented in docs/label-file.md.
namespace errors {
inline constexpr int OutOfMemory = 7;         // file too large to be a label
inline constexpr int Overflow = 6;            // a number too large for its property
inline constexpr int TypeMismatch = 13;       // a number expected, something else found
inline constexpr int InputPastEnd = 62;       // the file ends inside a section
inline constexpr int PathFileAccess = 75;     // the file cannot be read
inline constexpr int InvalidFileFormat = 321; // no section of a label file at all
inline constexpr int InvalidProperty = 380;   // a value its property does not allow
inline constexpr int InvalidPicture = 481;    // a picture file that is no picture
} // namespace errors

// The largest file read; anything bigger is no label file.
inline constexpr qint64 MaximumFileSize = 64 * 1024 * 1024;

// The largest sheet value (millimetres) the layout dialog takes, and the largest position or
// size of an element (twips) that still lies on such a sheet; beyond them a file is refused
// with error 6.
inline constexpr double LargestLayoutValue = 32767;
inline constexpr double LargestLengthTwips = 2'000'000; // 35 m

struct ReadError {
    int code = 0;
    QString description;
};

// Reads a label file's bytes into a document the caller has just made new. Stops at the
// first error and keeps what was read until then. Relative picture paths are also looked for
// under `baseFolder`.
std::optional<ReadError> read(const QByteArray& bytes, LabelDocument& document,
                              const QString& baseFolder = {});

struct WriteError {
    QString message; // for the user, naming the element and property
};

// The document as a label file. Line breaks in texts become blanks; a text with a character
// that Windows-1252 cannot hold makes the whole write fail.
std::variant<QByteArray, WriteError> write(const LabelDocument& document);

// Numbers as label files hold them: a blank or minus, the digits with the regional decimal
// separator when there is a fraction, a trailing blank (" 12,5 ", "-3 ").
QString formatNumber(double value, QChar decimalSeparator);
QString formatNumber(float value, QChar decimalSeparator);

// A number from a label file, whatever the locale that wrote it: blanks around are ignored and
// its one separator, comma or point, is the decimal mark. Nothing when it is no number.
std::optional<double> parseNumber(QStringView text);

} // namespace labelfile
