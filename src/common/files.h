#pragma once

#include <QString>

// True when the path names a file that can be opened for reading now. Folders, missing
// files and unreadable files give false; nothing is left open.
bool FileEsiste(const QString& percorso);

// Where a path typed into a label points to: the path itself when it names a readable file,
// else, for a relative path, the same path under `baseFolder` (the label file's folder) when
// that is readable. Empty when neither is.
QString resolveReadablePath(const QString& percorso, const QString& baseFolder);

// Qt wants a private runtime folder (XDG_RUNTIME_DIR); batch jobs, services and CI runs often
// have none. Makes one under the temporary folder when it is missing.
void ensureRuntimeDirectory();
