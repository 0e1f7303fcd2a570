// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/rowsource.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

// The moment a job's dates and times are taken from: now, or the one MARVELLO_TODAY names
// ("2024-02-28" or "2024-02-28T14:30"), so that a print can be made again as it was and tests
// know their dates.
QDateTime printingNow();

// A label's numbers in its job: the label's (${N}); its record's (${R}); the label's within its
// record and the record's quantity, when a field says how many labels each record gets
// (${Q} of ${Qtot}; 1 of 1 otherwise).
struct LabelNumbers {
    LabelNumbers(long label = 1, long record = 1, long inRecord = 1, long ofRecord = 1)
        : label(label)
        , record(record)
        , inRecord(inRecord)
        , ofRecord(ofRecord) {}
    long label;
    long record;
    long inRecord;
    long ofRecord;
    long serial = 0; // ${P}: the serial number, continued from the label's jobs before
};

// A text with fields in it, as a label's texts and barcodes may hold them:
//   ${Campo}      the field's value in the current record (letter case ignored);
//                 ${Campo|testo} "testo" when the field is empty or Null;
//                 ${Campo:FORMATO} a date field in a Qt date format (${Scadenza:MM/yyyy}),
//                 a number with that many decimals and the decimal comma (${Prezzo:,2})
//   ${N}          the label's number in the job, from 1; ${N:6} zero-padded to 6 digits,
//                 ${N+1000} counted from 1001 (both: ${N+1000:6}); ${R}, ${Q}, ${Qtot} the
//                 record's number, the label's within its record and the record's quantity,
//                 the same ways (a field named R, Q or Qtot is that field); ${P} a serial
//                 number that continues from the label's last job (${P:6}, ${P+1000})
//   ${data}       today's date (dd/mm/yyyy); ${data+5} five days on, ${data-1} yesterday,
//                 ${data+6M} six months on; ${data:yyyy-MM-dd} in a Qt date format
//   ${ora}        the time (hh:mm); ${ora:HH.mm.ss} in a Qt time format
//   ${?Lotto}     the answer to "Lotto:", asked once when the job starts
// Anything else, "${" without its "}" included, is text as written.
class TextTemplate {
public:
    explicit TextTemplate(const QString& text);

    bool hasPlaceholders() const { return m_hasPlaceholders; }
    // Whether it prints serial numbers (${P}); a field named P is bound as that field first.
    bool usesSerials() const;
    // The questions it asks (${?Lotto}: "Lotto"), in order.
    QStringList questions() const;
    // Fills the questions in with their answers (the names' letter case ignored); a question
    // without one prints empty.
    void answer(const QMap<QString, QString>& answers);
    // Whether ${name} stands for the field of that name: not for a field named like the
    // label's own values (N, data, ora), nor one whose name has braces or spaces around it.
    static bool namesField(const QString& name);
    // Finds the fields it names among those of the records; returns the names it cannot find
    // (all of them when there are no records).
    QStringList bind(const std::vector<FieldInfo>* fields);
    // The text of one label. `fieldValue` gives the value of the field at an index (typed:
    // formats apply to dates and numbers); `fieldText` turns a value into text as labels
    // print it without a format.
    // In a text of several lines, a line whose fields are all empty is left out (an address
    // without its second street line closes up). Nothing when the text would grow past
    // `longest` characters: the same field repeated a thousand times is no label's text, and
    // is not built.
    template <typename FieldValue, typename FieldText>
    std::optional<QString> expand(const LabelNumbers& numbers, const QDateTime& now,
                                  FieldValue&& fieldValue, FieldText&& fieldText,
                                  qsizetype longest) const {
        QString text;
        LineCloser lines(m_multiLine);
        for (const Part& part : m_parts) {
            if (text.size() > longest)
                return std::nullopt;
            switch (part.kind) {
            case Part::Literal:
                lines.literal(text, part.text);
                break;
            case Part::Field: {
                const QVariant raw = fieldValue(std::size_t(part.field));
                QString value = part.format.isEmpty() ? fieldText(raw) : formatted(raw, part);
                if (value.trimmed().isEmpty() && !part.fallback.isNull())
                    value = part.fallback;
                lines.field(value);
                text += value;
                break;
            }
            case Part::Question: {
                const QString value = special(part, numbers, now);
                lines.field(value);
                text += value;
                break;
            }
            default:
                text += special(part, numbers, now);
                lines.value(); // a number or a date: the line has something to print
                break;
            }
        }
        lines.end(text);
        if (text.size() > longest)
            return std::nullopt;
        return text;
    }

private:
    struct Part {
        enum Kind {
            Literal,
            Field,
            Sequence,
            Record,
            InRecord,
            Quantity,
            Serial,
            Date,
            Time,
            Question
        } kind = Literal;
        QString text;    // a literal, or the field's name
        QString written; // the name as written, format and fallback included
        int field = -1;  // the field's index once bound
        long offset = 0; // labels for ${N}; days (or months) for ${data}
        int width = 0;
        bool months = false;
        QString format;   // as written after the colon
        QString fallback; // after the bar; null when there is none. A question's answer
    };
    static QString special(const Part& part, const LabelNumbers& numbers, const QDateTime& now);
    // A field's value in the part's format; the value as text when the format does not fit it.
    static QString formatted(const QVariant& value, const Part& part);

    // Leaves out, as a text is built, the lines whose fields are all empty.
    class LineCloser {
    public:
        explicit LineCloser(bool active)
            : m_active(active) {}
        void literal(QString& text, const QString& literal);
        void field(const QString& value) {
            m_fields = true;
            m_empty = m_empty && value.trimmed().isEmpty();
        }
        void value() { m_empty = false; }
        void end(QString& text);

    private:
        bool closes() const { return m_active && m_fields && m_empty; }
        bool m_active;
        qsizetype m_lineStart = 0;
        bool m_fields = false;
        bool m_empty = true;
    };

    std::vector<Part> m_parts;
    bool m_hasPlaceholders = false;
    bool m_multiLine = false;
};
