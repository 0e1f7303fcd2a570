// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the print component keeps its files: the program's folder when it can write there,
// otherwise the user's configuration folder (~/.config/Marvello).
namespace programfolders {

QString base();
// "pressivo.ini": the page margins.
QString settingsFile();
// "Stampe": saved print files.
QString printsFolder();

// Uses another folder (tests); an empty path goes back to the rule above.
void setBase(const QString& folder);

} // namespace programfolders
