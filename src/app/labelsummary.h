// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class LabelDocument;

// A few lines that tell a person what a label holds: sheet, database, elements.
QString labelSummary(const LabelDocument& document);
