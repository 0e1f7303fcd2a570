// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// Looks at XML text before the reader gets it, and says what the reader should never be given:
// a tag with more attributes than any spreadsheet writes, or one token (a tag, a text, a
// comment, an instruction, a CDATA section) longer than the most a cell holds. Qt's reader
// holds a token whole, rereads it at each new piece and compares a tag's attributes with each
// other, so such tokens would cost memory and time without end.
class XmlGuard {
public:
    static constexpr qsizetype MostTokenCharacters = 48 * 1024;
    static constexpr int MostAttributes = 256;

    // Follows the text; the reason to refuse it, empty while it is fine.
    QString follow(QStringView text);

private:
    enum class State { Text, Open, Tag, Quoted, Markup };
    State m_state = State::Text;
    QChar m_quote;
    QString m_end;     // what closes the markup under way ("-->", "?>", "]]>", ">")
    QString m_opening; // the characters after "<!" or "<?", to learn which markup it is
    QString m_tail;    // the last characters, to find m_end across pieces
    qsizetype m_length = 0;
    int m_attributes = 0;
};
