// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

// "Nome file database (*.mdb)": the data file (Access, delimited text, SQLite), its password,
// and a delimited file's separator when it is not to be detected.
class frmConnettiDBMDB : public QDialog {
    Q_OBJECT

public:
    explicit frmConnettiDBMDB(QWidget* parent = nullptr);
    // Shows a label's database name: the file, and its separator when it names one.
    void setDatabase(const QString& name, const QString& password);

    QLineEdit* txtNomeFileDB;
    QLineEdit* txtPasswordDB;
    QPushButton* cmdSfoglia;
    QComboBox* cmbSeparatore;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    bool Confermato = false;
    QString NomeFile;
    QString Password;
};

// "Server di database": a PostgreSQL, MySQL/MariaDB or ODBC source, its address made from the
// fields, and "Prova connessione" to try it before the label is bound.
class frmConnettiServer : public QDialog {
    Q_OBJECT

public:
    explicit frmConnettiServer(QWidget* parent = nullptr);
    // Fills the fields from an address (a server's; anything else leaves them as they are).
    void setAddress(const QString& address, const QString& password);
    // The address the fields make.
    QString address() const;

    QComboBox* cmbTipo;
    QLineEdit* txtServer;
    QSpinBox* txtPorta;
    QLineEdit* txtDatabase;
    QLineEdit* txtUtente;
    QLineEdit* txtPassword;
    QPushButton* cmdProva;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    bool Confermato = false;
    QString Indirizzo;
    QString Password;

private:
    void kindChanged();
    bool complete();
    void tryConnection();
};

// "Seleziona tabella": the tables, then the stored queries, of the database.
class frmSelezionaTabella : public QDialog {
    Q_OBJECT

public:
    explicit frmSelezionaTabella(QWidget* parent = nullptr);
    // Selects the entry with this name, blanks and letter case ignored; no match selects none.
    void SelezionaTabella(const QString& NomeTabella);

    QListWidget* lstTabelle;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    bool Confermato = false;
    QString NomeTabella;
};

// "Collega campo ai dati": the field an element takes its value from, or none.
class frmCollegaCampo : public QDialog {
    Q_OBJECT

public:
    explicit frmCollegaCampo(QWidget* parent = nullptr);
    void SelezionaCampo(const QString& NomeCampo);

    QListWidget* lstCampi;
    QPushButton* cmdOk; // "Collega"
    QPushButton* cmdScollega;
    QPushButton* cmdCancel;

    bool Confermato = false;
    QString NomeCampo; // empty after "Scollega"
};

// Selects the first entry equal to the name, blanks and letter case ignored.
void selectListEntry(QListWidget* list, const QString& name);
