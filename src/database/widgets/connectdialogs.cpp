// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/widgets/connectdialogs.h"

#include "common/files.h"
#include "common/messageservice.h"
#include "common/programfolders.h"
#include "common/widgets/dialogbuttons.h"
#include "common/widgets/fieldroutines.h"
#include "common/widgets/filefield.h"
#include "common/widgets/windowplacement.h"

#include "common/cursor.h"
#include "database/databaseerror.h"
#include "database/sourceaddress.h"
#include "database/sqlsource.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

void selectListEntry(QListWidget* list, const QString& name) {
    const QString wanted = name.trimmed().toUpper();
    list->clearSelection();
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().trimmed().toUpper() == wanted) {
            list->setCurrentRow(i);
            return;
        }
    }
    list->setCurrentRow(-1);
}

frmConnettiDBMDB::frmConnettiDBMDB(QWidget* parent)
    : QDialog(parent)
    , txtNomeFileDB(new QLineEdit(this))
    , txtPasswordDB(new QLineEdit(this))
    , cmdSfoglia(new QPushButton(QStringLiteral("Sfoglia ..."), this))
    , cmbSeparatore(new QComboBox(this)) {
    setObjectName(QStringLiteral("frmConnettiDBMDB"));
    cmbSeparatore->setObjectName(QStringLiteral("cmbSeparatore"));
    cmbSeparatore->addItem(QStringLiteral("Automatico"), QString());
    cmbSeparatore->addItem(QStringLiteral("Punto e virgola ;"), QStringLiteral(";"));
    cmbSeparatore->addItem(QStringLiteral("Virgola ,"), QStringLiteral(","));
    cmbSeparatore->addItem(QStringLiteral("Tabulazione"), QStringLiteral("tab"));
    cmbSeparatore->addItem(QStringLiteral("Barra verticale |"), QStringLiteral("|"));
    // Only a delimited text file has a separator to choose.
    connect(txtNomeFileDB, &QLineEdit::textChanged, this, [this](const QString& text) {
        const auto address = SourceAddress::parse(text);
        cmbSeparatore->setEnabled(address && address->kind == SourceAddress::Kind::DelimitedText);
    });
    setWindowTitle(QStringLiteral("Nome file database (*.mdb)"));
    txtNomeFileDB->setObjectName(QStringLiteral("txtNomeFileDB"));
    txtPasswordDB->setObjectName(QStringLiteral("txtPasswordDB"));
    txtPasswordDB->setEchoMode(QLineEdit::Password);
    cmdSfoglia->setObjectName(QStringLiteral("cmdSfoglia"));
    cmdSfoglia->setAutoDefault(false);
    FieldRoutines::install(txtNomeFileDB);
    FieldRoutines::install(txtPasswordDB);
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    connect(cmdSfoglia, &QPushButton::clicked, this, [this] {
        browseIntoField(txtNomeFileDB, windowTitle(),
                        QStringLiteral("Tutti Files (*.*)|*.*|Archivi MDB (*.mdb)|*.mdb|"
                                       "File di dati (*.mdb *.accdb *.csv *.txt *.tsv *.xlsx "
                                       "*.ods *.sqlite *.sqlite3 *.db)|*.mdb;*.accdb;*.csv;*.txt;"
                                       "*.tsv;*.xlsx;*.ods;*.sqlite;*.sqlite3;*.db"),
                        3);
    });
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        // A delimited file may name its separator after its path ("dati.txt?separatore=;").
        const auto address = SourceAddress::parse(txtNomeFileDB->text());
        if (!address || address->isServer() || !FileEsiste(address->path)) {
            MessageService::current().warn(QStringLiteral("Inserire un nome file db valido."),
                                           windowTitle());
            txtNomeFileDB->setFocus();
            return;
        }
        SourceAddress chosen = *address;
        if (chosen.kind == SourceAddress::Kind::DelimitedText)
            chosen.separator = separatorFromName(cmbSeparatore->currentData().toString());
        NomeFile = chosen.toString();
        Password = txtPasswordDB->text();
        Confermato = true;
        accept();
    });
    auto* grid = new QGridLayout;
    grid->addWidget(txtNomeFileDB, 0, 0, 1, 2);
    grid->addWidget(cmdSfoglia, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Password database"), this), 1, 0);
    grid->addWidget(txtPasswordDB, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Separatore (CSV)"), this), 2, 0);
    grid->addWidget(cmbSeparatore, 2, 1, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons.layout);
    cmbSeparatore->setEnabled(false);
    resize(480, sizeHint().height());
    CentraForm(this);
}

void frmConnettiDBMDB::setDatabase(const QString& name, const QString& password) {
    const auto address = SourceAddress::parse(name);
    txtNomeFileDB->setText(address ? address->path : name);
    txtPasswordDB->setText(password);
    if (address && address->separator)
        cmbSeparatore->setCurrentIndex(cmbSeparatore->findData(separatorName(*address->separator)));
}

frmConnettiServer::frmConnettiServer(QWidget* parent)
    : QDialog(parent)
    , cmbTipo(new QComboBox(this))
    , txtServer(new QLineEdit(QStringLiteral("localhost"), this))
    , txtPorta(new QSpinBox(this))
    , txtDatabase(new QLineEdit(this))
    , txtUtente(new QLineEdit(this))
    , txtPassword(new QLineEdit(this))
    , cmdProva(new QPushButton(QStringLiteral("Prova connessione"), this)) {
    setObjectName(QStringLiteral("frmConnettiServer"));
    setWindowTitle(QStringLiteral("Server di database"));
    cmbTipo->addItem(QStringLiteral("PostgreSQL"), int(SourceAddress::Kind::PostgreSql));
    cmbTipo->addItem(QStringLiteral("MySQL / MariaDB"), int(SourceAddress::Kind::MySql));
    cmbTipo->addItem(QStringLiteral("ODBC (origine dati)"), int(SourceAddress::Kind::Odbc));
    txtPorta->setRange(0, 65535);
    txtPorta->setSpecialValueText(QStringLiteral("predefinita"));
    txtPassword->setEchoMode(QLineEdit::Password);
    cmdProva->setAutoDefault(false);
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    buttons.layout->insertWidget(0, cmdProva);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Tipo"), cmbTipo);
    form->addRow(QStringLiteral("Server"), txtServer);
    form->addRow(QStringLiteral("Porta"), txtPorta);
    form->addRow(QStringLiteral("Database"), txtDatabase);
    form->addRow(QStringLiteral("Utente"), txtUtente);
    form->addRow(QStringLiteral("Password"), txtPassword);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons.layout);
    connect(cmbTipo, &QComboBox::currentIndexChanged, this, &frmConnettiServer::kindChanged);
    connect(cmdProva, &QPushButton::clicked, this, &frmConnettiServer::tryConnection);
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        if (!complete())
            return;
        Indirizzo = address();
        Password = txtPassword->text();
        Confermato = true;
        accept();
    });
    kindChanged();
    resize(420, sizeHint().height());
    CentraForm(this);
}

void frmConnettiServer::kindChanged() {
    // An ODBC source is a name the system knows: it has no server or port of its own here.
    const bool odbc = cmbTipo->currentData().toInt() == int(SourceAddress::Kind::Odbc);
    txtServer->setEnabled(!odbc);
    txtPorta->setEnabled(!odbc);
}

QString frmConnettiServer::address() const {
    SourceAddress address;
    address.kind = SourceAddress::Kind(cmbTipo->currentData().toInt());
    address.host = txtServer->text().trimmed();
    address.port = txtPorta->value();
    address.database = txtDatabase->text().trimmed();
    address.user = txtUtente->text().trimmed();
    return address.toString();
}

void frmConnettiServer::setAddress(const QString& text, const QString& password) {
    const auto address = SourceAddress::parse(text);
    if (!address || !address->isServer())
        return;
    cmbTipo->setCurrentIndex(cmbTipo->findData(int(address->kind)));
    txtServer->setText(address->host);
    txtPorta->setValue(address->port);
    txtDatabase->setText(address->database);
    txtUtente->setText(address->user);
    txtPassword->setText(password);
}

bool frmConnettiServer::complete() {
    const bool odbc = cmbTipo->currentData().toInt() == int(SourceAddress::Kind::Odbc);
    QLineEdit* missing = !odbc && txtServer->text().trimmed().isEmpty() ? txtServer
                         : txtDatabase->text().trimmed().isEmpty()      ? txtDatabase
                                                                        : nullptr;
    if (!missing && SourceAddress::parse(address()))
        return true;
    MessageService::current().warn(odbc ? QStringLiteral("Inserire il nome dell'origine dati.")
                                        : QStringLiteral("Inserire il server e il database."),
                                   windowTitle());
    (missing ? missing : txtServer)->setFocus();
    return false;
}

void frmConnettiServer::tryConnection() {
    if (!complete())
        return;
    CursoreAttesa();
    try {
        const SqlSource source(*SourceAddress::parse(address()), txtPassword->text());
        const qsizetype tables = source.tableNames().size() + source.queryNames().size();
        CursoreNormale();
        MessageService::current().message(
            QStringLiteral("Connessione riuscita: %1 tabelle e viste.").arg(tables), windowTitle(),
            MessageIcon::Information);
    } catch (const DatabaseError& error) {
        CursoreNormale();
        MessageService::current().warn(error.description, windowTitle());
    }
}

frmSelezionaTabella::frmSelezionaTabella(QWidget* parent)
    : QDialog(parent)
    , lstTabelle(new QListWidget(this)) {
    setObjectName(QStringLiteral("frmSelezionaTabella"));
    setWindowTitle(QStringLiteral("Seleziona tabella"));
    lstTabelle->setObjectName(QStringLiteral("lstTabelle"));
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        if (!lstTabelle->currentItem() || !lstTabelle->currentItem()->isSelected()) {
            MessageService::current().warn(QStringLiteral("Selezionare una tabella."),
                                           windowTitle());
            lstTabelle->setFocus();
            return;
        }
        NomeTabella = lstTabelle->currentItem()->text();
        Confermato = true;
        accept();
    });
    connect(lstTabelle, &QListWidget::itemDoubleClicked, cmdOk, &QPushButton::click);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstTabelle);
    layout->addLayout(buttons.layout);
    resize(320, 360);
    CentraForm(this);
}

void frmSelezionaTabella::SelezionaTabella(const QString& name) {
    selectListEntry(lstTabelle, name);
}

frmCollegaCampo::frmCollegaCampo(QWidget* parent)
    : QDialog(parent)
    , lstCampi(new QListWidget(this))
    , cmdScollega(new QPushButton(QStringLiteral("Scollega"), this)) {
    setObjectName(QStringLiteral("frmCollegaCampo"));
    setWindowTitle(QStringLiteral("Collega campo ai dati"));
    lstCampi->setObjectName(QStringLiteral("lstCampi"));
    cmdScollega->setObjectName(QStringLiteral("cmdScollega"));
    cmdScollega->setAutoDefault(false);
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdOk->setText(QStringLiteral("Collega"));
    cmdCancel = buttons.cancel;
    buttons.layout->insertWidget(0, cmdScollega);
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        if (!lstCampi->currentItem() || !lstCampi->currentItem()->isSelected()) {
            MessageService::current().warn(
                QStringLiteral("Selezionare il nome campo da collegare al controllo."),
                windowTitle());
            lstCampi->setFocus();
            return;
        }
        NomeCampo = lstCampi->currentItem()->text();
        Confermato = true;
        accept();
    });
    connect(cmdScollega, &QPushButton::clicked, this, [this] {
        NomeCampo.clear();
        Confermato = true;
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstCampi);
    layout->addLayout(buttons.layout);
    resize(340, 360);
    CentraForm(this);
}

void frmCollegaCampo::SelezionaCampo(const QString& name) {
    selectListEntry(lstCampi, name);
}
