// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QString>

// The answers last given to a label's questions (${?Lotto}), offered again the next time the
// label is printed. Kept per label file in "risposte.ini" in the settings folder.
namespace lastanswers {

QMap<QString, QString> load(const QString& labelFile);
// Nothing is kept for a label not yet saved (no file).
void save(const QString& labelFile, const QMap<QString, QString>& answers);

} // namespace lastanswers
