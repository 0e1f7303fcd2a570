// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

// How a field value prints: numbers and dates as the regional settings write them, booleans as
// "Vero"/"Falso".
QString fieldText(const QVariant& value);
