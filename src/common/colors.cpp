// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace colors {

namespace {

QColor systemColour(int index) {
    const QPalette palette = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                 ? QGuiApplication::palette()
                                 : QPalette(Qt::lightGray);
    switch (index) {
    case 0x05: // window background
        return palette.color(QPalette::Base);
    case 0x08: // window text
    case 0x12: // button text
        return palette.color(QPalette::Text);
    case 0x0D: // highlight
        return palette.color(QPalette::Highlight);
    case 0x0E: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 0x10: // button shadow
        return palette.color(QPalette::Dark);
    case 0x11: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 0x0F: // button face
    default:
        return palette.color(QPalette::Button);
    }
}

} // namespace

QColor toQColor(qint32 value) {
    if (isSystemColour(value))
        return systemColour(value & 0xFF);
    const auto rgb = static_cast<quint32>(value);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

qint32 fromQColor(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return qint32(quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16);
}

} // namespace colors
