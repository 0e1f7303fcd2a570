// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/marginsettings.h"

#include "common/numbers.h"
#include "common/programfolders.h"
#include "common/regionalsettings.h"
#include "printcomponent/inifile.h"

namespace {
const char* const TopKey = "Margine superiore";
const char* const BottomKey = "Margine inferiore";
const char* const RightKey = "Margine destro";
const char* const LeftKey = "Margine sinistro";
constexpr units::Length DefaultMargin = units::Length::millimetres(3);

units::Length readMargin(const QString& settings, const char* key) {
    const double centimetres = ValoreNumerico(GetKeyIni(settings, QLatin1String(key)));
    return centimetres > 0 ? units::Length::centimetres(centimetres) : DefaultMargin;
}
} // namespace

PageMargins PageMargins::read() {
    const QString settings = programfolders::settingsFile();
    return {readMargin(settings, TopKey), readMargin(settings, BottomKey),
            readMargin(settings, RightKey), readMargin(settings, LeftKey)};
}

void PageMargins::save() const {
    QLocale locale = RegionalSettings::locale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString settings = programfolders::settingsFile();
    const auto write = [&](const char* key, units::Length margin) {
        SetKeyIni(settings, QLatin1String(key), locale.toString(margin.inCentimetres(), 'f', 2));
    };
    write(TopKey, top);
    write(BottomKey, bottom);
    write(RightKey, right);
    write(LeftKey, left);
}
