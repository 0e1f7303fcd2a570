// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/fontchoice.h"
#include "common/widgets/widgetmessageservice.h"

#include <QApplication>
#include <QFontDialog>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The real dialog, opened on an element's font and closed with OK at once.
TEST(FontDialogRoundTrip, OkWithoutChangesChangesNothing) {
    for (const int style : {0, 1, 2, 3})
        for (const char* family : {"Arial", "Times New Roman", "DejaVu Sans"}) {
            const bool bold = style & 1, italic = style & 2;
            SCOPED_TRACE(std::string(family) + (bold ? " bold" : "") + (italic ? " italic" : ""));
            QFont initial(QString::fromLatin1(family));
            initial.setPointSizeF(12);
            initial.setBold(bold);
            initial.setItalic(italic);
            QFont shown;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(dialog, nullptr);
                shown = dialog->currentFont();
                dialog->accept();
            });
            const auto chosen = WidgetMessageService().chooseFont(initial, u"Imposta carattere"_s);
            ASSERT_TRUE(chosen);
            EXPECT_EQ(chosen->family(), initial.family());
            EXPECT_EQ(chosen->bold(), bold);
            EXPECT_EQ(chosen->italic(), italic);
            EXPECT_EQ(chosen->pointSizeF(), 12);
            // The dialog showed the element's style, not the family's first one.
            EXPECT_EQ(shown.bold(), bold) << shown.styleName().toStdString();
            EXPECT_EQ(shown.italic(), italic);
        }
}

TEST(FontChoice, AChangedStyleIsTakenFromWeightAndSlant) {
    QFont initial(u"Arial"_s);
    initial.setPointSizeF(10);
    QFont bolder = fontchoice::dialogFont(initial);
    bolder.setWeight(QFont::Bold);
    const QFont chosen = fontchoice::chosenFont(initial, bolder);
    EXPECT_TRUE(chosen.bold());
    EXPECT_FALSE(chosen.italic());
    EXPECT_EQ(chosen.family(), u"Arial"); // the name the label file keeps
}

} // namespace
