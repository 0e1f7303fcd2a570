// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/fontchoice.h"
#include "common/widgets/widgetmessageservice.h"

#include <QApplication>
#include <QFontDialog>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Style {
    bool bold;
    bool italic;
};

void PrintTo(const Style& s, std::ostream* os) {
    *os << (s.bold ? "bold" : "regular") << (s.italic ? " italic" : "");
}

class FontDialogRoundTrip : public ::testing::TestWithParam<Style> {};

// The real dialog, opened on an element's font and closed with OK at once.
TEST_P(FontDialogRoundTrip, OkWithoutChangesChangesNothing) {
    for (const char* family : {"Arial", "Times New Roman", "DejaVu Sans"}) {
        QFont initial(QString::fromLatin1(family));
        initial.setPointSizeF(12);
        initial.setBold(GetParam().bold);
        initial.setItalic(GetParam().italic);
        QFont shown;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown = dialog->currentFont();
            dialog->accept();
        });
        WidgetMessageService service;
        const auto chosen = service.chooseFont(initial, u"Imposta carattere"_s);
        ASSERT_TRUE(chosen) << family;
        EXPECT_EQ(chosen->family(), initial.family());
        EXPECT_EQ(chosen->bold(), GetParam().bold) << family;
        EXPECT_EQ(chosen->italic(), GetParam().italic) << family;
        EXPECT_EQ(chosen->pointSizeF(), 12);
        // The dialog showed the element's style, not the family's first one.
        EXPECT_EQ(shown.bold(), GetParam().bold)
            << family << " " << shown.styleName().toStdString();
        EXPECT_EQ(shown.italic(), GetParam().italic) << family;
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, FontDialogRoundTrip,
                         ::testing::Values(Style{false, false}, Style{true, false},
                                           Style{false, true}, Style{true, true}));

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
