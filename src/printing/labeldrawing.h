// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/picturecache.h"
#include "printing/placeholders.h"
#include "printing/printjob.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <set>
#include <vector>

class clsPressivo;
class LabelDocument;
class RecordCursor;
struct LabelElement;
struct LayoutEtichetta;

// The labels of one job as they are drawn: each element with its content for the current
// record (its field, or its text's placeholders filled in), through the one renderer. What
// cannot be printed is said once per element; a value a scanner would refuse stops the job.
// The questions a label's texts and barcodes ask (${?Lotto}), each once, in order.
QStringList questionsOf(const LabelDocument& document);
// The fields its elements print (their field, or those their texts and barcodes name), each
// once, in order; with the field that says how many labels a record gets.
QStringList fieldsOf(const LabelDocument& document);

class LabelDrawing {
public:
    LabelDrawing(LabelDocument& document, const RecordCursor* records);

    // Each field a text names that the records lack, as a message; empty when there is none.
    const QStringList& unknownFields() const { return m_unknown; }

    // The label's number in the job, from 1, and whether it has a record.
    long sequence = 0;
    // The label's numbers when each record prints its quantity; else the label's number and
    // its record's are the same, and each record has one label.
    std::optional<LabelNumbers> numbers;
    bool hasRecord = false;
    // Draws only the texts: a trial that counts the cut ones.
    bool textsOnly = false;

    // The serial number (${P}) of the job's first label; each label after it takes the next.
    long serialStart = 1;
    bool usesSerials() const;

    // The answers to the label's questions (${?Lotto}), for every label of the job.
    void setAnswers(const QMap<QString, QString>& answers);

    // Draws the label for the current record in column c and row r of the page.
    void drawLabel(clsPressivo& pressivo, int c, int r, const PrintJob& job);

    // Some element was left out (a symbol that cannot hold its value, a missing picture).
    bool leftOut() const { return m_leftOut; }
    // The cut texts of the job, as a message; nothing when every text fitted.
    QString cutTextsWarning() const;

private:
    // The label's elements, its crop marks and border, the label upright at the corner of its
    // place in column c and row r of the page's `layout`.
    void drawUpright(clsPressivo& pressivo, const LayoutEtichetta& layout, int c, int r,
                     const PrintJob& job);

    // What an element prints, decided once: its field's position, or its text's placeholders.
    struct Source {
        int field = -1;
        std::optional<TextTemplate> text;
    };

    void prepare(const LabelElement& e);

    // The field's value in the current record, as a label prints it.
    QString fieldValue(std::size_t index) const;
    // The field's value as the record types it (a date, a number, a text).
    QVariant typedFieldValue(std::size_t index) const;

    // The element's own value (its placeholders filled in), or its field of the current record.
    QString valueOf(const LabelElement& element, const QString& own) const;

    void drawElement(clsPressivo& pressivo, const LabelElement& e, const LayoutEtichetta& layout,
                     int c, int r);

    // A text that does not fit its box prints cut: the job says so once it is done (the
    // first such text and how many labels have one), without stopping.
    void noteCutText(const QString& text);

    // A value the symbology cannot hold is said once per element and job; the label prints
    // without that symbol.
    void reportUnencodable(const LabelElement& e, const QString& value, const QString& why);

    // A code a scanner would refuse or misread stops the job: a label that looks right and
    // does not scan is worse than none.
    void checkBarcode(const LabelElement& e, const QString& value) const;

    // A picture file that is not there is said once per element and job; the label prints
    // without it.
    void reportMissingPicture(const LabelElement& e, const QString& named);

    // The label's own pictures were decoded with the label; linked ones once per job.
    const QImage& picture(const LabelElement& element, const QString& path);

    LabelDocument& m_document;
    const RecordCursor* m_records;
    QString m_labelFolder;
    QDateTime m_now;
    std::map<const LabelElement*, Source> m_sources;
    QStringList m_unknown;
    PictureCache m_pictures;
    std::vector<const LabelElement*> m_drawOrder;
    std::set<QString> m_reported;
    bool m_leftOut = false;
    long m_cutLabels = 0;
    long m_lastCutLabel = 0;
    QString m_firstCut;
};
