// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/printersettings.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class LabelDocument;
class PrinterBackend;
class QComboBox;
class QDoubleSpinBox;
class QPushButton;
class QSpinBox;

// "Calibra stampante": each printer's own settings. Where its head really prints (millimetres
// right and down, applied to every job on it), found with a test page whose top-left cross
// the user measures; and, for a printer without a driver, the ZPL it takes and at what
// resolution. "Ok" keeps the settings of every printer changed.
class frmCalibraStampante : public QDialog {
    Q_OBJECT

public:
    // A printer by its name, with the settings shown (not yet kept).
    using PrinterFactory = std::function<std::shared_ptr<PrinterBackend>(
        const QString& name, const PrinterSettings& settings)>;
    // `printers`: the system's queues, `current` shown first; files come last in the list.
    // The test page goes to the printer `open` gives for a name.
    frmCalibraStampante(const LabelDocument& document, const QStringList& printers,
                        const QString& current, PrinterFactory open, QWidget* parent = nullptr);

    QComboBox* cmbStampante;
    QComboBox* cmbLinguaggio; // the queue's driver, or ZPL for a printer without one
    QSpinBox* txtRisoluzione; // dots per inch of a ZPL printer
    QDoubleSpinBox* txtSpostamentoX;
    QDoubleSpinBox* txtSpostamentoY;
    QPushButton* cmdProva; // "Stampa pagina di prova"
    // Where the top-left cross of the test page was measured from the label's edges; "Correggi"
    // turns that into offsets.
    QDoubleSpinBox* txtMisuraX;
    QDoubleSpinBox* txtMisuraY;
    QPushButton* cmdCorreggi;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

    // The name the printer chosen keeps its settings under.
    QString chosenPrinter() const;

private:
    void showSettings(const QString& printer);
    void keepShown();
    void printTestPage();
    void correct();
    void save();

    const LabelDocument& m_document;
    PrinterFactory m_open;
    QString m_shown;
    std::map<QString, PrinterSettings> m_changed;
    // The offsets the last test page was printed with: the measures are of that page.
    std::optional<QPointF> m_printedWith;
};

// The "Calibra stampante..." command, on the system's printers.
void mnuCalibraStampante(const LabelDocument& document, QWidget* parent);
