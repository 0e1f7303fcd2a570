// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/labeldatabase.h"

#include "common/files.h"
#include "common/messageservice.h"
#include "database/clsdatabase.h"
#include "database/databaseerror.h"
#include "database/sourceaddress.h"
#include "document/labeldocument.h"

#include <QFileInfo>

bool connectLabelDatabase(clsDatabase& database, LabelDocument& document, const QString& path,
                          const QString& password, const QString& table, bool* tableMissing) {
    // A data file is also looked for beside the label; a server's address is taken as it is.
    QString file = path;
    auto address = SourceAddress::parse(path);
    if (address && !address->isServer() && !FileEsiste(address->path) &&
        !document.fileName().isEmpty()) {
        address->path =
            resolveReadablePath(address->path, QFileInfo(document.fileName()).absolutePath());
        if (!address->path.isEmpty())
            file = address->toString();
    }
    database.setNomeDatabase(file);
    database.setPasswordDb(password);
    bool connected = database.ConnettiDatabase();
    if (connected) {
        try {
            connected = database.source().contains(table);
        } catch (const DatabaseError& error) {
            connected = false;
            MessageService::current().warn(error.description, QStringLiteral("objDatabase"));
        }
        if (!connected && tableMissing)
            *tableMissing = true;
    }
    if (!connected)
        database.DisconnettiDatabase();
    document.setDatabaseConnesso(connected);
    return connected;
}
