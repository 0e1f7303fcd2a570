// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/colors.h"
#include "common/widgets/decimalentry.h"
#include "support/recordingmessages.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class DecimalEntryTest : public ::testing::Test {
protected:
    DecimalEntryTest() {
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(field);
        layout->addWidget(other);
        DecimalEntry::install(field);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        field->setFocus();
        QCoreApplication::processEvents();
    }

    RecordingMessages messages;
    QDialog dialog;
    QLineEdit* field = new QLineEdit(&dialog);
    QLineEdit* other = new QLineEdit(&dialog);
};

// One key on a field holding `before` with the caret at `caret` (or `selected` characters
// selected from there): the text and caret after it, and whether it beeped.
struct Keystroke {
    const char* before;
    int caret;
    int selected;
    int key; // a character, or a Qt::Key
    const char* after;
    int caretAfter; // -1: not checked
    bool beeps;
};

TEST_F(DecimalEntryTest, KeysEditInPlaceLongPastesAreRefusedAndLeavingFormats) {
    const Keystroke keys[] = {
        // The point acts as the comma: appends decimals or jumps behind the comma.
        {"12", 2, 0, '.', "12,000", 3, false},
        {"12,000", 0, 0, '.', "12,000", 3, false},
        {"", 0, 0, ',', ",000", 1, false},
        // A full field refuses integer digits but shifts decimals; Backspace still works.
        {"99.999,000", 2, 0, '5', "99.999,000", 2, true},
        {"99.999,000", 7, 0, '1', "99.999,100", 8, false},
        {"99.999,000", 6, 0, Qt::Key_Backspace, "9.999,000", 5, false},
        // Digits insert, keeping the grouping and the caret in place.
        {"234,000", 3, 0, '1', "2.341,000", 5, false},
        {"1.234,000", 5, 0, '5', "12.345,000", 6, false},
        {"12,000", 3, 0, '5', "12,500", 4, false},
        {"", 0, 0, '5', "5,000", 1, false},
        {"1.234,500", 0, 9, '7', "7,000", 1, false},
        {"1.234,500", 4, 3, '7', "1.234,500", -1, true}, // a selection across the comma
        // Backspace: the digit before the caret, or before the comma; never the comma.
        {"123,000", 3, 0, Qt::Key_Backspace, "12,000", 2, false},
        {"1.234,000", 5, 0, Qt::Key_Backspace, "123,000", 3, false},
        {"12,000", 3, 0, Qt::Key_Backspace, "1,000", 1, false},
        {"1.234,000", 6, 0, Qt::Key_Backspace, "123,000", 3, false},
        {",500", 1, 0, Qt::Key_Backspace, ",500", 0, false},
        {"12,000", 0, 6, Qt::Key_Backspace, ",000", -1, false},
        {"12,000", 0, 0, Qt::Key_Backspace, "12,000", 0, false},
        {"12,345", 5, 0, Qt::Key_Backspace, "12,350", 4, false}, // a trailing zero comes back
        // Delete keeps the count of decimals.
        {"1.234,567", 4, 3, Qt::Key_Delete, "123,067", 3, false},
        {"12,345", 2, 0, Qt::Key_Delete, "12,450", 3, false},
        {"1.234,000", 0, 0, Qt::Key_Delete, "234,000", 0, false},
        {"12.345,000", 1, 0, Qt::Key_Delete, "1.345,000", 1, false},
        {"12,345", 0, 6, Qt::Key_Delete, ",000", -1, false},
        // The minus only at the start, once; other characters only beep.
        {"12,000", 0, 0, '-', "-12,000", -1, false},
        {"12,000", 2, 0, '-', "12,000", -1, true},
        {"-12,000", 0, 0, '-', "-12,000", -1, true},
        {"12,000", 2, 0, 'a', "12,000", 2, true},
        {"12,000", 2, 0, '/', "12,000", 2, true},
        {"12,000", 2, 0, Qt::Key_Left, "12,000", 1, false},
    };
    for (const Keystroke& k : keys) {
        SCOPED_TRACE(std::string(k.before) + " key " + std::to_string(k.key));
        field->setText(QString::fromUtf8(k.before));
        if (k.selected > 0)
            field->setSelection(k.caret, k.selected);
        else
            field->setCursorPosition(k.caret);
        const int beeps = messages.beeps;
        if (k.key < 128)
            QTest::keyClicks(field, QString(QChar(k.key)));
        else
            QTest::keyClick(field, Qt::Key(k.key));
        EXPECT_EQ(field->text(), QString::fromUtf8(k.after));
        if (k.caretAfter >= 0)
            EXPECT_EQ(field->cursorPosition(), k.caretAfter);
        EXPECT_EQ(messages.beeps > beeps, k.beeps);
    }
    // Pasting more than ten characters is refused.
    field->setText(u"1,000"_s);
    field->selectAll();
    field->insert(u"123456789012"_s);
    EXPECT_EQ(field->text(), u"1,000");

    // Entering selects and highlights, leaving formats.
    other->setFocus();
    field->setText(u"abc"_s);
    field->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(field->selectedText(), u"abc");
    EXPECT_EQ(field->palette().color(QPalette::Base), colors::toQColor(colors::Yellow));
    other->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(field->text(), u"0,000"); // pasted letters are no number
    EXPECT_EQ(field->palette().color(QPalette::Base), QColor(Qt::white));

    for (const auto& [typed, shown] :
         {std::pair{"-2,5", "-2,500"}, {"1234567", "1.234.567,000"}, {",5", "0,500"}}) {
        field->setFocus();
        field->setText(QString::fromUtf8(typed));
        other->setFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(field->text(), QString::fromUtf8(shown)) << typed;
    }
}

// Zero and leading zeros without a sign, and regrouping, are seen through the field above.
TEST(DecimalFormats, WithAndWithoutLeadingZero) {
    EXPECT_EQ(decimalentry::reformat(u"-0,5"_s), u"-,500");
    EXPECT_EQ(decimalentry::reformat(u"-"_s), u"-");
}

} // namespace
