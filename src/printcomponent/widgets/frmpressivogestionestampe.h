// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

// "Gestione stampe": picks a saved print file from a folder.
class frmPressivoGestioneStampe : public QDialog {
    Q_OBJECT

public:
    explicit frmPressivoGestioneStampe(QWidget* parent = nullptr);

    QString CurrentDirectory() const;
    void setCurrentDirectory(const QString& folder);
    QString FileName() const { return m_fileName; }
    void setFileName(const QString& name) { m_fileName = name; }

    QLineEdit* txtPercorso;
    QListWidget* filListaFile;
    QPushButton* cmdOk;
    QPushButton* cmdAnnulla;
    QPushButton* cmdSfoglia;
    QPushButton* Command1;

private:
    void listFolder(const QString& folder);
    void choose();

    QString m_listed;
    QString m_fileName;
};
