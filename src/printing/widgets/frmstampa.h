// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/printengine.h"

#include <QDialog>

#include <vector>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Stampa": how many labels, where the first one goes on the first sheet, crop marks and
// outlines. The print engine presets the option, runs the dialog and reads the job it fills
// in (all false or 0 until Ok; the numbers are never above 32767).
class frmStampa : public QDialog, public PrintJob {
    Q_OBJECT

public:
    explicit frmStampa(QWidget* parent = nullptr);

    std::array<QRadioButton*, 2> optStampa; // all labels; the number typed
    QLineEdit* txtNumeroEtichette;
    QLineEdit* txtPrimaEtichetta;
    QCheckBox* chkStampaBordi;
    QCheckBox* chkStampaCrocicchi;
    QComboBox* cmbCampoQuantita; // "Quantità da campo": none, then the records' fields
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    // All labels for a label bound to a connected database, a number of labels otherwise.
    void presetFor(bool databaseConnesso);
    // A field for each question of the label ("Lotto:"), with the answer last given.
    void presetQuestions(const QStringList& questions, const QMap<QString, QString>& answers);
    std::vector<QLineEdit*> txtRisposte;

    // Offers the records' fields for the quantity, `chosen` selected (none when empty).
    void presetQuantity(const QStringList& fields, const QString& chosen);

private:
    void cmdOk_Click();
    // The field's whole value when it is positive and fits 16 bits; else reports and focuses.
    std::optional<qint16> positiveValue(QLineEdit* field);
    void fitToContents();

protected:
    void showEvent(QShowEvent* event) override;
    QLabel* m_quantityCaption = nullptr;
    QGroupBox* m_questions = nullptr;
};
