// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/delimitedtext.h"

#include "common/numbers.h"
#include "common/windows1252.h"
#include "database/databaseerror.h"

#include <QRegularExpression>

#include <array>

namespace delimitedtext {

namespace {

constexpr qint64 ChunkBytes = 256 * 1024;
// A record longer than this is no record of a label's data: the file is not delimited text.
constexpr qsizetype LargestRecord = 16 * 1024 * 1024;
constexpr qsizetype MostFieldsInARecord = 65536;

[[noreturn]] void unreadable(const QString& path) {
    throw DatabaseError(DatabaseError::CannotOpen,
                        QStringLiteral("Impossibile aprire il file '%1'.").arg(path));
}

// How often each separator appears outside quotes in the first record.
QChar mostUsedSeparator(QStringView text) {
    std::array<int, std::size(Separators)> counts{};
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted)
            for (std::size_t i = 0; i < std::size(Separators); ++i)
                counts[i] += c == QChar(Separators[i]);
    }
    std::size_t best = 0;
    for (std::size_t i = 1; i < counts.size(); ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    return QChar(Separators[best]);
}

// How much of a file reads as UTF-8. A file written in UTF-8 with one stray byte (a value
// pasted from elsewhere) is still UTF-8, the stray byte shown as a replacement mark; a
// Windows-1252 file has its accented letters as single bytes that almost never form UTF-8.
class Utf8Tally {
public:
    void add(const QByteArray& bytes) {
        for (const char byte : bytes) {
            const auto c = static_cast<unsigned char>(byte);
            if (m_pending > 0) {
                if ((c & 0xC0) == 0x80) {
                    if (--m_pending == 0)
                        ++m_valid;
                    continue;
                }
                ++m_invalid; // a sequence cut short; this byte starts anew
                m_pending = 0;
            }
            if (c < 0x80)
                continue;
            if (c >= 0xC2 && c <= 0xDF)
                m_pending = 1;
            else if (c >= 0xE0 && c <= 0xEF)
                m_pending = 2;
            else if (c >= 0xF0 && c <= 0xF4)
                m_pending = 3;
            else
                ++m_invalid;
        }
    }
    // UTF-8 when no byte breaks it, or when its characters outnumber the bytes that do tenfold.
    bool mostlyUtf8() const {
        const qint64 invalid = m_invalid + (m_pending > 0 ? 1 : 0);
        return invalid == 0 || m_valid >= 10 * invalid;
    }

private:
    qint64 m_valid = 0;
    qint64 m_invalid = 0;
    int m_pending = 0;
};

} // namespace

Format detect(const QString& path, std::optional<QChar> separator) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        unreadable(path);
    Format format;
    const QByteArray head = file.peek(3);
    if (head == QByteArray("\xEF\xBB\xBF", 3)) {
        format.start = 3;
    } else if (head.startsWith("\xFF\xFE") || head.startsWith("\xFE\xFF")) {
        format.start = 2;
        format.encoding = head.startsWith("\xFF\xFE") ? Encoding::Utf16LE : Encoding::Utf16BE;
    } else {
        // A character may be split between two chunks: the tally keeps what it has seen.
        Utf8Tally tally;
        while (!file.atEnd()) {
            const QByteArray chunk = file.read(ChunkBytes);
            if (chunk.isEmpty() && file.error() != QFileDevice::NoError)
                unreadable(path);
            tally.add(chunk);
        }
        if (!tally.mostlyUtf8())
            format.encoding = Encoding::Windows1252;
    }
    if (separator) {
        format.separator = *separator;
    } else {
        file.seek(format.start);
        const QByteArray first = file.read(64 * 1024);
        format.separator =
            mostUsedSeparator(format.encoding == Encoding::Utf8 ? QString::fromUtf8(first)
                                                                : windows1252::decode(first));
    }
    return format;
}

RecordReader::RecordReader(const QString& path, const Format& format)
    : m_path(path)
    , m_file(path)
    , m_format(format) {
    if (!m_file.open(QIODevice::ReadOnly) || !m_file.seek(format.start))
        unreadable(path);
    if (format.encoding == Encoding::Utf8)
        m_decoder.emplace(QStringDecoder::Utf8);
    else if (format.encoding == Encoding::Utf16LE)
        m_decoder.emplace(QStringDecoder::Utf16LE);
    else if (format.encoding == Encoding::Utf16BE)
        m_decoder.emplace(QStringDecoder::Utf16BE);
}

bool RecordReader::fill() {
    if (m_file.atEnd())
        return false;
    const QByteArray chunk = m_file.read(ChunkBytes);
    // A read that fails is no end of the file: what follows would be lost without a word.
    if (m_file.error() != QFileDevice::NoError)
        throw DatabaseError(DatabaseError::CannotOpen, QStringLiteral("Errore di lettura del file "
                                                                      "%1: %2")
                                                           .arg(m_path, m_file.errorString()));
    if (chunk.isEmpty())
        return false;
    m_text.remove(0, m_position);
    m_position = 0;
    m_text += m_decoder ? QString(m_decoder->decode(chunk)) : windows1252::decode(chunk);
    return true;
}

bool RecordReader::next(QStringList& fields) {
    fields.clear();
    if (m_atEnd)
        return false;
    QString field;
    bool quoted = false, wasQuoted = false, any = false;
    m_recordLine = m_line;
    qsizetype length = 0;
    for (;;) {
        if (m_position >= m_text.size() && !fill()) {
            m_atEnd = true;
            if (quoted)
                throw DatabaseError(DatabaseError::UnrecognizedFormat,
                                    QStringLiteral("File %1: le virgolette aperte alla riga %2 "
                                                   "non si chiudono (file incompleto?).")
                                        .arg(m_path)
                                        .arg(m_recordLine));
            if (!any && field.isEmpty())
                return false;
            fields << field;
            return true;
        }
        const QChar c = m_text.at(m_position++);
        any = true;
        if (++length > LargestRecord)
            throw DatabaseError(DatabaseError::UnrecognizedFormat,
                                QStringLiteral("File %1: la riga %2 è troppo lunga per un file "
                                               "di dati.")
                                    .arg(m_path)
                                    .arg(m_recordLine));
        if (quoted) {
            if (c == u'"') {
                if (m_position >= m_text.size())
                    fill();
                if (m_position < m_text.size() && m_text.at(m_position) == u'"') {
                    field += u'"';
                    ++m_position;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++m_line;
                field += c;
            }
        } else if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == m_format.separator) {
            if (fields.size() >= MostFieldsInARecord)
                throw DatabaseError(DatabaseError::UnrecognizedFormat,
                                    QStringLiteral("File %1: la riga %2 ha più di %3 campi.")
                                        .arg(m_path)
                                        .arg(m_recordLine)
                                        .arg(MostFieldsInARecord));
            fields << field;
            field.clear();
            wasQuoted = false;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r') {
                if (m_position >= m_text.size())
                    fill();
                if (m_position < m_text.size() && m_text.at(m_position) == u'\n')
                    ++m_position;
            }
            ++m_line;
            fields << field;
            return true;
        } else {
            field += c;
        }
    }
}

std::optional<double> numberValue(const QString& text) {
    static const QRegularExpression shape(QStringLiteral(R"(^\s*[-+]?[0-9][0-9.,]*\s*$)"));
    if (!shape.match(text).hasMatch())
        return std::nullopt;
    const QString digits = text.trimmed().remove(u'+').remove(u'-');
    // "0123" is a code (a postcode, an article number): its zero would be lost as a number.
    if (digits.size() > 1 && digits.front() == u'0' && digits.at(1).isDigit())
        return std::nullopt;
    return numbers::parseAnySeparator(text.trimmed());
}

std::optional<QDateTime> dateValue(const QString& text) {
    static const QRegularExpression dayFirst(QStringLiteral(
        R"(^\s*(\d{1,2})[/.-](\d{1,2})[/.-](\d{4})(?:[ T](\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    static const QRegularExpression yearFirst(QStringLiteral(
        R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2})(?:[ T](\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    QDate date;
    QRegularExpressionMatch m = dayFirst.match(text);
    if (m.hasMatch()) {
        date = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    } else if (m = yearFirst.match(text); m.hasMatch()) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    }
    if (!date.isValid())
        return std::nullopt;
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

} // namespace delimitedtext
