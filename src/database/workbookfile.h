// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/workbook.h"

namespace workbook {

// Opens a workbook by what the file holds, whatever its name says. Throws DatabaseError when it
// is no spreadsheet of these formats or is damaged.
std::unique_ptr<Workbook> open(const QString& path);

} // namespace workbook
