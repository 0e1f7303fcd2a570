// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

// The program's own toolbar pictures, drawn for 16 and 24 pixels: the tools, the switches and
// the formatting buttons. Nothing for keys it does not draw.
QIcon toolIcon(const QString& key);

class QToolBar;

// The tooltip of a button that has none: Qt would show the action's text instead.
inline const QString NoTooltip = QString(QChar(0x200B));

// Buttons of the toolbar whose action's tooltip is NoTooltip show no tooltip box at all.
void hideEmptyTooltips(QToolBar* toolbar);
