// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/clsdatabase.h"
#include "common/programerror.h"

#include "common/cursor.h"
#include "common/files.h"
#include "common/messageservice.h"
#include "common/passwords.h"
#include "database/accesssource.h"
#include "database/csvsource.h"
#include "database/databaseerror.h"
#include "database/sourceaddress.h"
#include "database/spreadsheetsource.h"
#include "database/sqlsource.h"

clsDatabase::clsDatabase() = default;
clsDatabase::~clsDatabase() = default;

namespace {

std::unique_ptr<RecordSource> openSource(const SourceAddress& address, const QString& password) {
    switch (address.kind) {
    case SourceAddress::Kind::Access:
        return std::make_unique<AccessSource>(address.path, password);
    case SourceAddress::Kind::DelimitedText:
        return std::make_unique<CsvSource>(address.path, address.separator);
    case SourceAddress::Kind::Spreadsheet:
        return std::make_unique<SpreadsheetSource>(address.path);
    default:
        return std::make_unique<SqlSource>(address, password);
    }
}

} // namespace

bool clsDatabase::ConnettiDatabase() {
    MessageService& messages = MessageService::current();
    const QString title = QStringLiteral("objDatabase");
    m_source.reset();
    const auto address = SourceAddress::parse(m_nomeDatabase);
    if (!address) {
        CursoreNormale();
        messages.warn(QStringLiteral("Indirizzo di database non valido: ") +
                          passwords::hiddenIn(m_nomeDatabase) +
                          QStringLiteral(" (per esempio postgresql://utente@server:5432/"
                                         "database, mysql://utente@server/database, "
                                         "odbc:NomeDSN)."),
                      title);
        return false;
    }
    if (!address->isServer() && !FileEsiste(address->path)) {
        CursoreNormale();
        // Say why: the file is not there (or cannot be seen from here).
        messages.warn(QStringLiteral("Impossibile connettersi al database ") +
                          passwords::hiddenIn(m_nomeDatabase) +
                          QStringLiteral(": il file non esiste o non è accessibile."),
                      title);
        return false;
    }
    if (m_nomeDatabase.isEmpty())
        return false;
    try {
        m_source = openSource(*address, m_passwordDb);
        return true;
    } catch (const DatabaseError& error) {
        QString text;
        if (address->kind != SourceAddress::Kind::Access) {
            text = error.description; // the driver's or the file's own words
        } else {
            switch (error.number) {
            case DatabaseError::InvalidPath:
                text = QStringLiteral("Il percorso ") + m_nomeDatabase +
                       QStringLiteral(" è errato oppure inaccessibile.");
                break;
            case DatabaseError::Locked:
                text = QStringLiteral("Archivio attualmente bloccato da un'altro utente/istanza.");
                break;
            default:
                text = userMessage(error.number, error.description, CodeSpacing::Joined);
                break;
            }
        }
        CursoreNormale();
        messages.warn(text, title);
        return false;
    }
}

bool clsDatabase::DisconnettiDatabase() {
    m_source.reset();
    return false;
}

const RecordSource& clsDatabase::source() const {
    if (!m_source)
        throw DatabaseError(DatabaseError::CannotOpen, QStringLiteral("Nessun database connesso."));
    return *m_source;
}

QVariant ValoreCampo(const QVariant& value, int type, const QVariant& defaultValue,
                     const QVariant& override) {
    if (override.isValid() && !override.isNull() && !override.toString().trimmed().isEmpty())
        return override;
    if (value.isNull() || !value.isValid())
        return defaultValue;
    if (type == 14)
        return value.toString().trimmed();
    return value;
}
