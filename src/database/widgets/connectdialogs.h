// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

// "Nome file database (*.mdb)": the database file and its password.
class frmConnettiDBMDB : public QDialog {
    Q_OBJECT

public:
    explicit frmConnettiDBMDB(QWidget* parent = nullptr);

    QLineEdit* txtNomeFileDB;
    QLineEdit* txtPasswordDB;
    QPushButton* cmdSfoglia;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    bool Confermato = false;
    QString NomeFile;
    QString Password;
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
