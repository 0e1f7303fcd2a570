// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/colors.h"
#include "common/widgets/fieldroutines.h"
#include "support/recordingmessages.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FieldRoutinesTest : public ::testing::Test {
protected:
    FieldRoutinesTest() {
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(first);
        layout->addWidget(second);
        FieldRoutines::install(first, FieldRoutines::Highlight | FieldRoutines::WholeNumbers);
        FieldRoutines::install(second, FieldRoutines::Highlight);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    RecordingMessages messages;
    QDialog dialog;
    QLineEdit* first = new QLineEdit(&dialog);
    QLineEdit* second = new QLineEdit(&dialog);
};

// Entering a field highlights, trims and selects it, leaving restores it; a whole number field
// takes digits and backspace only.
TEST_F(FieldRoutinesTest, EnteringLeavingAndTypingInTheFields) {
    second->setText(u"  12  "_s);
    second->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(second->palette().color(QPalette::Base), colors::toQColor(colors::Yellow));
    EXPECT_EQ(second->text(), u"12");
    EXPECT_EQ(second->selectedText(), u"12");

    second->setText(u"34 "_s);
    first->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(second->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(second->text(), u"34");
    // Leaving a disabled field shows the button face.
    second->setEnabled(false);
    LasciaCampo(second);
    EXPECT_EQ(second->palette().color(QPalette::Base), colors::toQColor(colors::ButtonFace));

    first->clear();
    QTest::keyClicks(first, u"1a2,3-"_s);
    EXPECT_EQ(first->text(), u"123");
    EXPECT_EQ(messages.beeps, 3);
    QTest::keyClick(first, Qt::Key_Backspace);
    EXPECT_EQ(first->text(), u"12");
    // Moving the caret types nothing and does not beep.
    QTest::keyClick(first, Qt::Key_Left);
    EXPECT_EQ(messages.beeps, 3);
}

TEST(Colours, StoredColoursAreRedInTheLowByte) {
    EXPECT_EQ(colors::toQColor(255), QColor(255, 0, 0));
    EXPECT_EQ(colors::toQColor(65535), QColor(255, 255, 0));
    EXPECT_EQ(colors::toQColor(0xFF0000), QColor(0, 0, 255));
    EXPECT_TRUE(colors::isSystemColour(colors::ButtonFace));
}

} // namespace
