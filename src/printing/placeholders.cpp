// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/placeholders.h"

#include <QRegularExpression>

TextTemplate::TextTemplate(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral(R"(\$\{([^{}]+)\})"));
    static const QRegularExpression sequence(
        QStringLiteral(R"(^N(?:\+(\d{1,9}))?(?::(\d{1,2}))?$)"));
    qsizetype done = 0;
    auto match = placeholder.globalMatch(text);
    while (match.hasNext()) {
        const auto m = match.next();
        Part part;
        const QString name = m.captured(1).trimmed();
        if (const auto s = sequence.match(name); s.hasMatch()) {
            part.kind = Part::Sequence;
            part.offset = s.captured(1).toLong();
            part.width = s.captured(2).toInt();
        } else if (name == u"data") {
            part.kind = Part::Date;
        } else if (name == u"ora") {
            part.kind = Part::Time;
        } else {
            part.kind = Part::Field;
            part.text = name.trimmed();
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

bool TextTemplate::namesField(const QString& name) {
    const TextTemplate text(QStringLiteral("${%1}").arg(name));
    return text.m_parts.size() == 1 && text.m_parts[0].kind == Part::Field &&
           text.m_parts[0].text == name;
}

QStringList TextTemplate::bind(const std::vector<FieldInfo>* fields) {
    QStringList unknown;
    for (Part& part : m_parts) {
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

QString TextTemplate::special(const Part& part, long sequence, const QDateTime& now) {
    switch (part.kind) {
    case Part::Sequence:
        return QStringLiteral("%1").arg(sequence + part.offset, part.width, 10, QChar(u'0'));
    case Part::Date:
        return now.date().toString(QStringLiteral("dd/MM/yyyy"));
    case Part::Time:
        return now.time().toString(QStringLiteral("HH:mm"));
    default:
        return {};
    }
}
