// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// "Modifica testo": the text of a text or barcode element.
class frmModificaTesto : public QDialog {
    Q_OBJECT

public:
    explicit frmModificaTesto(QWidget* parent = nullptr);

    QLineEdit* txtTesto;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    bool Confermato = false;
    QString Testo;
};

// "Nome file immagine": the picture file of a picture element.
class frmModificaImmagine : public QDialog {
    Q_OBJECT

public:
    explicit frmModificaImmagine(QWidget* parent = nullptr);

    QLineEdit* txtNomeFile;
    QPushButton* cmdSfoglia;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    bool Confermato = false;
    QString NomeFile;
};
