// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class clsDatabase;
class LabelDocument;

// The window's ConnettiDatabase: opens the database (a relative path is also looked for beside
// the label file) and marks the label connected when it holds the table or query.
// `tableMissing`, when given, is set when the database opened but lacks the table.
bool connectLabelDatabase(clsDatabase& database, LabelDocument& document, const QString& path,
                          const QString& password, const QString& table,
                          bool* tableMissing = nullptr);
