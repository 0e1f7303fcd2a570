// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Settings files of key=value lines without sections (pressivo.ini). Keys match at the start
// of a line, letter case ignored; a blank before "=" breaks the match; the last match wins.

QString GetKeyIni(const QString& file, const QString& key);

// Writes the key: every line holding it is rewritten, or a line is appended; a missing file
// is created. The file is rewritten through a temporary file with the extension "~tm" that
// then replaces it in one step. False when the file name or key is empty, or the file cannot
// be written.
bool SetKeyIni(const QString& file, const QString& key, const QString& value);
