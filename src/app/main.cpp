// Marvello: label designer and label printer.
//
//   marvello [LABEL.eti[,-S|-D[,DATABASE[,PASSWORD]]]]   as other programs start it
//   marvello --info LABEL.eti                             the label as JSON, for scripts
//   marvello --help | --version

#include "app/commandline.h"
#include "app/labelsummary.h"
#include "app/mainwindow.h"
#include "common/cursor.h"
#include "common/files.h"
#include "common/messageservice.h"
#include "common/version.h"
#include "common/widgetmessageservice.h"
#include "document/labeldocument.h"
#include "document/labeljson.h"

#include <QApplication>
#include <QJsonDocument>

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
        "      con -D la stampa direttamente, poi termina. Gli argomenti sono separati da\n"
        "      virgole.\n"
        "  marvello --info ETICHETTA.eti   descrive l'etichetta in JSON e termina\n"
        "  marvello --help                 questo aiuto\n"
        "  marvello --version              la versione");
}

int runInfo(const QStringList& words) {
    if (words.size() != 2) {
        print(stderr, QStringLiteral("--info vuole un solo file etichetta.\n") + usage());
        return 2;
    }
    LabelDocument document;
    const LoadResult result = CaricaEtichetta(document, words.at(1));
    if (result.outcome != LoadOutcome::Loaded)
        return 1;
    print(stdout, QString::fromUtf8(QJsonDocument(documentToJson(document)).toJson()).trimmed());
    return 0;
}

int runOption(const QStringList& words) {
    const QString& option = words.first();
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
    print(stderr, QStringLiteral("Opzione sconosciuta: %1\n").arg(option) + usage());
    return 2;
}

int runLabelProgram(const QStringList& words, bool hasDisplay) {
    WidgetMessageService windowMessages;
    std::optional<ScopedMessageService> messages;
    if (hasDisplay)
        messages.emplace(windowMessages);

    CursoreAttesa();
    LabelDocument document;
    frmMarvello window(document);
    windowMessages.setParent(&window);
    CursoreNormale();

    switch (Main(document, argumentText(words))) {
    case StartupAction::PrintWithDialog:
    case StartupAction::PrintDirect:
        print(stderr, QStringLiteral("La stampa non è ancora disponibile in questa versione."));
        return 3;
    case StartupAction::ShowWindow:
        break;
    }
    if (!hasDisplay) {
        print(stdout, QStringLiteral("Nessun display disponibile: la finestra non può essere "
                                     "mostrata. Contenuto dell'etichetta:\n") +
                          labelSummary(document));
        return 0;
    }
    window.refresh();
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    const bool option = argc > 1 && std::strncmp(argv[1], "--", 2) == 0;
    const bool hasDisplay = !option && displayAvailable();
    // Without a display (and for the options, which never show a window) Qt still renders,
    // off screen.
    if (!hasDisplay)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ensureRuntimeDirectory();

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marvello"));
    QApplication::setApplicationVersion(version::text());

    const QStringList words = QApplication::arguments().mid(1);
    if (option)
        return runOption(words);
    return runLabelProgram(words, hasDisplay);
}
