// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Modifica testo": the text of a text or barcode element. The "Campi" button puts a field
// of the label's table, the label's number, the date or the time into the text, where the
// caret is, as a ${...} that printing fills in.
class frmModificaTesto : public QDialog {
    Q_OBJECT

public:
    explicit frmModificaTesto(QWidget* parent = nullptr);

    // The fields of the label's table, offered first by "Campi".
    void offerFields(const QStringList& names);
    // A text's lines: Enter makes a new line (a barcode's text is one line).
    void setMultiLine(bool multiLine);
    void setTesto(const QString& text);
    // What Ok asks of the text: a problem, in words, keeps the editor open after saying it.
    void setCheck(std::function<QString(const QString&)> check) { m_check = std::move(check); }

    QLineEdit* txtTesto;
    QPlainTextEdit* txtRighe;
    QPushButton* cmdCampi;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    bool Confermato = false;
    QString Testo;

private:
    void fitHeight(int width);
    std::function<QString(const QString&)> m_check;
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
