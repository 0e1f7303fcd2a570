// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/batchprint.h"

#include "app/exitcodes.h"
#include "common/interruption.h"
#include "common/messageservice.h"
#include "common/passwords.h"
#include "common/watchdog.h"
#include "database/clsdatabase.h"
#include "document/labeldocument.h"
#include "document/labelfileoperations.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printsurface.h"
#include "printcomponent/savedprints.h"
#include "printing/labeldrawing.h"
#include "printing/printengine.h"

#include <QFileInfo>

#include <cstdio>

namespace {

class StderrProgress final : public PrintProgress {
public:
    void label(int i, int n) override {
        std::fprintf(stderr, "Etichetta %d/%d\n", i, n);
        std::fflush(stderr);
    }
};

std::optional<int> wholeNumber(const QString& text, int lowest, int highest) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<BatchOptions> BatchOptions::parse(const QStringList& words, QString* error) {
    BatchOptions options;
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= words.size())
                return std::nullopt;
            return words[++i];
        };
        if (word == u"--print") {
            const auto v = value();
            if (!v)
                return fail(QStringLiteral("--print vuole il file etichetta."));
            options.label = *v;
        } else if (word == u"--to") {
            const auto v = value();
            if (!v)
                return fail(QStringLiteral("--to vuole la destinazione."));
            options.to = *v;
        } else if (word == u"--db") {
            options.database = value();
            if (!options.database)
                return fail(QStringLiteral("--db vuole il file database."));
        } else if (word == u"--password") {
            const auto v = value();
            if (!v)
                return fail(QStringLiteral("--password vuole la password."));
            options.password = passwords::fromArgument(*v);
        } else if (word == u"--password-file") {
            const auto v = value();
            const auto password = v ? passwords::fromFile(*v) : std::nullopt;
            if (!password)
                return fail(QStringLiteral("--password-file vuole un file leggibile con la "
                                           "password."));
            options.password = *password;
        } else if (word == u"--dpi") {
            const auto v = value();
            const auto dots = v ? wholeNumber(*v, 72, 2400) : std::nullopt;
            if (!dots)
                return fail(QStringLiteral("--dpi vuole i punti per pollice, da 72 a 2400."));
            options.dotsPerInch = *dots;
        } else if (word == u"--offset") {
            // Two millimetre values with a decimal point, as "1.5,-0.5": the comma parts them.
            const auto v = value();
            const QStringList parts = v ? v->split(u',') : QStringList();
            bool right = false, down = false;
            const double x = parts.size() == 2 ? parts[0].toDouble(&right) : 0;
            const double y = parts.size() == 2 ? parts[1].toDouble(&down) : 0;
            if (!right || !down || std::abs(x) > 50 || std::abs(y) > 50)
                return fail(QStringLiteral("--offset vuole X,Y in millimetri (punto decimale, "
                                           "al massimo 50), come 1.5,-0.5."));
            options.offset = QPointF(x, y);
        } else if (word == u"--serial-start") {
            const auto v = value();
            const auto start = v ? wholeNumber(*v, 0, 999999999) : std::nullopt;
            if (!start)
                return fail(QStringLiteral("--serial-start vuole un numero intero da 0 a "
                                           "999999999."));
            options.serialStart = *start;
        } else if (word == u"--set") {
            const auto v = value();
            const qsizetype equals = v ? v->indexOf(u'=') : -1;
            if (equals <= 0)
                return fail(QStringLiteral("--set vuole DOMANDA=RISPOSTA, come --set Lotto=L42."));
            options.answers.insert(v->left(equals).trimmed(), v->mid(equals + 1));
        } else if (word == u"--quantity-field") {
            const auto v = value();
            if (!v)
                return fail(QStringLiteral("--quantity-field vuole il nome di un campo."));
            options.quantityField = v->trimmed();
        } else if (word == u"--timeout") {
            const auto v = value();
            const auto seconds = v ? wholeNumber(*v, 1, 86400) : std::nullopt;
            if (!seconds)
                return fail(QStringLiteral("--timeout vuole i secondi, da 1 a 86400."));
            options.timeoutSeconds = *seconds;
        } else if (word == u"--first" || word == u"--count" || word == u"--copies") {
            const auto v = value();
            const auto number =
                v ? wholeNumber(*v, word == u"--count" ? 0 : 1, word == u"--copies" ? 999 : 32767)
                  : std::nullopt;
            if (!number)
                return fail(QStringLiteral("%1 vuole un numero intero valido.").arg(word));
            if (word == u"--first")
                options.first = *number;
            else if (word == u"--count")
                options.count = *number;
            else
                options.copies = *number;
        } else if (word == u"--borders") {
            options.borders = true;
        } else if (word == u"--crop-marks") {
            options.cropMarks = true;
        } else if (word == u"--progress") {
            options.progress = true;
        } else {
            return fail(QStringLiteral("Opzione sconosciuta: %1").arg(word));
        }
    }
    if (options.password.isEmpty())
        options.password = passwords::fromEnvironment();
    if (options.label.isEmpty())
        return fail(QStringLiteral("Manca --print ETICHETTA.eti."));
    if (options.to.isEmpty())
        return fail(QStringLiteral("Manca --to DESTINAZIONE (file .pdf, .ant o .zpl, printer o "
                                   "printer:NOME)."));
    // zpl:FILE is the same as FILE: the ZPL of a label printer, in a file named as one.
    const QString to = options.to.toLower();
    const QString file = to.startsWith(QStringLiteral("zpl:")) ? to.mid(4) : to;
    const bool known = file.endsWith(QStringLiteral(".pdf")) ||
                       file.endsWith(QStringLiteral(".ant")) ||
                       file.endsWith(QStringLiteral(".zpl"));
    if ((to.startsWith(QStringLiteral("zpl:")) && !file.endsWith(QStringLiteral(".zpl"))) ||
        (!known && to != u"printer" && !to.startsWith(QStringLiteral("printer:"))))
        return fail(QStringLiteral("Destinazione sconosciuta: %1 (file .pdf, .ant o .zpl, printer "
                                   "o printer:NOME).")
                        .arg(options.to));
    return options;
}

int exitCodeOf(PrintOutcome outcome, const std::function<void()>& whenDelivered) {
    const bool delivered =
        outcome == PrintOutcome::Delivered || outcome == PrintOutcome::DeliveredIncomplete;
    if (interruption::requested() && !delivered)
        return interruption::exitCode();
    if (delivered && whenDelivered)
        whenDelivered();
    switch (outcome) {
    case PrintOutcome::Delivered:
        return exitcode::Delivered;
    case PrintOutcome::DeliveredIncomplete:
        return exitcode::Incomplete;
    case PrintOutcome::NothingToPrint:
        return exitcode::NothingToPrint;
    case PrintOutcome::Cancelled:
    case PrintOutcome::Failed:
        break;
    }
    return exitcode::Failed;
}

namespace {

// Sets the headless windows up for the destination asked; false when it cannot be reached.
bool chooseDestination(const BatchOptions& options, const PrinterFactory& printers,
                       HeadlessPressivoUi& ui) {
    const QString to = options.to;
    if (to.compare(QStringLiteral("printer"), Qt::CaseInsensitive) == 0 ||
        to.startsWith(QStringLiteral("printer:"), Qt::CaseInsensitive)) {
        const QString name = to.section(u':', 1);
        std::shared_ptr<PrinterBackend> printer = printers ? printers(name) : nullptr;
        if (!printer || !printer->available()) {
            MessageService::current().message(
                name.isEmpty() ? QStringLiteral("Nessuna stampante installata.")
                               : QStringLiteral("Stampante %1 non trovata.").arg(name),
                {});
            return false;
        }
        ui.surface().setPrinterBackend(printer);
        ui.destination = pressivo::Printer;
        ui.copies = options.copies;
    } else {
        const bool zpl = to.startsWith(QStringLiteral("zpl:"), Qt::CaseInsensitive);
        ui.destination = pressivo::File;
        ui.fileName = QFileInfo(zpl ? to.mid(4) : to).absoluteFilePath();
    }
    return true;
}

void reportWritten(const HeadlessPressivoUi& ui) {
    if (ui.destination == pressivo::File)
        std::fprintf(stdout, "%s\n", qPrintable(ui.fileName));
}

} // namespace

int runBatchPrint(const BatchOptions& options, const PrinterFactory& printers) {
    watchdog::setTimeout(std::chrono::seconds(options.timeoutSeconds));
    if (savedprints::isSavedPrint(options.label)) {
        HeadlessPressivoUi ui;
        // A saved print goes out again exactly as it was first printed.
        if (!chooseDestination(options, printers, ui))
            return exitcode::Failed;
        if (!savedprints::reprint(ui, options.label, ui.destination, ui.fileName,
                                  ui.destination == pressivo::Printer ? options.copies : 1))
            return interruption::requested() ? interruption::exitCode() : exitcode::Failed;
        reportWritten(ui);
        return exitcode::Delivered;
    }

    LabelDocument document;
    clsDatabase database;
    bool tableMissing = false;
    const auto connect = [&](const QString& path, const QString& password, const QString& table) {
        return connectLabelDatabase(database, document, path, password, table, &tableMissing);
    };
    const LoadResult loaded = CaricaEtichetta(
        document, options.label, options.database.value_or(QString()), options.password, connect);
    if (loaded.outcome != LoadOutcome::Loaded)
        return exitcode::Failed;
    if (!document.binding().NomeDatabase.isEmpty() && !document.DatabaseConnesso()) {
        const CollegamentoDatabase binding = document.binding();
        MessageService::current().message(
            tableMissing ? QStringLiteral("La tabella o la query \"%1\" non è nel database %2: "
                                          "la stampa si ferma.")
                               .arg(binding.NomeTabella, passwords::hiddenIn(binding.NomeDatabase))
                         : QStringLiteral("Database %1 non connesso: la stampa si ferma.")
                               .arg(passwords::hiddenIn(binding.NomeDatabase)),
            {});
        return exitcode::Failed;
    }
    return printLoaded(document, database, options, printers);
}

int printLoaded(LabelDocument& document, clsDatabase& database, const BatchOptions& options,
                const PrinterFactory& printers) {
    // A question without an answer is a command line that is not complete: no label is
    // printed with an empty lot.
    for (const QString& question : questionsOf(document)) {
        const auto answered = std::any_of(
            options.answers.keyBegin(), options.answers.keyEnd(),
            [&](const QString& name) { return name.compare(question, Qt::CaseInsensitive) == 0; });
        if (!answered) {
            MessageService::current().message(
                QStringLiteral("L'etichetta chiede \"%1\": dare la risposta con --set %1=VALORE.")
                    .arg(question),
                {});
            return exitcode::Usage;
        }
    }
    HeadlessPressivoUi ui;
    if (!chooseDestination(options, printers, ui))
        return exitcode::Failed;

    StderrProgress progress;
    PrintHooks hooks;
    hooks.ui = &ui;
    hooks.progress = options.progress ? &progress : nullptr;
    hooks.askJob = [&](PrintJob& job, bool) {
        job.PremutoOk = true;
        job.StampaTutte = !options.count.has_value();
        job.NumeroEtichette = qint16(options.count.value_or(0));
        job.PrimaEtichetta = qint16(options.first);
        job.StampaCrocicchi = options.cropMarks;
        job.StampaBordi = options.borders;
        job.Strict = true;
        job.DotsPerInch = options.dotsPerInch;
        job.Offset = options.offset;
        if (options.quantityField)
            job.CampoQuantita = *options.quantityField;
        job.Risposte = options.answers;
        if (options.serialStart)
            job.InizioNumerazione = *options.serialStart;
    };
    return exitCodeOf(StampaEtichette(document, database, false, hooks), [&] {
        if (options.sayWritten)
            reportWritten(ui);
    });
}
