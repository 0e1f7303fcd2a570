// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

class clsDatabase;
class LabelDocument;
class PressivoUi;
struct LabelElement;
struct LayoutEtichetta;

// From the design surface to the paper: millimetres on the page of a point x (y) given in
// millimetres from the label's left (top) edge, and of an element, in column c and row r.
double GetXGen(const LayoutEtichetta& layout, double x, int colonna);
double GetYGen(const LayoutEtichetta& layout, double y, int riga);
double GetX(const LayoutEtichetta& layout, int colonna, const LabelElement& controllo);
double GetY(const LayoutEtichetta& layout, int riga, const LabelElement& controllo);
double GetW(const LabelElement& controllo);
double GetH(const LabelElement& controllo);

// What the print request dialog hands to the engine.
struct PrintJob {
    bool PremutoOk = false;
    bool StampaTutte = false;
    qint16 NumeroEtichette = 0;
    qint16 PrimaEtichetta = 0;
    bool StampaCrocicchi = false;
    bool StampaBordi = false;
    // Scripts: a count beyond the selected records prints the records (and says so), and a
    // first position beyond the sheet is refused. The window keeps the historical rules: blank
    // labels past the last record, positions counted on into the next sheets.
    bool Strict = false;
    // The resolution barcodes are put on the dots of (a PDF for a label printer); 0: the
    // printer's own, when the job goes to one.
    int DotsPerInch = 0;
    // Millimetres every label moves by (right, down), to match where the printer's head really
    // prints; none: the offsets calibrated for the printer (or for files) chosen.
    std::optional<QPointF> Offset;
    // The field that says how many labels each record gets ("Quantità da campo"); empty: one
    // label a record. Applies when every record is printed.
    QString CampoQuantita;
    // The fields of the label's records, offered for it (none when the label is not bound).
    QStringList CampiDisponibili;
    // The label's questions (${?Lotto}: "Lotto") and their answers, the last ones given
    // offered.
    QStringList Domande;
    QMap<QString, QString> Risposte;
    // The serial number (${P}) of the first label; none: the one after the label's last job.
    std::optional<long> InizioNumerazione;
};

// Shown while labels are drawn: the wait window, or lines on standard error.
class PrintProgress {
public:
    virtual ~PrintProgress() = default;
    virtual void begin() {}
    // "Etichetta i/N"
    virtual void label(int /*i*/, int /*n*/) {}
    virtual void end() {}
    // The user asked to stop: the job ends at the next label, leaving no output.
    virtual bool cancelled() const { return false; }
};

struct PrintHooks {
    // Asks for the job; `bound` says whether the label prints from a database, which
    // preselects "all labels". Not called for a direct print.
    std::function<void(PrintJob& job, bool bound)> askJob;
    PrintProgress* progress = nullptr;
    PressivoUi* ui = nullptr; // the print component's windows; the installed ones when null
};

enum class PrintOutcome {
    Delivered,
    Cancelled,
    Failed,
    NothingToPrint, // no record selected, or no label asked for: nothing was printed
    // Delivered, but with elements left out (a symbol that cannot hold its value, a picture
    // file that is not there): each was said.
    DeliveredIncomplete,
};

// Prints the label: one label per selected record (or the number asked), placed on the sheet's
// grid from the first position asked, through clsPressivo to the destination chosen. A failure
// of the database, a picture or the output ends the job with a message; nothing half printed
// counts as delivered. A job with no label to print says so ("Nessun record selezionato")
// and prints nothing: no blank sheet, no empty file. A job stopped by SIGINT or SIGTERM ends
// as a failure and leaves no output.
PrintOutcome StampaEtichette(LabelDocument& document, clsDatabase& database, bool StampaDiretta,
                             const PrintHooks& hooks);

// How a field value prints: numbers and dates as the regional settings write them, booleans as
// "Vero"/"Falso".
QString fieldText(const QVariant& value);

// The window's ConnettiDatabase: opens the database (a relative path is also looked for beside
// the label file) and marks the label connected when it holds the table or query.
// `tableMissing`, when given, is set when the database opened but lacks the table.
bool connectLabelDatabase(clsDatabase& database, LabelDocument& document, const QString& path,
                          const QString& password, const QString& table,
                          bool* tableMissing = nullptr);
