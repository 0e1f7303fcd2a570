// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/fieldtext.h"

#include "common/regionalsettings.h"

#include <QDateTime>
#include <QLocale>

QString fieldText(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return {};
    QLocale locale = RegionalSettings::locale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Vero") : QStringLiteral("Falso");
    case QMetaType::Double:
    case QMetaType::Float:
        return locale.toString(value.toDouble(), 'g', 15);
    case QMetaType::QDateTime: {
        const QDateTime when = value.toDateTime();
        QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
        if (!dateFormat.contains(QStringLiteral("yyyy")))
            dateFormat.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
        const QString date = when.date().toString(dateFormat);
        return when.time() == QTime(0, 0)
                   ? date
                   : date + u' ' + when.time().toString(QStringLiteral("HH:mm:ss"));
    }
    default:
        return value.toString();
    }
}
