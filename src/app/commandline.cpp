// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include "document/labeldocument.h"

QStringList LeggiArgomenti(const QString& testo, int maxArgomenti) {
    QStringList arguments;
    bool inArgument = false;
    for (const QChar c : testo) {
        if (c == u',') {
            inArgument = false;
            continue;
        }
        if (!inArgument) {
            if (arguments.size() >= maxArgomenti)
                break;
            arguments.append(QString());
            inArgument = true;
        }
        arguments.back().append(c);
    }
    return arguments;
}

QString argumentText(const QStringList& wordsAfterProgram) {
    return wordsAfterProgram.join(u' ');
}

StartupAction Main(LabelDocument& document, const QString& text, const DatabaseConnector& connect) {
    const QStringList arguments = LeggiArgomenti(text, 10);
    auto argument = [&](int number) { return arguments.value(number - 1).trimmed(); };
    const qsizetype count = arguments.size();

    if (count == 1) {
        if (!argument(1).isEmpty())
            CaricaEtichetta(document, argument(1), {}, {}, connect);
        return StartupAction::ShowWindow;
    }
    if (count >= 2 && count <= 4) {
        QString database;
        QString password;
        if (count >= 3 && !argument(3).isEmpty())
            database = argument(3);
        if (count == 4 && !argument(4).isEmpty())
            password = argument(4);
        const LoadResult loaded =
            CaricaEtichetta(document, argument(1), database, password, connect);
        const bool print = argument(2) == u"-S" || argument(2) == u"-D";
        // A print asked for a label that could not be read whole would print something else:
        // an empty label, or part of one.
        if (print && loaded.outcome != LoadOutcome::Loaded)
            return StartupAction::Abandon;
        if (argument(2) == u"-S")
            return StartupAction::PrintWithDialog;
        if (argument(2) == u"-D")
            return StartupAction::PrintDirect;
        return StartupAction::ShowWindow;
    }
    return StartupAction::ShowWindow;
}
