// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/messageservice.h"
#include "common/widgets/widgetmessageservice.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(MessageService, ConsoleServiceGivesTheSafeAnswer) {
    ConsoleMessageService console;
    for (const auto& [buttons, safe] : {std::pair{QuestionButtons::YesNoCancel, Answer::Cancel},
                                        std::pair{QuestionButtons::YesNo, Answer::No}})
        EXPECT_EQ(console.question(u"Salvare?"_s, u"t"_s, buttons, MessageIcon::Question), safe);
    EXPECT_FALSE(console.chooseFile({}));
}

TEST(FileFilter, LabelProgramFiltersBecomeQtFilters) {
    const QString filter = QStringLiteral(
        "Tutti Files (*.*)|*.*|File ascii (*.eti)|*.eti|File di dati (*.csv *.ods)|*.csv;*.ods");
    // Split into names and patterns; "*.*" must list files without an extension too.
    EXPECT_EQ(WidgetMessageService::qtNameFilters(filter),
              QStringList({u"Tutti Files (*)"_s, u"File ascii (*.eti)"_s,
                           u"File di dati (*.csv *.ods)"_s})); // Qt splits on blanks
}

} // namespace
