// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QIODevice;

// True when the path names a file that can be opened for reading now. Folders, missing
// files and unreadable files give false; nothing is left open.
bool FileEsiste(const QString& percorso);

// Where a path typed into a label points to: the path itself when it names a readable file,
// else, for a relative path, the same path under `baseFolder` (the label file's folder) when
// that is readable. Empty when neither is.
QString resolveReadablePath(const QString& percorso, const QString& baseFolder);

// Qt wants a private runtime folder (XDG_RUNTIME_DIR); batch jobs, services and CI runs often
// have none. Makes one under the temporary folder when it is missing; a folder of that name
// that is not ours and private (another user may have planted it) is never used.
void ensureRuntimeDirectory();

// A folder only this user can enter, for output nobody asked a place for:
// $XDG_CACHE_HOME/marvello (~/.cache/marvello), created with mode 0700; empty when it cannot
// be made private.
QString privateOutputFolder();

// The folder exists (it is made when missing), is a real folder owned by this user and no one
// else can enter it.
bool makePrivateFolder(const QString& path);

// Why an output file cannot take the place of what is at `path`, before anything is written:
// something that is not a regular file (a folder, a pipe, a device) or a read-only file.
// Empty when nothing is there or a file that may be replaced.
QString outputTargetProblem(const QString& path);

// Why writing `path` failed, for the user: the disk is full, the folder cannot be written,
// or what the system said. `error` is the errno the failing call left (0 when unknown),
// `systemText` the device's error text.
QString writeFailureReason(const QString& path, int error, const QString& systemText);

// Writes the file at `path` whole or not at all: `write` fills a temporary file beside it
// (false: give up), which takes the target's place once complete. A signal meanwhile leaves
// the target as it was. False with the reason when it could not be written.
bool writeWholeFile(const QString& path, const std::function<bool(QIODevice&)>& write,
                    QString* error = nullptr);
