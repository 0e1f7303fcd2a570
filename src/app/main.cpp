// SPDX-License-Identifier: GPL-3.0-or-later
// Marvello: label designer and label printer.
//
//   marvello [LABEL.eti[,-S|-D[,DATABASE[,PASSWORD]]]]   as other programs start it
//   marvello --print LABEL.eti --to OUT [...]            batch printing, no window
//   marvello --info LABEL.eti                             the label as JSON, for scripts
//   marvello --from-info INFO.json --to LABEL.eti         a label written from that JSON
//   marvello --sheets [TEXT]                              label sheets of the catalogue, as JSON
//   marvello serve [--config FILE] [--check] [...]         the print service
//   marvello --help | --version

#include "app/batchprint.h"
#include "app/commandline.h"
#include "app/exitcodes.h"
#include "app/labelsummary.h"
#include "app/widgets/mainwindow.h"
#include "common/cursor.h"
#include "common/files.h"
#include "common/interruption.h"
#include "common/messageservice.h"
#include "common/passwords.h"
#include "common/version.h"
#include "common/watchdog.h"
#include "common/widgets/widgetmessageservice.h"
#include "database/clsdatabase.h"
#include "document/labeldocument.h"
#include "document/labelfile.h"
#include "document/labeljson.h"
#include "printcomponent/savedprints.h"
#include "printcomponent/widgets/qtprinter.h"
#include "printcomponent/widgets/widgetpressivoui.h"
#include "printing/printengine.h"
#include "printing/sheetcatalogue.h"
#include "printing/widgets/frmattesa.h"
#include "service/printservice.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstring>

namespace {

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

bool displayAvailable() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return qgetenv("QT_QPA_PLATFORM") != "offscreen" && qgetenv("QT_QPA_PLATFORM") != "minimal";
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QString usage() {
    return QStringLiteral(
        "Uso:\n"
        "  marvello [ETICHETTA.eti[,-S|-D[,DATABASE[,PASSWORD]]]]\n"
        "      Apre l'etichetta nella finestra; con -S la stampa con la finestra di stampa,\n"
        "      con -D la stampa direttamente sulla stampante predefinita, poi termina.\n"
        "      Gli argomenti sono separati da virgole.\n"
        "  marvello STAMPA.ant\n"
        "      Apre una stampa salvata nell'anteprima.\n"
        "  marvello --print ETICHETTA.eti|STAMPA.ant --to DESTINAZIONE [opzioni]\n"
        "      Stampa senza finestre (una stampa salvata esce come fu stampata).\n"
        "      DESTINAZIONE: file.pdf, file.ant (stampa salvata),\n"
        "      printer (stampante predefinita) o printer:NOME.\n"
        "      --db FILE|INDIRIZZO --password PW|- --password-file FILE\n"
        "                                dati al posto di quelli dell'etichetta: un file\n"
        "                                (.mdb, .csv, .xlsx, .ods, .sqlite) o un server\n"
        "                                (postgresql://utente@server/database);\n"
        "                                la password: - la legge da stdin,\n"
        "                                anche MARVELLO_PASSWORD\n"
        "      --first N                 prima posizione sul foglio (1)\n"
        "      --count N                 numero di etichette (tutte se manca)\n"
        "      --quantity-field CAMPO    ogni record tante etichette quante dice il campo\n"
        "      --set DOMANDA=RISPOSTA    la risposta a ${?DOMANDA} (anche più volte)\n"
        "      --serial-start N          numerazione ${P} da N (altrimenti dalla stampa prima)\n"
        "      --borders --crop-marks    bordi e indicatori margini\n"
        "      --copies N                copie alla stampante\n"
        "      --progress                avanzamento su stderr\n"
        "      --timeout S               attesa massima dei dati (60 secondi)\n"
        "      --dpi N                   barre dei codici sui punti di una stampante a N dpi\n"
        "      --offset X,Y              spostamento in mm delle etichette (1.5,-0.5), al posto\n"
        "                                di quello della stampante\n"
        "  marvello --info ETICHETTA.eti   descrive l'etichetta in JSON e termina\n"
        "  marvello --from-info INFO.json --to ETICHETTA.eti\n"
        "                                  scrive l'etichetta descritta dal JSON di --info\n"
        "  marvello --sheets [TESTO]       i modelli di foglio che contengono il testo\n"
        "                                  (produttore, codice, misura), in JSON\n"
        "  marvello serve [--config FILE] [--check] [--listen INDIRIZZO:PORTA]\n"
        "                 [--labels CARTELLA] [--tokens FILE] [--state CARTELLA]\n"
        "                 [--printers NOME,...] [--watch CARTELLA] [--watch-to DESTINAZIONE]\n"
        "                                  il servizio di stampa: lavori via HTTP e da una\n"
        "                                  cartella; --check controlla la configurazione\n"
        "  marvello --help                 questo aiuto\n"
        "  marvello --version              la versione");
}

// SIGINT and SIGTERM stop a job; without a window, one that does not stop soon after (a
// server that does not answer) is ended by force. A window is never closed under its user.
void stopOnSignals(bool withoutWindow) {
    interruption::catchSignals();
    if (withoutWindow)
        watchdog::allowForcedExit();
}

std::shared_ptr<PrinterBackend> systemPrinter(const QString& name) {
    return std::make_shared<QtPrinter>(name);
}

int runInfo(const QStringList& words) {
    if (words.size() != 2) {
        print(stderr, QStringLiteral("--info vuole un solo file etichetta.\n") + usage());
        return exitcode::Usage;
    }
    LabelDocument document;
    const LoadResult result = CaricaEtichetta(document, words.at(1));
    if (result.outcome != LoadOutcome::Loaded)
        return exitcode::Failed;
    print(stdout, QString::fromUtf8(QJsonDocument(documentToJson(document)).toJson()).trimmed());
    return 0;
}

// The label a JSON description (as --info writes it) gives, checked as a label file is read
// before it is written whole.
int runFromInfo(const QStringList& words) {
    if (words.size() != 4 || words.at(2) != u"--to") {
        print(stderr, QStringLiteral("--from-info vuole un file JSON e --to con il file "
                                     "etichetta da scrivere.\n") +
                          usage());
        return exitcode::Usage;
    }
    const QString source = words.at(1), target = words.at(3);
    const auto fail = [&](const QString& why) {
        print(stderr, QStringLiteral("%1: %2").arg(source, why));
        return exitcode::Failed;
    };
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const QByteArray text = file.read(labelfile::MaximumFileSize + 1);
    if (text.size() > labelfile::MaximumFileSize)
        return fail(QStringLiteral("il file è troppo grande per descrivere un'etichetta."));
    QJsonParseError parse;
    const QJsonDocument json = QJsonDocument::fromJson(text, &parse);
    if (!json.isObject())
        return fail(parse.error != QJsonParseError::NoError
                        ? QStringLiteral("JSON non valido: %1.").arg(parse.errorString())
                        : QStringLiteral("il JSON non è un oggetto."));
    LabelDocument document;
    if (const auto problem = documentFromJson(json.object(), document))
        return fail(*problem);
    const auto written = labelfile::write(document);
    if (const auto* error = std::get_if<labelfile::WriteError>(&written))
        return fail(error->message);
    const QByteArray bytes = std::get<QByteArray>(written);
    LabelDocument check;
    if (const auto error = labelfile::read(bytes, check, QFileInfo(target).absolutePath()))
        return fail(QStringLiteral("errore %1: %2").arg(error->code).arg(error->description));
    QString why;
    if (!writeWholeFile(
            target, [&](QIODevice& out) { return out.write(bytes) == bytes.size(); }, &why)) {
        print(stderr, why + u'\n');
        return exitcode::Failed;
    }
    print(stdout, target);
    return exitcode::Delivered;
}

// `marvello serve`: until SIGTERM; with --check, only says whether the configuration holds.
int runServe(QStringList words) {
    // A worker the service started for one lane: "--worker LANE --parent PID" after its own.
    const qsizetype worker = words.indexOf(QStringLiteral("--worker"));
    QString lane;
    qint64 parent = 0;
    if (worker >= 0 && worker + 3 < words.size() && words[worker + 2] == u"--parent") {
        lane = words[worker + 1];
        parent = words[worker + 3].toLongLong();
        words.remove(worker, 4);
    }
    QString error;
    const auto config = ServiceConfig::fromArguments(words, defaultServiceConfigFile(), &error);
    if (!config) {
        print(stderr, error);
        return exitcode::Usage;
    }
    if (words.contains(QStringLiteral("--check"))) {
        const QStringList problems = config->problems();
        print(problems.isEmpty() ? stdout : stderr,
              problems.isEmpty() ? QStringLiteral("Configurazione valida.") : problems.join(u'\n'));
        return problems.isEmpty() ? exitcode::Delivered : exitcode::Failed;
    }
    stopOnSignals(true);
    if (!lane.isEmpty())
        return runLaneWorker(*config, lane, parent, systemPrinter);
    return runPrintService(*config, words);
}

int runOption(const QStringList& words) {
    const QString& option = words.first();
    if (option == u"serve")
        return runServe(words.mid(1));
    if (option == u"--help" || option == u"-h") {
        print(stdout, usage());
        return 0;
    }
    if (option == u"--version") {
        print(stdout, QStringLiteral("Marvello ") + version::text());
        return 0;
    }
    if (option == u"--info")
        return runInfo(words);
    if (option == u"--from-info")
        return runFromInfo(words);
    if (option == u"--sheets") {
        const auto found = sheetcatalogue::search(sheetcatalogue::all(), words.mid(1).join(u' '));
        print(stdout,
              QString::fromUtf8(QJsonDocument(sheetcatalogue::toJson(found)).toJson()).trimmed());
        return found.empty() ? exitcode::Failed : 0;
    }
    if (option == u"--print") {
        QString error;
        const auto options = BatchOptions::parse(words, &error);
        if (!options) {
            print(stderr, error + u'\n' + usage());
            return exitcode::Usage;
        }
        stopOnSignals(true);
        return runBatchPrint(*options, systemPrinter);
    }
    print(stderr, QStringLiteral("Opzione sconosciuta: %1\n").arg(option) + usage());
    return exitcode::Usage;
}

// Without a display the label is printed to a PDF, so that a person sees what it gives.
int printToPdfWithoutDisplay(const LabelDocument& document) {
    const QString name = document.fileName().isEmpty()
                             ? QStringLiteral("etichetta")
                             : QFileInfo(document.fileName()).completeBaseName();
    // A folder only this user can enter: a fixed name under /tmp could be a link planted by
    // another user.
    const QString folder = privateOutputFolder();
    if (folder.isEmpty()) {
        print(stderr, QStringLiteral(
                          "Nessuna cartella privata disponibile per il PDF (~/.cache/marvello)."));
        return exitcode::Failed;
    }
    BatchOptions options;
    options.label = document.fileName();
    options.to = QDir(folder).filePath(name + QStringLiteral(".pdf"));
    print(stdout, QStringLiteral("Nessun display disponibile: stampo l'etichetta in PDF.\n") +
                      labelSummary(document));
    if (options.label.isEmpty()) {
        print(stdout, QStringLiteral("Nessuna etichetta da stampare."));
        return exitcode::Delivered;
    }
    stopOnSignals(true);
    const int result = runBatchPrint(options, systemPrinter);
    if (result == 0)
        print(stdout, QStringLiteral("PDF scritto in %1").arg(options.to));
    return result;
}

// `marvello FILE.ant`: the saved print in the preview; without a display, in a PDF.
int openSavedPrint(const QString& path, bool hasDisplay) {
    if (!hasDisplay) {
        const QString folder = privateOutputFolder();
        if (folder.isEmpty())
            return exitcode::Failed;
        BatchOptions options;
        options.label = path;
        options.to =
            QDir(folder).filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".pdf"));
        print(stdout,
              QStringLiteral("Nessun display disponibile: stampo la stampa salvata in PDF."));
        stopOnSignals(true);
        return runBatchPrint(options, systemPrinter);
    }
    WidgetMessageService windowMessages;
    ScopedMessageService messages(windowMessages);
    WidgetPressivoUi printWindows(systemPrinter({}));
    return savedprints::showInPreview(printWindows, path) ? exitcode::Delivered : exitcode::Failed;
}

int runLabelProgram(const QStringList& words, bool hasDisplay) {
    if (words.size() == 1 && savedprints::isSavedPrint(words.first()))
        return openSavedPrint(words.first(), hasDisplay);
    WidgetMessageService windowMessages;
    std::optional<ScopedMessageService> messages;
    WidgetPressivoUi printWindows(systemPrinter({}));
    if (hasDisplay) {
        messages.emplace(windowMessages);
        PressivoUi::install(&printWindows);
    }

    CursoreAttesa();
    LabelDocument document;
    clsDatabase database;
    frmMarvello window(document, database);
    windowMessages.setParent(&window);
    CursoreNormale();

    const auto connect = [&](const QString& path, const QString& password, const QString& table) {
        return window.ConnettiDatabase(path, password, table);
    };
    const StartupAction action = Main(document, argumentText(words), connect);
    int result = exitcode::Delivered;
    switch (action) {
    case StartupAction::Abandon:
        print(stderr, QStringLiteral("Etichetta non letta: nessuna stampa."));
        result = exitcode::Failed;
        break;
    case StartupAction::PrintWithDialog:
    case StartupAction::PrintDirect: {
        const bool direct = action == StartupAction::PrintDirect;
        if (!hasDisplay && !direct) {
            print(stderr, QStringLiteral("La stampa con la finestra di dialogo (-S) richiede un "
                                         "display."));
            result = exitcode::NeedsDisplay;
            break;
        }
        stopOnSignals(!hasDisplay);
        HeadlessPressivoUi headless;
        headless.surface().setPrinterBackend(systemPrinter({}));
        frmAttesa wait;
        PrintHooks hooks;
        hooks.ui = hasDisplay ? static_cast<PressivoUi*>(&printWindows) : &headless;
        hooks.progress = hasDisplay ? &wait : nullptr;
        hooks.askJob = [&](PrintJob& job, bool bound) { askJobWithDialog(job, bound); };
        result = exitCodeOf(StampaEtichette(document, database, direct, hooks));
        break;
    }
    case StartupAction::ShowWindow:
        if (!hasDisplay) {
            result = printToPdfWithoutDisplay(document);
            break;
        }
        window.refresh();
        window.show();
        result = QApplication::exec();
        break;
    }
    PressivoUi::install(nullptr);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    const bool option =
        argc > 1 && (std::strncmp(argv[1], "--", 2) == 0 || std::strcmp(argv[1], "serve") == 0);
    const bool hasDisplay = !option && displayAvailable();
    // Without a display (and for the options, which never show a window) Qt still renders,
    // off screen.
    if (!hasDisplay)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ensureRuntimeDirectory();

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marvello"));
    QApplication::setApplicationVersion(version::text());

    // Qt's own dialogs and buttons speak Italian, like the program.
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtItalian);

    const QStringList words = QApplication::arguments().mid(1);
    // Other users of the machine see a process's arguments: passwords leave them now.
    passwords::hideInArguments(argc, argv);
    if (option)
        return runOption(words);
    return runLabelProgram(words, hasDisplay);
}
