// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/printersettings.h"

#include "common/programfolders.h"
#include "printcomponent/zploutput.h"

#include <QDir>
#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

double offset(const QSettings& settings, const char* key) {
    const double value = settings.value(QLatin1String(key)).toDouble();
    return std::isfinite(value)
               ? std::clamp(value, -printersettings::LargestOffset, printersettings::LargestOffset)
               : 0.0;
}

// One group a printer; a name QSettings would read as a path or a key is escaped by it.
// Printers' names are the same in any letter case, as CUPS takes them.
QString group(const QString& printer) {
    return (printer.isEmpty() ? printersettings::Files : printer).toLower();
}

} // namespace

int PrinterSettings::zplDotsPerInch() const {
    return dotsPerInch > 0 ? std::clamp(dotsPerInch, 72, zploutput::LargestDotsPerInch)
                           : zploutput::DefaultDotsPerInch;
}

namespace printersettings {

QString file() {
    return QDir(programfolders::base()).filePath(QStringLiteral("stampanti.ini"));
}

PrinterSettings read(const QString& printer) {
    QSettings settings(file(), QSettings::IniFormat);
    settings.beginGroup(group(printer));
    PrinterSettings read;
    read.offsetX = offset(settings, "OffsetX");
    read.offsetY = offset(settings, "OffsetY");
    read.zpl = settings.value(QStringLiteral("Linguaggio"))
                   .toString()
                   .compare(QStringLiteral("ZPL"), Qt::CaseInsensitive) == 0;
    read.dotsPerInch = std::clamp(settings.value(QStringLiteral("Risoluzione")).toInt(), 0,
                                  zploutput::LargestDotsPerInch);
    return read;
}

QPointF offsetFor(pressivo::Destination destination, const QString& printer) {
    if (destination != pressivo::Printer && destination != pressivo::File)
        return {};
    const PrinterSettings settings = read(destination == pressivo::Printer ? printer : Files);
    return {settings.offsetX, settings.offsetY};
}

bool write(const QString& printer, const PrinterSettings& chosen, QString* error) {
    QDir().mkpath(programfolders::base());
    QSettings settings(file(), QSettings::IniFormat);
    settings.beginGroup(group(printer));
    settings.setValue(QStringLiteral("OffsetX"), chosen.offsetX);
    settings.setValue(QStringLiteral("OffsetY"), chosen.offsetY);
    settings.setValue(QStringLiteral("Linguaggio"), chosen.zpl ? QStringLiteral("ZPL") : QString());
    settings.setValue(QStringLiteral("Risoluzione"), chosen.dotsPerInch);
    settings.endGroup();
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    if (error)
        *error = QStringLiteral("Impossibile salvare le impostazioni della stampante in %1.")
                     .arg(QDir::toNativeSeparators(file()));
    return false;
}

} // namespace printersettings
