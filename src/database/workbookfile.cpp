// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/workbookfile.h"

#include "database/databaseerror.h"
#include "database/odsworkbook.h"
#include "database/xlsxworkbook.h"

namespace workbook {

std::unique_ptr<Workbook> open(const QString& path) {
    auto archive = std::make_unique<ZipArchive>(path);
    // LibreOffice encrypts the parts of a document saved with a password.
    const QString manifest = QStringLiteral("META-INF/manifest.xml");
    if (archive->contains(manifest) &&
        archive->read(manifest, MostPartBytes).contains("encryption-data"))
        throw DatabaseError(DatabaseError::UnrecognizedFormat,
                            QStringLiteral("Il file %1 è protetto da password: salvarlo senza "
                                           "password per stamparne le etichette.")
                                .arg(path));
    if (OdsWorkbook::recognises(*archive))
        return std::make_unique<OdsWorkbook>(std::move(archive));
    if (XlsxWorkbook::recognises(*archive))
        return std::make_unique<XlsxWorkbook>(std::move(archive));
    throw DatabaseError(
        DatabaseError::UnrecognizedFormat,
        QStringLiteral("Il file %1 non è un foglio di calcolo .xlsx né .ods.").arg(path));
}

} // namespace workbook
