// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <optional>

class LabelDocument;

// Opening and saving label files as the user does it: dialogs, messages and the database
// connection that follows an open.

// Connects the document's database; true when connected. Supplied by the window.
using DatabaseConnector = std::function<bool(const QString& nomeDatabase, const QString& password,
                                             const QString& tabella)>;

enum class LoadOutcome { Loaded, Cancelled, NotFound, Failed };

struct LoadResult {
    LoadOutcome outcome = LoadOutcome::Loaded;
    int errorCode = 0;
    QString description;
};

// The file dialogs' common settings.
QString labelFileFilter();

// Replaces the document with a label file and connects its database.
// Without a file name the open dialog asks for one (cancelling changes nothing). A file that
// cannot be opened gives the "non trovato" message and changes nothing. A file that cannot be
// read to its end gives "Errore non gestito. Codice: ..." and keeps what was read; its
// database is then not connected. `argNomeFileDB`, when not empty, replaces the file's
// database, and `argPasswordDB` its password. Messages are titled `title`.
LoadResult CaricaEtichetta(LabelDocument& document, const std::optional<QString>& NomeFile,
                           const QString& argNomeFileDB = {}, const QString& argPasswordDB = {},
                           const DatabaseConnector& connect = {}, const QString& title = {});

struct SaveResult {
    bool saved = false;
    QString message; // why not, for the user; empty when the user cancelled
};

// Writes the document to `path` atomically: a temporary file in the same folder replaces the
// target only once completely written, so a failed save leaves the old file as it was.
// Clears Modificato on success.
SaveResult saveLabelFile(LabelDocument& document, const QString& path);

// Asks for a file name with the save dialog and writes the label there. Returns `Cancel`:
// true when nothing was saved (the user cancelled, or the write failed and was reported).
bool SalvaEtichetta(LabelDocument& document, const QString& title = {});
