// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QVariant>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QGroupBox;

// "Scelta destinazione di stampa": printer (with copies), preview or saved print file, and the
// printer and page set-up requests. It touches neither document nor surface: the caller fills
// it, shows it and reads DestinazioneStampa.
class frmPressivoDestinazioneStampa : public QDialog {
    Q_OBJECT

public:
    explicit frmPressivoDestinazioneStampa(QWidget* parent = nullptr);

    // -2 page set-up, -1 printer set-up, 0 cancelled, 1 preview, 2 printer, 3 file.
    qint16 DestinazioneStampa() const { return m_destination; }
    void setDestinazioneStampa(const QVariant& value) { m_destination = qint16(value.toInt()); }
    QString CurrentPrinter() const { return m_printer; }
    void setCurrentPrinter(const QString& name);
    QString Port() const { return m_port; }
    void setPort(const QString& port);
    qint16 Copies() const { return m_copies; }
    void setCopies(const QVariant& copies);
    QVariant FileName() const { return m_fileName; }
    void setFileName(const QVariant& name) { m_fileName = name; }

    // Greys out one choice (0 printer, 1 preview, 2 file); for 1 and 2 the copies become 1.
    void DisabledPeripheral(int numberPeripheral);

    std::array<QRadioButton*, 3> optTipoStampa;
    std::array<QLabel*, 3> imgOutput;
    QLabel* lblStampante;
    QLabel* lblPercorso;
    QGroupBox* Frame1;
    QLineEdit* txtCopie;
    QScrollBar* vscCopie;
    QPushButton* cmdOk;
    QPushButton* cmdAnnulla;
    QPushButton* cmdImposta;
    QPushButton* cmdMargini;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void optTipoStampa_Click(int index);
    void close(qint16 destination);
    void copiesFromText();
    QString askSavedPrintFile();

    qint16 m_destination = 0;
    QString m_printer;
    QString m_port;
    qint16 m_copies = 1;
    QVariant m_fileName;
};
