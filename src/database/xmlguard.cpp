// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/xmlguard.h"

QString XmlGuard::follow(QStringView text) {
    for (const QChar c : text) {
        if (++m_length > MostTokenCharacters)
            return QStringLiteral("un elemento supera %1 caratteri").arg(MostTokenCharacters);
        switch (m_state) {
        case State::Text:
            if (c == u'<') {
                m_state = State::Open;
                m_length = 1;
            }
            break;
        case State::Open:
            if (c == u'!' || c == u'?') {
                m_state = State::Markup;
                m_end = c == u'?' ? QStringLiteral("?>") : QString();
                m_opening.clear();
                m_tail.clear();
                break;
            }
            m_state = State::Tag;
            m_attributes = 0;
            [[fallthrough]];
        case State::Tag:
            if (c == u'"' || c == u'\'') {
                m_state = State::Quoted;
                m_quote = c;
            } else if (c == u'=') {
                if (++m_attributes > MostAttributes)
                    return QStringLiteral("un elemento ha più di %1 attributi").arg(MostAttributes);
            } else if (c == u'>') {
                m_state = State::Text;
                m_length = 0;
            }
            break;
        case State::Quoted:
            if (c == m_quote)
                m_state = State::Tag;
            break;
        case State::Markup:
            if (m_end.isEmpty()) {
                // "<!--" a comment, "<![CDATA[" a section, anything else a declaration.
                m_opening += c;
                if (m_opening.front().toUpper() == u'D') // never in a spreadsheet
                    return QStringLiteral("dichiarazione di tipo di documento non ammessa");
                if (m_opening == u"--")
                    m_end = QStringLiteral("-->");
                else if (m_opening == u"[CDATA[")
                    m_end = QStringLiteral("]]>");
                else if (!QStringView(u"--").startsWith(m_opening) &&
                         !QStringView(u"[CDATA[").startsWith(m_opening))
                    m_end = QStringLiteral(">");
            }
            m_tail += c;
            if (m_tail.size() > 3)
                m_tail.remove(0, m_tail.size() - 3);
            if (!m_end.isEmpty() && m_tail.endsWith(m_end)) {
                m_state = State::Text;
                m_length = 0;
            }
            break;
        }
    }
    return {};
}
