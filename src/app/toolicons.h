#pragma once

#include <QIcon>
#include <QString>

// The program's own toolbar pictures, drawn for 16 and 24 pixels: the tools, the switches and
// the formatting buttons. Nothing for keys it does not draw.
QIcon toolIcon(const QString& key);
