// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QtGlobal>

// Colours as stored in label files: 0x00BBGGRR, red in the low byte; values with the top bit
// set name a system colour by its index in the low byte.
namespace colors {

inline constexpr qint32 White = 16777215;
inline constexpr qint32 Black = 0;
inline constexpr qint32 Yellow = 65535;
inline constexpr qint32 ButtonFace = qint32(0x8000000F);

constexpr bool isSystemColour(qint32 value) {
    return value < 0;
}

// The colour to paint with; system colours come from the application palette.
QColor toQColor(qint32 value);

// An RGB colour in the stored encoding (alpha is dropped).
qint32 fromQColor(const QColor& colour);

} // namespace colors
