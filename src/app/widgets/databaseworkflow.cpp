// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/databaseworkflow.h"
#include "common/programerror.h"
#include "document/elementtype.h"

#include "common/cursor.h"
#include "common/messageservice.h"
#include "common/passwords.h"
#include "common/version.h"
#include "database/clsdatabase.h"
#include "database/databaseerror.h"
#include "database/sourceaddress.h"
#include "database/widgets/connectdialogs.h"
#include "database/widgets/databaselists.h"
#include "database/widgets/frmselezionerecords.h"
#include "printing/printengine.h"

#include <QLineEdit>

DatabaseWorkflow::DatabaseWorkflow(const DesignContext& context, clsDatabase& database)
    : m_context(context)
    , m_database(database) {
    connect(&m_context.document, &LabelDocument::disconnectRequested, this,
            &DatabaseWorkflow::markDisconnected);
    // Undone or redone: the label's database is the one its binding names again.
    connect(&m_context.document, &LabelDocument::bindingRestored, this, [this] {
        const CollegamentoDatabase binding = m_context.document.binding();
        if (binding.NomeDatabase.trimmed().isEmpty() || binding.NomeTabella.isEmpty())
            markDisconnected();
        else
            connectLabel(binding.NomeDatabase, binding.PasswordDb, binding.NomeTabella);
    });
}

void DatabaseWorkflow::markConnected() {
    m_context.document.setDatabaseConnesso(true);
    const CollegamentoDatabase binding = m_context.document.binding();
    emit statusChanged(QStringLiteral("Connesso: ") + passwords::hiddenIn(binding.NomeDatabase),
                       binding.NomeTabella);
}

void DatabaseWorkflow::markDisconnected() {
    m_context.document.setDatabaseConnesso(false);
    emit statusChanged(QStringLiteral("Non connesso"), {});
    m_database.DisconnettiDatabase();
}

bool DatabaseWorkflow::connectLabel(const QString& path, const QString& password,
                                    const QString& table) {
    if (connectLabelDatabase(m_database, m_context.document, path, password, table)) {
        markConnected();
        return true;
    }
    markDisconnected();
    return false;
}

void DatabaseWorkflow::disconnectDatabase() {
    m_context.surface.Deseleziona();
    m_context.touched();
    markDisconnected();
}

void DatabaseWorkflow::selectRecords(const std::function<int(QDialog&)>& run) {
    if (!m_context.document.DatabaseConnesso()) {
        MessageService::current().warn(QStringLiteral("Connettersi ad un database."),
                                       QStringLiteral("Operazione annullata."));
        return;
    }
    m_context.touched();
    CollegamentoDatabase binding = m_context.document.binding();
    try {
        if (chooseRecordSelection(binding, m_database.source(), m_context.window, run))
            m_context.document.setBinding(binding);
    } catch (const DatabaseError& error) {
        CursoreNormale();
        MessageService::current().warn(error.description, version::mainWindowCaption());
    }
}

void DatabaseWorkflow::connectDatabase() {
    m_context.touched();
    m_context.surface.Deseleziona();
    CursoreAttesa();
    frmConnettiDBMDB connection(m_context.window);
    CollegamentoDatabase binding = m_context.document.binding();
    if (!SourceAddress::parse(binding.NomeDatabase).value_or(SourceAddress()).isServer())
        connection.setDatabase(binding.NomeDatabase, binding.PasswordDb);
    CursoreNormale();
    connection.exec();
    if (connection.Confermato)
        bind(connection.NomeFile, connection.Password);
}

void DatabaseWorkflow::connectServer() {
    m_context.touched();
    m_context.surface.Deseleziona();
    frmConnettiServer connection(m_context.window);
    const CollegamentoDatabase binding = m_context.document.binding();
    connection.setAddress(binding.NomeDatabase, binding.PasswordDb);
    connection.exec();
    if (connection.Confermato)
        bind(connection.Indirizzo, connection.Password);
}

void DatabaseWorkflow::bind(const QString& database, const QString& password) {
    CollegamentoDatabase binding = m_context.document.binding();
    binding.NomeDatabase = database;
    binding.PasswordDb = password;
    m_context.document.setBinding(binding);
    if (binding.NomeDatabase.trimmed().isEmpty())
        return;
    m_database.setNomeDatabase(binding.NomeDatabase);
    m_database.setPasswordDb(binding.PasswordDb);
    if (!m_database.ConnettiDatabase()) {
        markDisconnected();
        return;
    }
    CursoreAttesa();
    frmSelezionaTabella tables(m_context.window);
    try {
        CaricaListaTabelle(m_database.source(), tables.lstTabelle);
    } catch (const DatabaseError& error) {
        CursoreNormale();
        MessageService::current().warn(error.description, QStringLiteral("objDatabase"));
        markDisconnected();
        return;
    }
    tables.SelezionaTabella(binding.NomeTabella);
    CursoreNormale();
    tables.exec();
    if (!tables.Confermato) {
        markDisconnected();
        return;
    }
    binding.NomeTabella = tables.NomeTabella;
    m_context.document.setBinding(binding);
    if (binding.NomeTabella.isEmpty())
        markDisconnected();
    else
        markConnected();
}

void DatabaseWorkflow::linkField() {
    m_context.touched();
    if (!m_context.document.DatabaseConnesso()) {
        MessageService::current().warn(QStringLiteral("Connettersi ad un database."),
                                       QStringLiteral("Operazione annullata."));
        return;
    }
    LabelElement* element = m_context.selected();
    if (!element || typeOf(*element).value() == ValueKind::None)
        return; // rectangles cannot be linked
    const QString table = m_context.document.binding().NomeTabella;
    CursoreAttesa();
    frmCollegaCampo dialog(m_context.window);
    try {
        CaricaListaCampiList(m_database.source(), table, dialog.lstCampi);
    } catch (const DatabaseError& error) {
        CursoreNormale();
        MessageService::current().warn(
            userMessage(error.number, error.description, CodeSpacing::Joined),
            version::mainWindowCaption());
        return;
    }
    dialog.SelezionaCampo(element->DataMember);
    CursoreNormale();
    dialog.exec();
    if (!dialog.Confermato)
        return;
    element->DataMember = dialog.NomeCampo;
    if (typeOf(*element).value() == ValueKind::Text)
        element->Caption =
            dialog.NomeCampo.isEmpty() ? QStringLiteral("abc") : u'[' + dialog.NomeCampo + u']';
    m_context.edited();
}
