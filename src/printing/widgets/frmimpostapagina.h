// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <array>
#include <functional>

class LabelDocument;
class QCheckBox;
class QComboBox;
class QLineEdit;
struct LabelPaper;
class QPushButton;
struct SheetTemplate;

// "Layout etichetta": the ten sheet layout values, each in a decimal entry field. "Ok" checks
// the four values that must be positive and stores all ten in the document.
class frmImpostaPagina : public QDialog {
    Q_OBJECT

public:
    explicit frmImpostaPagina(LabelDocument& document, QWidget* parent = nullptr);

    QLineEdit* txtEtichetteOrizzontali;
    QLineEdit* txtEtichetteVerticali;
    QLineEdit* txtMargineSinistro;
    QLineEdit* txtMargineSuperiore;
    QLineEdit* txtLarghezzaEtichetta;
    QLineEdit* txtAltezzaEtichetta;
    QLineEdit* txtSpazioOrizzontale;
    QLineEdit* txtSpazioVerticale;
    QLineEdit* txtOrigineX;
    QLineEdit* txtOrigineY;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdModello; // "Modello di foglio...": the sheet catalogue
    // "Carta": the printer's, a named size, one of the user's ("Personalizzata") or a roll;
    // its width and height, which the user types for a size of his own.
    QComboBox* cmbCarta;
    QLineEdit* txtLarghezzaCarta;
    QLineEdit* txtAltezzaCarta;
    // "Ruota di 90°": the label lies turned on its page (a wide label on a narrow roll).
    QCheckBox* chkRuota;

    // The fields in the order of the sheet layout values.
    std::array<QLineEdit*, 10> fields() const;

    void CaricaLayout();
    // Fills the sheet's values in.
    void applySheet(const SheetTemplate& sheet);
    bool Verifica_campi_obbligatori();
    void SalvaLayout();

private:
    void cmdOk_Click();
    LabelPaper chosenPaper() const;
    void showPaper(const LabelPaper& paper);
    void paperChosen(); // the size shown follows the choice and the layout

    LabelDocument& m_document;
    bool m_paperNamed = false; // the choice shown names a paper
    bool m_showing = false;    // a paper being shown, not chosen by the user
};

// The "Layout etichetta" command: busy pointer while the dialog loads, the dialog, and the
// design surface repainted afterwards whichever button closed it (the document signals
// layoutChanged). `run` shows the dialog modally (tests answer it instead).
void mnuImpostaPagina(LabelDocument& document, QWidget* parent,
                      const std::function<int(QDialog&)>& run = {});
