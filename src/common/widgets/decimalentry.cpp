// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/widgets/decimalentry.h"

#include "common/colors.h"
#include "common/messageservice.h"
#include "common/numbers.h"
#include "common/regionalsettings.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace {

constexpr int DefaultMaximumLength = 10;
constexpr int Backspace = 8;

// Limits what the user types or pastes; texts the editor sets itself may be longer, as a
// layout value can be (1.234.567,000).
class LengthLimit : public QValidator {
public:
    LengthLimit(int limit, QObject* parent)
        : QValidator(parent)
        , limit(limit) {}
    State validate(QString& input, int&) const override {
        return input.size() <= limit ? Acceptable : Invalid;
    }
    const int limit;
};

int maximumLength(const QLineEdit* txt) {
    const auto* limit = dynamic_cast<const LengthLimit*>(txt->validator());
    return limit ? limit->limit : txt->maxLength();
}

QChar decimalMark() {
    return RegionalSettings::decimalSeparator();
}
QChar groupMark() {
    return RegionalSettings::groupSeparator();
}

void beep() {
    MessageService::current().beep();
}

void setBackground(QLineEdit* txt, qint32 colour) {
    QPalette palette = txt->palette();
    palette.setColor(QPalette::Base, colors::toQColor(colour));
    txt->setPalette(palette);
}

void show(QLineEdit* txt, const QString& text, int caret) {
    txt->setText(text);
    txt->setCursorPosition(std::clamp(caret, 0, int(text.size())));
}

// "###,###,##0.000" applied to a text: numbers are formatted, anything else stays.
QString formatTextWithZero(const QString& text) {
    const auto value = numbers::parseRegional(text);
    return value ? decimalentry::formatWithZero(*value) : text;
}

void backspace(QLineEdit* txt, QString text, int caret, int selected) {
    const int length = int(text.size());
    if (caret == 0) {
        if (length > 0 && selected == length)
            show(txt, decimalentry::reformat(QStringLiteral("0")), 0);
        return;
    }
    if (text[caret - 1] == decimalMark()) {
        // Next to the comma the digit before it goes; the comma stays.
        if (caret > 1) {
            text.remove(caret - 2, 1);
            --caret;
        }
    } else {
        text.remove(caret - 1, 1);
    }
    text = decimalentry::reformat(text);
    const int newLength = int(text.size());
    if (newLength > length)
        caret += 1;
    else if (newLength == length - 2)
        caret -= 2;
    else
        caret -= 1;
    if (text.startsWith(QString(u'-') + groupMark())) {
        text = u'-' + text.mid(2);
        caret = 1;
    }
    if (text.startsWith(groupMark()))
        text.remove(0, 1);
    show(txt, text, caret);
}

void comma(QLineEdit* txt, QString text) {
    const qsizetype existing = text.indexOf(decimalMark());
    if (existing >= 0) {
        txt->setCursorPosition(int(existing) + 1);
        return;
    }
    text = decimalentry::reformat(text + decimalMark() + QStringLiteral("000"));
    show(txt, text, int(text.indexOf(decimalMark())) + 1);
}

void deleteKey(QLineEdit* txt, QString text, int caret, int selected) {
    const int length = int(text.size());
    bool commaSelected = false;
    int selectedAfterComma = 0;
    int groupsOutside = 0;
    for (int i = 0; i < length; ++i) {
        const bool inSelection = selected > 0 && i >= caret && i < caret + selected;
        if (inSelection && text[i] == decimalMark()) {
            commaSelected = true;
            selectedAfterComma = caret + selected - i - 1;
        } else if (!inSelection && text[i] == groupMark()) {
            ++groupsOutside;
        }
    }
    if (selected == 0) {
        if (caret < length && text[caret] == decimalMark()) {
            // The comma stays; the first decimal goes.
            if (caret + 1 < length)
                text.remove(caret + 1, 1);
            ++caret;
        } else if (caret < length) {
            text.remove(caret, 1);
        }
    } else {
        text.remove(caret, selected);
        // Keep the count of decimals: the selected ones come back as zeros.
        if (commaSelected)
            text.insert(caret, decimalMark() + QString(selectedAfterComma, u'0'));
    }
    if (text.startsWith(QString(u'-') + groupMark())) {
        text = u'-' + text.mid(2);
        ++caret;
    }
    if (text.startsWith(groupMark()))
        text.remove(0, 1);
    if (text == QString(decimalMark()))
        text = decimalMark() + QStringLiteral("000");
    text = decimalentry::reformat(text);
    const int groupsNow = int(text.count(groupMark()));
    show(txt, text, std::max(0, caret - (groupsOutside - groupsNow)));
}

bool digit(QLineEdit* txt, const QString& text, int caret, int selected, QChar typed) {
    const int length = int(text.size());
    if (length == 0 || selected == length) {
        show(txt, decimalentry::formatWithZero(typed.digitValue()), 1);
        return true;
    }
    if (selected > 0 && txt->selectedText().contains(decimalMark())) {
        beep();
        return true;
    }
    QString raw = text;
    raw.replace(caret, selected, typed);
    const int rawLength = int(raw.size());
    const QString formatted = formatTextWithZero(raw);
    int newCaret = caret + 1;
    const int formattedLength = int(formatted.size());
    if (newCaret < formattedLength - 3) {
        if (formattedLength > rawLength)
            ++newCaret;
        else if (formattedLength < rawLength)
            --newCaret;
    }
    show(txt, formatted, newCaret);
    return true;
}

} // namespace

namespace decimalentry {

QString formatWithZero(double value) {
    return FormatNumero(value, 3);
}

QString reformat(const QString& text) {
    const auto value = numbers::parseRegional(text);
    if (!value)
        return text;
    QString formatted = FormatNumero(*value, 3);
    const QString zero = QStringLiteral("0") + decimalMark();
    if (formatted.startsWith(zero))
        formatted.remove(0, 1);
    else if (formatted.startsWith(u'-' + zero))
        formatted.remove(1, 1);
    return formatted;
}

} // namespace decimalentry

void GotFocus_Numero(QLineEdit* txt) {
    setBackground(txt, colors::Yellow);
    if (!txt->text().trimmed().isEmpty()) {
        txt->selectAll();
        // A click that gave the focus would place the caret after this; select once it is done.
        QMetaObject::invokeMethod(txt, &QLineEdit::selectAll, Qt::QueuedConnection);
    }
}

bool KeyDown_Numero(QLineEdit* txt, const QKeyEvent* event) {
    if (event->key() != Qt::Key_Delete)
        return false;
    KeyPress_Numero(txt, decimalentry::DeleteKey);
    return true;
}

bool KeyPress_Numero(QLineEdit* txt, int keyAscii) {
    if (keyAscii == '.')
        keyAscii = decimalMark().unicode();
    const QString text = txt->text();
    const int length = int(text.size());
    const int selected = int(txt->selectedText().size());
    const int caret = txt->hasSelectedText() ? txt->selectionStart() : txt->cursorPosition();

    const bool editsAroundComma = keyAscii == Backspace || keyAscii == decimalentry::DeleteKey ||
                                  keyAscii == decimalMark().unicode();
    if (length >= maximumLength(txt) && selected == 0 && caret < length - 3 && !editsAroundComma) {
        beep();
        return true;
    }
    if (keyAscii == Backspace) {
        backspace(txt, text, caret, selected);
        return true;
    }
    if (keyAscii == decimalMark().unicode()) {
        comma(txt, text);
        return true;
    }
    if (keyAscii == decimalentry::DeleteKey) {
        deleteKey(txt, text, caret, selected);
        return true;
    }
    if (keyAscii >= '0' && keyAscii <= '9')
        return digit(txt, text, caret, selected, QChar(keyAscii));
    if (keyAscii == '-' && caret == 0 && !text.startsWith(u'-'))
        return false; // the field inserts it
    beep();
    return true;
}

void LostFocus_Numero(QLineEdit* txt) {
    txt->setText(decimalentry::formatWithZero(ValoreNumerico(txt->text())));
    setBackground(txt, colors::White);
    if (txt->text().trimmed().isEmpty())
        txt->setText(decimalentry::formatWithZero(0));
}

DecimalEntry::DecimalEntry(QLineEdit* field)
    : QObject(field) {
    field->setMaxLength(32767);
    field->setValidator(new LengthLimit(DefaultMaximumLength, field));
    field->installEventFilter(this);
}

DecimalEntry* DecimalEntry::install(QLineEdit* field) {
    return new DecimalEntry(field); // owned by the field
}

bool DecimalEntry::eventFilter(QObject* watched, QEvent* event) {
    auto* txt = qobject_cast<QLineEdit*>(watched);
    if (!txt)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        GotFocus_Numero(txt);
        break;
    case QEvent::FocusOut:
        LostFocus_Numero(txt);
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (KeyDown_Numero(txt, key))
            return true;
        if (key->key() == Qt::Key_Backspace)
            return KeyPress_Numero(txt, Backspace);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
            return false;
        default:
            break;
        }
        if (key->text().isEmpty())
            return false; // caret movement and the like
        return KeyPress_Numero(txt, key->text().front().unicode());
    }
    default:
        break;
    }
    return false;
}
