// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/labelfileoperations.h"
#include "common/programerror.h"

#include <QDir>

#include "common/files.h"
#include "common/messageservice.h"
#include "common/version.h"
#include "document/labeldocument.h"
#include "document/labelfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString titleOr(const QString& title) {
    return title.isEmpty() ? version::mainWindowCaption() : title;
}

FileDialogRequest labelFileDialog(FileDialogRequest::Mode mode, const QString& title) {
    FileDialogRequest request;
    request.mode = mode;
    request.title = title;
    request.defaultSuffix = QStringLiteral("eti");
    request.filter = labelFileFilter();
    request.filterIndex = 2;
    request.mustExist = mode == FileDialogRequest::Mode::Open;
    request.confirmOverwrite = mode == FileDialogRequest::Mode::Save;
    // Always a folder of the user's choosing, never the one another dialog last visited.
    request.directory = QDir::currentPath();
    return request;
}

} // namespace

QString labelFileFilter() {
    return QStringLiteral("Tutti Files (*.*)|*.*|File ascii (*.eti)|*.eti");
}

LoadResult CaricaEtichetta(LabelDocument& document, const std::optional<QString>& NomeFile,
                           const QString& argNomeFileDB, const QString& argPasswordDB,
                           const DatabaseConnector& connect, const QString& title) {
    MessageService& messages = MessageService::current();
    QString fileName;
    if (NomeFile) {
        fileName = *NomeFile;
    } else {
        const auto chosen = messages.chooseFile(
            labelFileDialog(FileDialogRequest::Mode::Open,
                            QStringLiteral("Inserire il nome del file etichetta da aprire")));
        if (!chosen)
            return {LoadOutcome::Cancelled, 0, {}};
        fileName = *chosen;
    }

    if (!FileEsiste(fileName)) {
        messages.warn(QStringLiteral("File ") + fileName +
                          QStringLiteral(" non trovato oppure percoso inacessibile."),
                      titleOr(title));
        return {LoadOutcome::NotFound, 0, {}};
    }

    auto failed = [&](int code, const QString& description) {
        messages.warn(userMessage(code, description), titleOr(title));
        return LoadResult{LoadOutcome::Failed, code, description};
    };

    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return failed(labelfile::errors::PathFileAccess,
                      QStringLiteral("Errore di accesso al percorso/file: ") + file.errorString());
    if (file.size() > labelfile::MaximumFileSize)
        return failed(labelfile::errors::OutOfMemory,
                      QStringLiteral("Memoria esaurita: il file è troppo grande per essere un "
                                     "file etichetta."));
    const QByteArray bytes = file.readAll();
    const bool readFailed = file.error() != QFileDevice::NoError;
    const QString readError = file.errorString();
    file.close();

    document.NuovaEtichetta();
    // However the reading ends, this is another label now: it has no past to undo into.
    const struct Replaced {
        LabelDocument& document;
        ~Replaced() { document.markReplaced(); }
    } replaced{document};
    document.setFileName(QFileInfo(fileName).absoluteFilePath());
    if (readFailed)
        return failed(labelfile::errors::PathFileAccess,
                      QStringLiteral("Errore di accesso al percorso/file: ") + readError);
    if (const auto error = labelfile::read(bytes, document, QFileInfo(fileName).absolutePath()))
        return failed(error->code, error->description);

    if (!argNomeFileDB.isEmpty()) {
        CollegamentoDatabase binding = document.binding();
        binding.NomeDatabase = argNomeFileDB;
        binding.PasswordDb = argPasswordDB;
        document.setBinding(binding);
    }
    const CollegamentoDatabase& binding = document.binding();
    if (!binding.NomeDatabase.isEmpty())
        document.setDatabaseConnesso(
            connect && connect(binding.NomeDatabase, binding.PasswordDb, binding.NomeTabella));
    return {LoadOutcome::Loaded, 0, {}};
}

SaveResult saveLabelFile(LabelDocument& document, const QString& path) {
    const auto written = labelfile::write(document);
    if (const auto* error = std::get_if<labelfile::WriteError>(&written))
        return {false, error->message};
    const QByteArray& bytes = std::get<QByteArray>(written);

    auto failure = [&](const QString& reason) {
        return SaveResult{false, QStringLiteral("Impossibile salvare il file %1: %2. Il file "
                                                "precedente non è stato modificato.")
                                     .arg(path, reason)};
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(reason);
    }
    if (!file.commit())
        return failure(file.errorString());
    document.setFileName(QFileInfo(path).absoluteFilePath());
    document.setModificato(false);
    return {true, {}};
}

bool SalvaEtichetta(LabelDocument& document, const QString& title) {
    MessageService& messages = MessageService::current();
    FileDialogRequest request =
        labelFileDialog(FileDialogRequest::Mode::Save,
                        QStringLiteral("Inserire il nome del file etichetta da salvare"));
    // The dialog opens on the label's own file: saving again is one click.
    if (!document.fileName().isEmpty()) {
        request.directory = QFileInfo(document.fileName()).absolutePath();
        request.selectedFile = document.fileName();
    }
    const auto chosen = messages.chooseFile(request);
    if (!chosen)
        return true;
    const SaveResult result = saveLabelFile(document, *chosen);
    if (!result.saved) {
        messages.warn(result.message, titleOr(title));
        return true;
    }
    return false;
}
