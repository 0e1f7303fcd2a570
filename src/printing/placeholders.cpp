// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/placeholders.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace {

// "data", "data+5", "data-1", "data+6M": today moved by days or months.
const QRegularExpression& dateName() {
    static const QRegularExpression date(QStringLiteral(R"(^data(?:([+-]\d{1,4})(M?))?$)"));
    return date;
}

// The number of decimals of a ",2" format; nothing for other formats.
std::optional<int> decimals(const QString& format) {
    static const QRegularExpression number(QStringLiteral(R"(^,(\d)$)"));
    const auto m = number.match(format);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toInt();
}

} // namespace

QDateTime printingNow() {
    const QString fixed = qEnvironmentVariable("MARVELLO_TODAY").trimmed();
    if (!fixed.isEmpty()) {
        QDateTime when = QDateTime::fromString(fixed, Qt::ISODate);
        if (!when.isValid())
            when = QDateTime(QDate::fromString(fixed, Qt::ISODate), QTime(0, 0));
        if (when.isValid())
            return when;
    }
    return QDateTime::currentDateTime();
}

TextTemplate::TextTemplate(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral(R"(\$\{([^{}]+)\})"));
    static const QRegularExpression sequence(
        QStringLiteral(R"(^(N|R|Q|Qtot|P)(?:\+(\d{1,9}))?(?::(\d{1,2}))?$)"));
    qsizetype done = 0;
    auto match = placeholder.globalMatch(text);
    while (match.hasNext()) {
        const auto m = match.next();
        Part part;
        QString name = m.captured(1).trimmed();
        part.written = name;
        if (name.startsWith(u'?') && name.size() > 1) {
            part.kind = Part::Question;
            part.text = name.mid(1).trimmed();
        } else if (const auto s = sequence.match(name); s.hasMatch()) {
            const QString which = s.captured(1);
            part.kind = which == u"N"   ? Part::Sequence
                        : which == u"R" ? Part::Record
                        : which == u"Q" ? Part::InRecord
                        : which == u"P" ? Part::Serial
                                        : Part::Quantity;
            part.text = name;
            part.offset = s.captured(2).toLong();
            part.width = s.captured(3).toInt();
        } else {
            // What follows a bar is printed for an empty field; what follows a colon is the
            // format.
            if (const qsizetype bar = name.indexOf(u'|'); bar >= 0) {
                part.fallback = name.mid(bar + 1);
                if (part.fallback.isNull())
                    part.fallback = QLatin1String("");
                name = name.left(bar).trimmed();
            }
            if (const qsizetype colon = name.indexOf(u':'); colon >= 0) {
                part.format = name.mid(colon + 1);
                name = name.left(colon).trimmed();
            }
            if (const auto d = dateName().match(name); d.hasMatch() && part.fallback.isNull()) {
                part.kind = Part::Date;
                part.offset = d.captured(1).toLong();
                part.months = !d.captured(2).isEmpty();
            } else if (name == u"ora" && part.fallback.isNull()) {
                part.kind = Part::Time;
            } else {
                part.kind = Part::Field;
                part.text = name;
            }
        }
        if (m.capturedStart() > done)
            m_parts.push_back({Part::Literal, text.mid(done, m.capturedStart() - done)});
        m_parts.push_back(part);
        done = m.capturedEnd();
        m_hasPlaceholders = true;
    }
    if (done < text.size())
        m_parts.push_back({Part::Literal, text.mid(done)});
    // Only texts of several lines close up: a one-line text prints as it always did.
    m_multiLine = text.contains(u'\n');
}

void TextTemplate::LineCloser::literal(QString& text, const QString& literal) {
    qsizetype from = 0;
    for (qsizetype at = literal.indexOf(u'\n'); at >= 0; at = literal.indexOf(u'\n', from)) {
        text += literal.mid(from, at - from);
        if (closes()) {
            text.truncate(m_lineStart);
        } else {
            text += u'\n';
        }
        m_lineStart = text.size();
        m_fields = false;
        m_empty = true;
        from = at + 1;
    }
    text += literal.mid(from);
}

void TextTemplate::LineCloser::end(QString& text) {
    if (!closes())
        return;
    text.truncate(m_lineStart);
    // The last line left out: so is the break before it.
    if (text.endsWith(u'\n'))
        text.chop(1);
}

bool TextTemplate::usesSerials() const {
    return std::any_of(m_parts.begin(), m_parts.end(),
                       [](const Part& part) { return part.kind == Part::Serial; });
}

QStringList TextTemplate::questions() const {
    QStringList names;
    for (const Part& part : m_parts)
        if (part.kind == Part::Question)
            names << part.text;
    return names;
}

void TextTemplate::answer(const QMap<QString, QString>& answers) {
    for (Part& part : m_parts) {
        if (part.kind != Part::Question)
            continue;
        part.fallback.clear();
        for (auto it = answers.begin(); it != answers.end(); ++it)
            if (it.key().compare(part.text, Qt::CaseInsensitive) == 0)
                part.fallback = it.value();
    }
}

bool TextTemplate::namesField(const QString& name) {
    const TextTemplate text(QStringLiteral("${%1}").arg(name));
    return text.m_parts.size() == 1 && text.m_parts[0].kind == Part::Field &&
           text.m_parts[0].text == name;
}

QStringList TextTemplate::bind(const std::vector<FieldInfo>* fields) {
    QStringList unknown;
    for (Part& part : m_parts) {
        // Labels made before formats and fallbacks may name a field "Tel:Casa": that field.
        if (part.kind == Part::Field && part.written != part.text && fields &&
            std::any_of(fields->begin(), fields->end(), [&](const FieldInfo& field) {
                return field.name.compare(part.written, Qt::CaseInsensitive) == 0;
            })) {
            part.text = part.written;
            part.format.clear();
            part.fallback = QString();
        }
        // Labels made before ${R}, ${Q}, ${Qtot} and ${P} meant a field of that name.
        if ((part.kind == Part::Record || part.kind == Part::InRecord ||
             part.kind == Part::Quantity || part.kind == Part::Serial) &&
            fields && std::any_of(fields->begin(), fields->end(), [&](const FieldInfo& field) {
                return field.name.compare(part.text, Qt::CaseInsensitive) == 0;
            }))
            part.kind = Part::Field;
        if (part.kind != Part::Field)
            continue;
        part.field = -1;
        for (std::size_t i = 0; fields && i < fields->size() && part.field < 0; ++i) {
            if ((*fields)[i].name.compare(part.text, Qt::CaseInsensitive) == 0)
                part.field = int(i);
        }
        if (part.field < 0)
            unknown << part.text;
    }
    return unknown;
}

QString TextTemplate::special(const Part& part, const LabelNumbers& numbers, const QDateTime& now) {
    // Month and day names in Italian, whatever the regional settings.
    static const QLocale italian(QLocale::Italian, QLocale::Italy);
    const auto counted = [&](long number) {
        return QStringLiteral("%1").arg(number + part.offset, part.width, 10, QChar(u'0'));
    };
    switch (part.kind) {
    case Part::Sequence:
        return counted(numbers.label);
    case Part::Record:
        return counted(numbers.record);
    case Part::InRecord:
        return counted(numbers.inRecord);
    case Part::Quantity:
        return counted(numbers.ofRecord);
    case Part::Serial:
        return counted(numbers.serial);
    case Part::Question:
        return part.fallback;
    case Part::Date: {
        const QDate today = now.date();
        const QDate date =
            part.months ? today.addMonths(int(part.offset)) : today.addDays(part.offset);
        return italian.toString(date,
                                part.format.isEmpty() ? QStringLiteral("dd/MM/yyyy") : part.format);
    }
    case Part::Time:
        return italian.toString(now.time(),
                                part.format.isEmpty() ? QStringLiteral("HH:mm") : part.format);
    default:
        return {};
    }
}

QString TextTemplate::formatted(const QVariant& value, const Part& part) {
    static const QLocale italian = [] {
        QLocale locale(QLocale::Italian, QLocale::Italy);
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale;
    }();
    if (value.isNull() || !value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDateTime:
    case QMetaType::QDate:
        return italian.toString(value.toDateTime(), part.format);
    case QMetaType::QTime:
        return italian.toString(value.toTime(), part.format);
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        if (const auto places = decimals(part.format))
            return italian.toString(value.toDouble(), 'f', *places);
        break;
    default:
        break;
    }
    // A number or a date written as text (a CSV's) takes its format too.
    const QString text = value.toString().trimmed();
    if (const auto places = decimals(part.format)) {
        // As Italians write it ("1.250,5"), else with a decimal point ("12.5").
        bool number = false;
        double read = italian.toDouble(text, &number);
        if (!number)
            read = QLocale::c().toDouble(text, &number);
        if (number)
            return italian.toString(read, 'f', *places);
    } else {
        for (const QString& written :
             {QStringLiteral("yyyy-MM-dd"), QStringLiteral("dd/MM/yyyy")}) {
            if (const QDate date = QDate::fromString(text.left(10), written); date.isValid())
                return italian.toString(date, part.format);
        }
    }
    return value.toString();
}
