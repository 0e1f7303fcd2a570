// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/printengine.h"
#include "common/programerror.h"

#include "common/cursor.h"
#include "common/files.h"
#include "common/interruption.h"
#include "common/messageservice.h"
#include "common/numbers.h"
#include "common/regionalsettings.h"
#include "common/units.h"
#include "common/version.h"
#include "database/clsdatabase.h"
#include "database/databaseerror.h"
#include "database/recordsource.h"
#include "database/sourceaddress.h"
#include "document/elementtype.h"
#include "document/labeldocument.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/pressivocodes.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printersettings.h"
#include "printcomponent/printsurface.h"
#include "printcomponent/zploutput.h"
#include "printing/labeldrawing.h"
#include "printing/lastanswers.h"
#include "printing/quantities.h"
#include "printing/serialnumbers.h"
#include "printing/sheetgeometry.h"

#include <QFileInfo>

#include <cmath>
#include <numeric>

namespace {

// The error number a job stopped by a signal reports.

// A page chosen for another label (a roll's 4 x 6 in) must not take a sheet that does not fit
// on it: half the labels would be cut off. A millimetre is let pass, as printers round, and
// the historical shift to the right is not counted (labels made to the page's width print as
// they always did).
QString pageTooSmall(const LayoutEtichetta& layout, const PrintSurface& surface) {
    QSizeF paper(surface.PaperWidth(), surface.PaperHeight());
    if (surface.Orientation() == 1)
        paper.transpose();
    paper /= units::TwipsPerMillimetre;
    const QSizeF needed = sheet::sheetExtent(layout);
    if (needed.width() <= paper.width() + 1 && needed.height() <= paper.height() + 1)
        return {};
    // The paper is the label's own, or the one chosen for the printer: say where to change it.
    return QStringLiteral("Le etichette non stanno sulla pagina scelta: il foglio "
                          "dell'etichetta misura %1 x %2 mm, la pagina %3 x %4 mm. %5")
        .arg(std::ceil(needed.width()))
        .arg(std::ceil(needed.height()))
        .arg(std::round(paper.width()))
        .arg(std::round(paper.height()))
        .arg(surface.jobPaper()
                 ? QStringLiteral("Scegliere la carta in \"Layout etichetta\" (\"Carta\").")
                 : QStringLiteral("Scegliere la pagina con \"Pagina...\"."));
}

// Before a job from the window: the labels whose texts would print cut short (empty when
// none), so that the user can still widen a box. Only the texts are drawn, on a scratch
// surface, over the records read once more; nothing when that failed, which the job itself
// will report.
std::optional<QString> cutTextsAhead(LabelDocument& document, clsDatabase& database, long count,
                                     const PrintJob& job, const std::vector<long>* perRecord) {
    try {
        std::unique_ptr<RecordCursor> records;
        if (document.DatabaseConnesso()) {
            long counted = 0;
            RecordSelection selection = RecordSelection::of(document.binding());
            records = database.source().openCounted(selection, counted);
        }
        LabelDrawing trial(document, records.get());
        trial.textsOnly = true;
        trial.setAnswers(job.Risposte);
        HeadlessPressivoUi scratch;
        clsPressivo pressivo(scratch, clsPressivo::DrawingOnly{});
        pressivo.setScaleMode(pressivo::Millimetre);
        std::optional<quantities::Walk> walk;
        if (perRecord && records)
            walk.emplace(*records, *perRecord, records->fieldIndex(job.CampoQuantita.trimmed()));
        for (long i = 1; i <= count; ++i) {
            if (walk) {
                trial.numbers = walk->next(i);
                trial.hasRecord = true;
            } else if (records && (i == 1 || trial.hasRecord)) {
                trial.hasRecord = records->next();
            }
            trial.sequence = i;
            trial.drawLabel(pressivo, 1, 1, job);
            if (i % 256 == 0) { // the drawing itself is not needed
                scratch.surface().KillDoc();
                scratch.surface().StartDoc();
            }
        }
        return trial.cutTextsWarning();
    } catch (const ProgramError&) {
        return std::nullopt;
    }
}

bool hasTexts(const LabelDocument& document) {
    return std::any_of(document.elements().begin(), document.elements().end(), [](const auto& e) {
        return typeOf(*e).value() == ValueKind::Text && e->Index > 0;
    });
}

void reportFailure(int number, const QString& description) {
    MessageService::current().warn(userMessage(number, description), version::mainWindowCaption());
}

} // namespace

PrintOutcome StampaEtichette(LabelDocument& document, clsDatabase& database, bool StampaDiretta,
                             const PrintHooks& hooks) {
    PrintProgress noProgress;
    PrintProgress& progress = hooks.progress ? *hooks.progress : noProgress;
    PressivoUi& ui = hooks.ui ? *hooks.ui : PressivoUi::current();
    const bool bound = document.DatabaseConnesso();

    std::unique_ptr<RecordCursor> records;
    long recordCount = 0;
    std::optional<LabelDrawing> drawing;
    try {
        if (bound) {
            CollegamentoDatabase binding = document.binding();
            RecordSelection selection = RecordSelection::of(binding);
            records = database.source().openCounted(selection, recordCount);
            selection.storeBounds(binding);
            document.setBinding(binding); // the bounds as the criterion read them
        }
        drawing.emplace(document, records.get());
    } catch (const ProgramError& error) {
        reportFailure(error.number, error.description);
        return PrintOutcome::Failed;
    }
    if (!drawing->unknownFields().isEmpty()) {
        MessageService::current().warn(drawing->unknownFields().join(u'\n'),
                                       version::mainWindowCaption());
        return PrintOutcome::Failed;
    }

    PrintJob job;
    job.CampoQuantita = bound ? document.binding().CampoQuantita : QString();
    job.Domande = questionsOf(document);
    if (!job.Domande.isEmpty())
        job.Risposte = lastanswers::load(document.fileName());
    if (records)
        for (const FieldInfo& field : records->fields())
            job.CampiDisponibili << field.name;
    if (StampaDiretta) {
        job.PrimaEtichetta = 1;
        job.StampaCrocicchi = false;
        job.StampaBordi = false;
        job.PremutoOk = true;
        job.StampaTutte = true;
    } else if (hooks.askJob) {
        hooks.askJob(job, bound);
    }
    if (!job.PremutoOk)
        return PrintOutcome::Cancelled;
    // A question without an answer prints no label with an empty lot: a direct print has no
    // dialog to ask in.
    if (StampaDiretta)
        for (const QString& question : job.Domande)
            if (std::none_of(job.Risposte.keyValueBegin(), job.Risposte.keyValueEnd(),
                             [&](const auto& answer) {
                                 return answer.first.compare(question, Qt::CaseInsensitive) == 0 &&
                                        !answer.second.isEmpty();
                             })) {
                MessageService::current().warn(
                    QStringLiteral("L'etichetta chiede \"%1\": stamparla dalla finestra di "
                                   "stampa, che lo domanda.")
                        .arg(question),
                    version::mainWindowCaption());
                return PrintOutcome::Failed;
            }
    // A quantity field prints every record of a bound label; a script asking otherwise is
    // told, not given another number of labels.
    if (job.Strict && !job.CampoQuantita.trimmed().isEmpty() && (!bound || !job.StampaTutte)) {
        MessageService::current().warn(
            bound ? QStringLiteral("La quantità da campo stampa tutti i record: non va con un "
                                   "numero di etichette.")
                  : QStringLiteral("La quantità da campo vuole un'etichetta collegata a un "
                                   "database."),
            version::mainWindowCaption());
        return PrintOutcome::Failed;
    }
    // The quantity field chosen in the window is the label's from now on.
    if (bound && !job.Strict && !StampaDiretta &&
        job.CampoQuantita != document.binding().CampoQuantita) {
        CollegamentoDatabase binding = document.binding();
        binding.CampoQuantita = job.CampoQuantita;
        document.setBinding(binding);
        document.setModificato(true);
    }

    // Each record as many labels as its quantity says: every quantity is read, and checked,
    // before anything is printed.
    std::vector<long> perRecord;
    const bool byQuantity = bound && job.StampaTutte && !job.CampoQuantita.trimmed().isEmpty();
    if (byQuantity) {
        drawing.reset();
        records.reset();
        try {
            long counted = 0;
            RecordSelection selection = RecordSelection::of(document.binding());
            perRecord = quantities::read(*database.source().openCounted(selection, counted),
                                         job.CampoQuantita.trimmed());
            records = database.source().openCounted(selection, counted);
            drawing.emplace(document, records.get());
        } catch (const ProgramError& error) {
            reportFailure(error.number, error.description);
            return PrintOutcome::Failed;
        }
    }
    long count = byQuantity         ? std::accumulate(perRecord.begin(), perRecord.end(), 0L)
                 : !job.StampaTutte ? job.NumeroEtichette
                 : bound            ? recordCount
                                    : 1;
    const LayoutEtichetta sheet = sheet::pageLayout(document.paper(), document.layout());
    const std::optional<QSizeF> paper = sheet::paperSize(document.paper(), document.layout());
    if (paper && (paper->width() > sheet::LargestPaper || paper->height() > sheet::LargestPaper)) {
        MessageService::current().warn(
            QStringLiteral("La carta dell'etichetta misura %1 x %2 mm: più di %3 mm, troppo per "
                           "una stampa. Correggere \"Layout etichetta\".")
                .arg(std::ceil(paper->width()))
                .arg(std::ceil(paper->height()))
                .arg(sheet::LargestPaper),
            version::mainWindowCaption());
        return PrintOutcome::Failed;
    }
    const long positions = long(sheet.EtichetteOrizzontali) * sheet.EtichetteVerticali;
    if (job.Strict && job.PrimaEtichetta > positions) {
        MessageService::current().warn(
            QStringLiteral("La prima posizione richiesta (%1) è oltre le %2 etichette del foglio.")
                .arg(job.PrimaEtichetta)
                .arg(positions),
            version::mainWindowCaption());
        return PrintOutcome::Failed;
    }
    if (job.Strict && bound && !job.StampaTutte && count > recordCount) {
        // A label per record: past the last record there is nothing to put on a label.
        if (recordCount > 0)
            MessageService::current().message(
                QStringLiteral(
                    "Richieste %1 etichette, ma i record selezionati sono %2: si stampano "
                    "%2 etichette.")
                    .arg(count)
                    .arg(recordCount),
                version::mainWindowCaption(), MessageIcon::Information);
        count = recordCount;
    }
    if (count <= 0) {
        MessageService::current().warn(bound && job.StampaTutte
                                           ? QStringLiteral("Nessun record selezionato")
                                           : QStringLiteral("Nessuna etichetta da stampare"),
                                       version::mainWindowCaption());
        return PrintOutcome::NothingToPrint;
    }

    // In the window the user hears of cut texts before the job, and may stop it. The job's own
    // reading is let go meanwhile and started again: a connection serves one at a time.
    bool askedAboutCuts = false;
    if (!StampaDiretta && !job.Strict && hasTexts(document)) {
        drawing.reset();
        records.reset();
        CursoreAttesa();
        const std::optional<QString> cut =
            cutTextsAhead(document, database, count, job, byQuantity ? &perRecord : nullptr);
        CursoreNormale();
        try {
            if (bound) {
                long recounted = 0;
                RecordSelection selection = RecordSelection::of(document.binding());
                records = database.source().openCounted(selection, recounted);
            }
            drawing.emplace(document, records.get());
        } catch (const ProgramError& error) {
            reportFailure(error.number, error.description);
            return PrintOutcome::Failed;
        }
        askedAboutCuts = cut.has_value();
        if (cut && !cut->isEmpty() &&
            MessageService::current().question(*cut + QStringLiteral("\rStampare comunque?"),
                                               version::mainWindowCaption(), QuestionButtons::YesNo,
                                               MessageIcon::Question) != Answer::Yes)
            return PrintOutcome::Cancelled;
    }

    clsPressivo pressivo(ui);
    if (pressivo.SelectPrintDestination({}, StampaDiretta) == pressivo::Discard)
        return PrintOutcome::Cancelled;
    // The label's own paper, or the printer's: never the paper of the job before.
    const std::optional<QSizeF> jobPaper =
        paper ? std::optional<QSizeF>(*paper * units::PaperTwipsPerMillimetre) : std::nullopt;
    pressivo.surface().setJobPaper(jobPaper);
    // Bars on a printer's own dots, counted from where its printable area starts; the preview
    // and files draw them to fill their box.
    const bool toPrinter = pressivo.PrintDestination() == pressivo::Printer;
    pressivo.setDotsPerInch(job.DotsPerInch > 0    ? job.DotsPerInch
                            : pressivo.writesZpl() ? zploutput::DefaultDotsPerInch
                            : toPrinter            ? pressivo.surface().printer().dotsPerInch()
                                                   : 0,
                            toPrinter ? pressivo.surface().printer().dotOrigin(jobPaper)
                                      : QPointF());
    if (const QString why = pageTooSmall(sheet, pressivo.surface()); !why.isEmpty()) {
        MessageService::current().warn(why, version::mainWindowCaption());
        return PrintOutcome::Failed;
    }
    pressivo.surface().setJobName(document.fileName().isEmpty()
                                      ? QStringLiteral("Marvello")
                                      : QFileInfo(document.fileName()).fileName());

    CursoreAttesa();
    pressivo.StartDoc();
    pressivo.setCurrentX(0);
    pressivo.setCurrentY(0);
    // Millimetres, and offsets in millimetres that every element is drawn shifted by. The first
    // pair only moves the current position (Courier New, never printed); the second stays:
    // the 4 mm to the right are part of where labels have always printed, and printers'
    // sheets were set up around it. setOffsetX also adds its value times the unit's twips to
    // the current position: kept, as the position is never printed from.
    pressivo.setScaleMode(pressivo::Millimetre);
    pressivo.setOffsetX(7);
    pressivo.setOffsetY(5);
    pressivo.setFontName(QStringLiteral("Courier New"));
    pressivo.setFontSize(10);
    // A label's own paper: exactly; and the printer's own offset.
    // A saved print keeps the labels where the layout puts them: the printer it is sent to
    // moves them by its own.
    const QPointF offset = job.Offset.value_or(printersettings::offsetFor(
        pressivo.writesSavedPrint() ? pressivo::Discard : pressivo.PrintDestination(),
        pressivo.surface().DeviceName()));
    pressivo.setOffsetX((paper ? 0.0 : sheet::PrintShiftX) + offset.x());
    pressivo.setOffsetY(offset.y());
    if (pressivo.PrintDestination() == pressivo::Printer)
        pressivo.surface().setCalibration(offset * units::TwipsPerMillimetre);
    progress.begin();

    long position = 0;
    int column = 0, row = 1;
    bool earlyPreview = false;
    drawing->setAnswers(job.Risposte);
    // Serial numbers: the label's lock is held from the first number taken to the job's end.
    std::optional<SerialNumbers> serials;
    if (drawing->usesSerials()) {
        try {
            serials.emplace(document.fileName());
        } catch (const ProgramError& error) {
            CursoreNormale();
            progress.end();
            pressivo.KillDoc();
            reportFailure(error.number, error.description);
            return PrintOutcome::Failed;
        }
        if (job.InizioNumerazione)
            serials->startFrom(*job.InizioNumerazione);
        drawing->serialStart = serials->next();
    }
    std::optional<quantities::Walk> walk;
    if (byQuantity && records)
        walk.emplace(*records, std::move(perRecord),
                     records->fieldIndex(job.CampoQuantita.trimmed()));
    try {
        for (long i = 1; i <= count; ++i) {
            if (interruption::requested())
                throw InterruptedError(
                    QStringLiteral("Stampa interrotta dal segnale %1: nessun file "
                                   "scritto.")
                        .arg(interruption::signalNumber()));
            const LayoutEtichetta layout = sheet::pageLayout(document.paper(), document.layout());
            do {
                ++position;
                ++column;
                if (column > layout.EtichetteOrizzontali) {
                    column = 1;
                    ++row;
                    if (row > layout.EtichetteVerticali) {
                        column = 1;
                        row = 1;
                        pressivo.NewPage();
                        pressivo.setCurrentX(0);
                        pressivo.setCurrentY(0);
                        pressivo.setScaleMode(pressivo::Millimetre);
                        pressivo.setFontName(QStringLiteral("Courier New"));
                        pressivo.setFontSize(10);
                    }
                }
            } while (position < job.PrimaEtichetta);
            // A long preview opens with its first page; the pages after it join it.
            if (!earlyPreview && pressivo.PrintDestination() == pressivo::Preview &&
                pressivo.surface().PageCount() > 1 && ui.showPreviewEarly()) {
                earlyPreview = true;
                progress.end();
            }
            if (!earlyPreview)
                progress.label(int(i), int(count));
            if (earlyPreview ? !ui.previewDrawing(int(i), int(count)) : progress.cancelled()) {
                CursoreNormale();
                progress.end();
                pressivo.KillDoc();
                return PrintOutcome::Cancelled;
            }
            if (walk) {
                drawing->numbers = walk->next(i);
                drawing->hasRecord = true;
            } else if (records && i == 1) {
                drawing->hasRecord = records->next();
            }
            // Every record counted must arrive: fewer means the data changed or the connection
            // failed on the way, and a job printed short is no job delivered.
            if (records && (job.StampaTutte || job.Strict) && !drawing->hasRecord)
                throw DatabaseError(DatabaseError::CannotOpen,
                                    QStringLiteral("Il database ha dato %1 record dei %2 "
                                                   "contati: la stampa si ferma.")
                                        .arg(i - 1)
                                        .arg(count));
            drawing->sequence = i;
            drawing->drawLabel(pressivo, column, row, job);
            // The record after the last label is read only to learn that there is none.
            if (!walk && records && drawing->hasRecord && (i < count || job.StampaTutte))
                drawing->hasRecord = records->next();
        }
        if (walk)
            walk->finish();
        // More records than counted: the data changed while it was read, and the labels
        // printed are not those of the selection.
        if (!walk && records && job.StampaTutte && drawing->hasRecord)
            throw DatabaseError(DatabaseError::CannotOpen,
                                QStringLiteral("Il database ha dato più record dei %1 contati: i "
                                               "dati sono cambiati durante la stampa, che si "
                                               "ferma.")
                                    .arg(count));
    } catch (const ProgramError& error) {
        CursoreNormale();
        progress.end();
        pressivo.KillDoc();
        reportFailure(error.number, error.description);
        return PrintOutcome::Failed;
    }
    CursoreNormale();
    progress.end();
    if (interruption::requested()) {
        pressivo.KillDoc();
        return PrintOutcome::Failed;
    }
    // A signal during EndDoc stops a PDF before it is put in place; a job CUPS has already
    // accepted is delivered, and saying otherwise would make a script print it twice.
    if (!pressivo.EndDoc())
        return PrintOutcome::Failed;
    if (!job.Strict && !job.Domande.isEmpty())
        lastanswers::save(document.fileName(), job.Risposte);
    if (serials) {
        try {
            serials->commit(count);
        } catch (const ProgramError& error) {
            // The labels are out, but the next job would print their numbers again.
            reportFailure(error.number,
                          error.description + QStringLiteral(" Le etichette sono state stampate: "
                                                             "correggere la numerazione."));
            return PrintOutcome::Failed;
        }
    }
    if (const QString cut = drawing->cutTextsWarning(); !cut.isEmpty() && !askedAboutCuts)
        MessageService::current().message(cut, version::mainWindowCaption(),
                                          MessageIcon::Information);
    return drawing->leftOut() ? PrintOutcome::DeliveredIncomplete : PrintOutcome::Delivered;
}
