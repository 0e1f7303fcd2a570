// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/workbook.h"
#include "database/ziparchive.h"

#include <memory>
#include <vector>

// An Office Open XML workbook (.xlsx, as Excel and LibreOffice write it): the workbook part
// names the sheets, its relationships say where each is packed, the shared strings hold the
// texts and the styles say which numbers are dates.
class XlsxWorkbook : public workbook::Workbook {
public:
    // Throws DatabaseError when a part the workbook needs is missing or damaged.
    explicit XlsxWorkbook(std::unique_ptr<ZipArchive> archive);
    ~XlsxWorkbook() override;

    QStringList sheetNames() const override;
    std::unique_ptr<workbook::SheetRows> rows(const QString& sheet) const override;

    // Whether an archive holds such a workbook.
    static bool recognises(const ZipArchive& archive);

private:
    struct Sheet {
        QString name;
        QString part;
    };

    void readWorkbook(const QString& part);
    void readStyles(const QString& part);
    const std::vector<QString>& sharedTexts() const;

    std::unique_ptr<ZipArchive> m_archive;
    std::vector<Sheet> m_sheets;
    bool m_from1904 = false;
    std::vector<bool> m_dateStyles; // by the cells' style index
    QString m_sharedPart;
    mutable std::shared_ptr<const std::vector<QString>> m_shared; // read once, when needed
};
