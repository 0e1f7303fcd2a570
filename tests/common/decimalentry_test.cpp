// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/colors.h"
#include "common/widgets/decimalentry.h"
#include "support/recordingmessages.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class DecimalEntryTest : public ::testing::Test {
protected:
    DecimalEntryTest() {
        auto* layout = new QVBoxLayout(&dialog);
        field = new QLineEdit(&dialog);
        other = new QLineEdit(&dialog);
        layout->addWidget(field);
        layout->addWidget(other);
        DecimalEntry::install(field);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        field->setFocus();
        QCoreApplication::processEvents();
    }

    // Puts text and caret (or a selection) in the field, then presses one key.
    void press(const QString& text, int caret, Qt::Key key, int selection = 0) {
        field->setText(text);
        if (selection > 0)
            field->setSelection(caret, selection);
        else
            field->setCursorPosition(caret);
        QTest::keyClick(field, key);
    }
    void type(const QString& text, int caret, char character, int selection = 0) {
        field->setText(text);
        if (selection > 0)
            field->setSelection(caret, selection);
        else
            field->setCursorPosition(caret);
        QTest::keyClicks(field, QString(QChar(character)));
    }

    void expect(const char* text, int caret) const {
        EXPECT_EQ(field->text(), QString::fromUtf8(text));
        EXPECT_EQ(field->cursorPosition(), caret);
    }

    RecordingMessages messages;
    QDialog dialog;
    QLineEdit* field;
    QLineEdit* other;
};

TEST_F(DecimalEntryTest, PointActsAsCommaAppendingDecimalsOrJumpingBehindTheComma) {
    type(QStringLiteral("12"), 2, '.');
    expect("12,000", 3);
    type(QStringLiteral("12,000"), 0, '.');
    expect("12,000", 3);
    type(QString(), 0, ',');
    expect(",000", 1);
    EXPECT_EQ(messages.beeps, 0);
}

TEST_F(DecimalEntryTest, AFullFieldRefusesIntegerDigitsButShiftsDecimals) {
    type(QStringLiteral("99.999,000"), 2, '5');
    expect("99.999,000", 2);
    EXPECT_EQ(messages.beeps, 1);
    type(QStringLiteral("99.999,000"), 7, '1');
    expect("99.999,100", 8);
    type(QStringLiteral("99.999,100"), 8, '2');
    expect("99.999,120", 9);
    // Backspace, Delete and the comma still work on a full field.
    press(QStringLiteral("99.999,000"), 6, Qt::Key_Backspace);
    expect("9.999,000", 5);
    EXPECT_EQ(messages.beeps, 1);
}

TEST_F(DecimalEntryTest, DigitsInsertAndKeepTheGroupingAndTheCaretInPlace) {
    type(QStringLiteral("234,000"), 3, '1');
    expect("2.341,000", 5);
    type(QStringLiteral("1.234,000"), 5, '5');
    expect("12.345,000", 6);
    type(QStringLiteral("12,000"), 3, '5');
    expect("12,500", 4);
    type(QString(), 0, '5');
    expect("5,000", 1);
    type(QStringLiteral("1.234,500"), 0, '7', 9);
    expect("7,000", 1);
    // A selection across the comma takes no digit.
    type(QStringLiteral("1.234,500"), 4, '7', 3);
    EXPECT_EQ(field->text(), u"1.234,500");
    EXPECT_EQ(messages.beeps, 1);
}

TEST_F(DecimalEntryTest, BackspaceRemovesTheDigitBeforeTheCaretOrBeforeTheComma) {
    press(QStringLiteral("123,000"), 3, Qt::Key_Backspace);
    expect("12,000", 2);
    press(QStringLiteral("1.234,000"), 5, Qt::Key_Backspace);
    expect("123,000", 3);
    // Next to the comma: the digit before the comma goes, the comma stays.
    press(QStringLiteral("12,000"), 3, Qt::Key_Backspace);
    expect("1,000", 1);
    press(QStringLiteral("1.234,000"), 6, Qt::Key_Backspace);
    expect("123,000", 3);
    // With only the comma before the caret nothing goes.
    press(QStringLiteral(",500"), 1, Qt::Key_Backspace);
    expect(",500", 0);
    // At the start: only a fully selected text is cleared.
    press(QStringLiteral("12,000"), 0, Qt::Key_Backspace, 6);
    EXPECT_EQ(field->text(), u",000");
    press(QStringLiteral("12,000"), 0, Qt::Key_Backspace);
    expect("12,000", 0);
    // A decimal digit removed is replaced by a trailing zero.
    press(QStringLiteral("12,345"), 5, Qt::Key_Backspace);
    expect("12,350", 4);
}

TEST_F(DecimalEntryTest, DeleteKeepsTheCountOfDecimals) {
    // Over a selection holding the comma, the selected decimals come back as zeros.
    press(QStringLiteral("1.234,567"), 4, Qt::Key_Delete, 3);
    expect("123,067", 3);
    // On the comma: the comma stays, the first decimal goes.
    press(QStringLiteral("12,345"), 2, Qt::Key_Delete);
    expect("12,450", 3);
    press(QStringLiteral("1.234,000"), 0, Qt::Key_Delete);
    expect("234,000", 0);
    press(QStringLiteral("12.345,000"), 1, Qt::Key_Delete);
    expect("1.345,000", 1);
    // Everything selected leaves the zero value.
    press(QStringLiteral("12,345"), 0, Qt::Key_Delete, 6);
    EXPECT_EQ(field->text(), u",000");
    EXPECT_EQ(messages.beeps, 0);
}

TEST_F(DecimalEntryTest, MinusOnlyAtTheStartAndOnce) {
    type(QStringLiteral("12,000"), 0, '-');
    EXPECT_EQ(field->text(), u"-12,000");
    type(QStringLiteral("12,000"), 2, '-');
    EXPECT_EQ(field->text(), u"12,000");
    type(QStringLiteral("-12,000"), 0, '-');
    EXPECT_EQ(field->text(), u"-12,000");
    EXPECT_EQ(messages.beeps, 2);
}

TEST_F(DecimalEntryTest, OtherCharactersOnlyBeep) {
    for (const char c : {'a', 'Z', ' ', '+', '/'})
        type(QStringLiteral("12,000"), 2, c);
    EXPECT_EQ(field->text(), u"12,000");
    EXPECT_EQ(messages.beeps, 5);
    // Moving the caret is no character.
    press(QStringLiteral("12,000"), 2, Qt::Key_Left);
    EXPECT_EQ(field->cursorPosition(), 1);
    EXPECT_EQ(messages.beeps, 5);
}

TEST_F(DecimalEntryTest, PastingMoreThanTenCharactersIsRefused) {
    field->setText(QStringLiteral("1,000"));
    field->selectAll();
    field->insert(QStringLiteral("123456789012"));
    EXPECT_EQ(field->text(), u"1,000");
}

TEST_F(DecimalEntryTest, EnteringSelectsAndHighlightsLeavingFormats) {
    other->setFocus();
    field->setText(QStringLiteral("abc"));
    field->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(field->selectedText(), u"abc");
    EXPECT_EQ(field->palette().color(QPalette::Base), colors::toQColor(colors::Yellow));
    other->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(field->text(), u"0,000"); // pasted letters are no number
    EXPECT_EQ(field->palette().color(QPalette::Base), QColor(Qt::white));

    for (const auto& [typed, shown] : {std::pair{"-2,5", "-2,500"},
                                       {"", "0,000"},
                                       {"1234567", "1.234.567,000"},
                                       {",5", "0,500"}}) {
        field->setFocus();
        field->setText(QString::fromUtf8(typed));
        other->setFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(field->text(), QString::fromUtf8(shown)) << typed;
    }
}

TEST(DecimalFormats, WithAndWithoutLeadingZero) {
    EXPECT_EQ(decimalentry::formatWithZero(0), u"0,000");
    EXPECT_EQ(decimalentry::formatWithZero(0.5), u"0,500");
    EXPECT_EQ(decimalentry::reformat(QStringLiteral("0")), u",000");
    EXPECT_EQ(decimalentry::reformat(QStringLiteral("-0,5")), u"-,500");
    EXPECT_EQ(decimalentry::reformat(QStringLiteral("1.2345,0")), u"12.345,000");
    EXPECT_EQ(decimalentry::reformat(QStringLiteral("-")), u"-");
}

} // namespace
