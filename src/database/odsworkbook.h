// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/workbook.h"
#include "database/ziparchive.h"

#include <memory>

// An OpenDocument spreadsheet (.ods, as LibreOffice writes it): every sheet is a table of the
// content part, its cells typed by their value-type and repeated by count where they are alike
// (the empty ones at the end of each row and sheet above all).
class OdsWorkbook : public workbook::Workbook {
public:
    // Throws DatabaseError when the content part is missing or damaged.
    explicit OdsWorkbook(std::unique_ptr<ZipArchive> archive);
    ~OdsWorkbook() override;

    QStringList sheetNames() const override { return m_sheets; }
    std::unique_ptr<workbook::SheetRows> rows(const QString& sheet) const override;

    static bool recognises(const ZipArchive& archive);

private:
    std::unique_ptr<ZipArchive> m_archive;
    QStringList m_sheets;
};
