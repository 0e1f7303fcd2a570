// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/regionalsettings.h"

#include <gtest/gtest.h>

namespace {

// A system without regional settings (the C locale) gets Italy's: the decimal comma and the
// thousands point; other systems keep their own.
TEST(RegionalSettings, SystemWithoutRegionalSettingsGetsItalianConventions) {
    EXPECT_EQ(RegionalSettings::fromSystem(QLocale::c()),
              QLocale(QLocale::Italian, QLocale::Italy));
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(RegionalSettings::fromSystem(english), english);
}

} // namespace
