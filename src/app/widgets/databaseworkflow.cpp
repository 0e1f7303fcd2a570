// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/databaseworkflow.h"

#include "common/cursor.h"
#include "common/messageservice.h"
#include "database/clsdatabase.h"
#include "database/databaseerror.h"
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
}

void DatabaseWorkflow::markConnected() {
    m_context.document.setDatabaseConnesso(true);
    const CollegamentoDatabase binding = m_context.document.binding();
    emit statusChanged(QStringLiteral("Connesso: ") + binding.NomeDatabase, binding.NomeTabella);
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
    if (chooseRecordSelection(binding, m_database, m_context.window, run))
        m_context.document.setBinding(binding);
}

void DatabaseWorkflow::connectDatabase() {
    m_context.touched();
    m_context.surface.Deseleziona();
    CursoreAttesa();
    frmConnettiDBMDB connection(m_context.window);
    CollegamentoDatabase binding = m_context.document.binding();
    connection.txtNomeFileDB->setText(binding.NomeDatabase);
    connection.txtPasswordDB->setText(binding.PasswordDb);
    CursoreNormale();
    connection.exec();
    if (!connection.Confermato)
        return;
    binding.NomeDatabase = connection.NomeFile;
    binding.PasswordDb = connection.Password;
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
    CaricaListaTabelle(m_database, tables.lstTabelle);
    CaricaListaQueries(m_database, tables.lstTabelle);
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
    if (!element || element->kind == ElementKind::Rettangolo)
        return; // rectangles cannot be linked
    const QString table = m_context.document.binding().NomeTabella;
    CursoreAttesa();
    frmCollegaCampo dialog(m_context.window);
    try {
        if (m_database.IsQuery(table))
            CaricaListaCampiDaQueryList(m_database, table, dialog.lstCampi);
        else
            CaricaListaCampiList(m_database, table, dialog.lstCampi);
    } catch (const DatabaseError& error) {
        CursoreNormale();
        MessageService::current().warn(QStringLiteral("Errore non gestito. Codice:") +
                                           QString::number(error.number),
                                       m_context.window->windowTitle());
        return;
    }
    dialog.SelezionaCampo(element->DataMember);
    CursoreNormale();
    dialog.exec();
    if (!dialog.Confermato)
        return;
    element->DataMember = dialog.NomeCampo;
    if (element->kind == ElementKind::Testo)
        element->Caption =
            dialog.NomeCampo.isEmpty() ? QStringLiteral("abc") : u'[' + dialog.NomeCampo + u']';
    m_context.edited();
}
