// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/regionalsettings.h"

#include <gtest/gtest.h>

namespace {

TEST(RegionalSettings, SystemWithoutRegionalSettingsGetsItalianConventions) {
    const QLocale fromC = RegionalSettings::fromSystem(QLocale::c());
    EXPECT_EQ(fromC.language(), QLocale::Italian);
    EXPECT_EQ(fromC.decimalPoint(), u",");
    EXPECT_EQ(fromC.groupSeparator(), u".");
}

TEST(RegionalSettings, OtherSystemsKeepTheirOwn) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(RegionalSettings::fromSystem(english), english);
}

} // namespace
